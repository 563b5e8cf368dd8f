// What a save changes of a file besides its content, on a real file system: nothing. A replaced
// file keeps its owner, group, mode, access ACL and every name it has; a new file gets what its
// folder gives any new file. Run as root, the files belong to an ordinary user the test acts as;
// run as an ordinary user, to that user, in what that user can arrange.
#include "platform/FileSave.h"
#include "platform/TextFile.h"

#include "../support/FileBytes.h"
#include "../support/OtherUser.h"
#include "../support/PosixAcl.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray Encoded(const QString &path)
{
    return QFile::encodeName(path);
}

// Owner, group and mode, as "uid:gid mode": a difference shows as text.
std::string Ownership(const QString &path)
{
    struct stat status = {};
    if (::stat(Encoded(path).constData(), &status) != 0)
        return "<missing>";
    return std::to_string(status.st_uid) + ':' + std::to_string(status.st_gid) + ' '
           + QString::number(status.st_mode & 07777, 8).toStdString();
}

ino_t Inode(const QString &path)
{
    struct stat status = {};
    return ::stat(Encoded(path).constData(), &status) == 0 ? status.st_ino : 0;
}

// A group of the user's other than its own, where it has one.
gid_t SecondGroup()
{
    gid_t groups[NGROUPS_MAX];
    const int count = ::getgroups(NGROUPS_MAX, groups);
    for (int i = 0; i < count; ++i)
        if (groups[i] != ::getegid())
            return groups[i];
    return ::getegid();
}

class SavedFile : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString Path(const QString &name) const { return dir.filePath(name); }

    // A file of old content with that owner, group and mode, and the ACL where one is given.
    void Make(const QString &path, uid_t owner, gid_t group, mode_t mode, const QString &acl = QString())
    {
        WriteFile(path, "old\r\n");
        ASSERT_EQ(::chown(Encoded(path).constData(), owner, group), 0) << path.toStdString();
        ASSERT_EQ(::chmod(Encoded(path).constData(), mode), 0);
        if (!acl.isEmpty())
            ASSERT_TRUE(PosixAcl::Set(path, PosixAcl::Access, acl)) << path.toStdString();
    }

    QTemporaryDir dir;
};

} // namespace

// A shared folder's rule, "its group may read and write what is made here, nobody else", holds
// for a data file and a download the program makes there, as for any file a program makes with
// the usual 0666: the umask alone would let everybody read them.
TEST_F(SavedFile, ANewFileGetsWhatItsFolderGivesAnyNewFile)
{
    const QString shared = Path(QStringLiteral("shared"));
    ASSERT_TRUE(QDir().mkdir(shared));
    ASSERT_TRUE(PosixAcl::Set(shared, PosixAcl::Default, QStringLiteral("u::rwx,g::rwx,o::---")));
    const QString made = shared + QStringLiteral("/made");

    const mode_t userMask = ::umask(022);
    const int fd = ::open(Encoded(made).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    const bool dataSaved = TextFile::WriteLines(shared + QStringLiteral("/Url.dat"), {QStringLiteral("http://new/")});
    FileSave download(shared + QStringLiteral("/download.zip"));
    const bool downloaded = download.Open() && download.Write("zip") && download.Commit();
    ::umask(userMask);
    ASSERT_GE(fd, 0);
    ::close(fd);

    const std::string expected = std::to_string(::geteuid()) + ':' + std::to_string(::getegid()) + " 660";
    ASSERT_EQ(Ownership(made), expected);
    EXPECT_TRUE(dataSaved);
    EXPECT_TRUE(downloaded);
    for (const QString &name : {QStringLiteral("Url.dat"), QStringLiteral("download.zip")}) {
        EXPECT_EQ(Ownership(shared + u'/' + name), expected) << name.toStdString();
        EXPECT_EQ(PosixAcl::Of(shared + u'/' + name, PosixAcl::Access), PosixAcl::Of(made, PosixAcl::Access))
            << name.toStdString();
    }
}

// The user's file, in a second group of the user's, readable through its ACL by root and by nobody
// else, keeps all of that, and a file with a second name shows the new content under both. As
// root, a save by root keeps the user the owner, and a file of another user that the user may
// write through its group is written by the user with its owner kept.
TEST_F(SavedFile, AReplacedFileKeepsItsOwnerGroupModeAclAndEveryName)
{
    const bool root = ::geteuid() == 0;
    const OtherUser user = root ? OtherUser{64201, {64201, 64202}} : OtherUser{::geteuid(), {::getegid(), SecondGroup()}};
    const uid_t anotherUser = 64203;
    if (root) {
        ASSERT_EQ(::chown(Encoded(dir.path()).constData(), user.Uid, user.Groups[0]), 0);
        ASSERT_TRUE(QDir().mkdir(Path(QStringLiteral("bin"))));
    }
    const QString readableByRoot = QStringLiteral("u::rw-,u:0:r--,g::---,m::r--,o::---");
    const QString url = Path(QStringLiteral("Url.dat"));
    const QString history = Path(QStringLiteral("History.dat"));
    const QString historyElsewhere = Path(QStringLiteral("other/History.dat"));
    Make(url, user.Uid, user.Groups[1], 0640, readableByRoot);
    Make(history, user.Uid, user.Groups[1], 0640, readableByRoot);
    ASSERT_TRUE(QDir().mkdir(Path(QStringLiteral("other"))));
    ASSERT_EQ(::link(Encoded(history).constData(), Encoded(historyElsewhere).constData()), 0);
    QStringList savedByUser = {url, history};
    QStringList savedByRoot;
    if (root) {
        savedByRoot << Path(QStringLiteral("Settings.dat"));
        Make(savedByRoot[0], user.Uid, user.Groups[0], 0600);
        savedByUser << Path(QStringLiteral("AutoComplete2.dat"));
        Make(savedByUser.back(), anotherUser, user.Groups[0], 0660);
    }
    QMap<QString, std::string> ownership;
    QMap<QString, QByteArray> acl;
    for (const QString &path : savedByUser + savedByRoot) {
        ownership[path] = Ownership(path);
        acl[path] = PosixAcl::Of(path, PosixAcl::Access);
    }

    for (const QString &path : savedByUser) {
        const bool saved = root ? user.Save(Path(QStringLiteral("bin")), path, QStringLiteral("new"))
                                : TextFile::WriteLines(path, {QStringLiteral("new")});
        EXPECT_TRUE(saved) << path.toStdString();
    }
    for (const QString &path : savedByRoot)
        EXPECT_TRUE(TextFile::WriteLines(path, {QStringLiteral("new")})) << path.toStdString();

    for (const QString &path : savedByUser + savedByRoot) {
        EXPECT_EQ(ReadFile(path), QByteArray("new\r\n")) << path.toStdString();
        EXPECT_EQ(Ownership(path), ownership[path]) << path.toStdString();
        EXPECT_EQ(PosixAcl::Of(path, PosixAcl::Access).toHex().toStdString(), acl[path].toHex().toStdString())
            << path.toStdString();
    }
    EXPECT_FALSE(acl[url].isEmpty());
    EXPECT_EQ(ReadFile(historyElsewhere), QByteArray("new\r\n"));
    EXPECT_EQ(Inode(historyElsewhere), Inode(history));
    QStringList names = {QStringLiteral("History.dat"), QStringLiteral("Url.dat")};
    if (root)
        names << QStringLiteral("AutoComplete2.dat") << QStringLiteral("Settings.dat");
    EXPECT_EQ(FileNames(dir.path()), SortedNames(names));
}
