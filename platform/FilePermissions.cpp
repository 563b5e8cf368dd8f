#include "platform/FilePermissions.h"

#include <cerrno>
#include <sys/xattr.h>
#include <unistd.h>

namespace FilePermissions {

namespace {

const char AccessAcl[] = "system.posix_acl_access";

// A file system without ACLs has none to give or to take.
bool NoAcl(int error)
{
    return error == ENODATA || error == ENOTSUP || error == EOPNOTSUPP;
}

// What only the file's owner or root may do was refused: the rest of the save goes on without it.
Given Refused()
{
    return errno == EPERM ? Given::NotAll : Given::Failed;
}

// The file's access ACL as the system keeps it; empty where it has none. False where it could not
// be read.
bool ReadAcl(const QByteArray &path, QByteArray &acl)
{
    for (;;) {
        const ssize_t size = ::getxattr(path.constData(), AccessAcl, nullptr, 0);
        if (size < 0)
            return NoAcl(errno);
        acl.resize(size);
        const ssize_t read = ::getxattr(path.constData(), AccessAcl, acl.data(), size_t(acl.size()));
        if (read >= 0) {
            acl.resize(read);
            return true;
        }
        // The ACL grew between the two calls.
        if (errno != ERANGE)
            return NoAcl(errno);
    }
}

} // namespace

Given GiveTo(int fd, const QByteArray &path, const struct stat &file)
{
    struct stat temporary = {};
    if (::fstat(fd, &temporary) != 0)
        return Given::Failed;
    // Owner and group first: a change of owner takes away the set-user and set-group bits.
    if ((temporary.st_uid != file.st_uid || temporary.st_gid != file.st_gid)
        && ::fchown(fd, file.st_uid, file.st_gid) != 0)
        return Refused();
    QByteArray acl;
    if (!ReadAcl(path, acl))
        return Given::Failed;
    if (!acl.isEmpty()) {
        if (::fsetxattr(fd, AccessAcl, acl.constData(), size_t(acl.size()), 0) != 0)
            return NoAcl(errno) ? Given::NotAll : Refused();
    } else if (::fremovexattr(fd, AccessAcl) != 0 && !NoAcl(errno)) {
        return Refused();
    }
    // Last, as it sets the ACL's mask from the group's bits.
    if (::fchmod(fd, file.st_mode & 07777) != 0)
        return Refused();
    // The system drops a set-group bit for a group the user is not in, without a word.
    if (::fstat(fd, &temporary) != 0)
        return Given::Failed;
    const bool all = temporary.st_uid == file.st_uid && temporary.st_gid == file.st_gid
                     && (temporary.st_mode & 07777) == (file.st_mode & 07777);
    return all ? Given::All : Given::NotAll;
}

} // namespace FilePermissions
