#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QtEndian>

#include <cerrno>
#include <sys/xattr.h>

// ACLs as the system keeps them, in a file's attributes "system.posix_acl_access" and, for a
// folder, "system.posix_acl_default" (what the folder gives each new file), made from text such
// as "u::rw-,u:0:r--,g::---,m::r--,o::---": the owner, named users, the owning group, named
// groups, the mask and others, in that order.
namespace PosixAcl {

inline const char Access[] = "system.posix_acl_access";
inline const char Default[] = "system.posix_acl_default";

inline QByteArray FromText(const QString &text)
{
    static const QList<std::pair<QString, quint16>> tags = {
        {"u:", 0x01}, {"g:", 0x04}, {"m:", 0x10}, {"o:", 0x20}};
    QByteArray acl(4, '\0');
    qToLittleEndian<quint32>(2, acl.data());
    for (const QString &entry : text.split(u',')) {
        const QStringList parts = entry.split(u':');
        quint16 tag = 0;
        for (const auto &[prefix, value] : tags)
            if (entry.startsWith(prefix))
                tag = value;
        const bool named = !parts.value(1).isEmpty();
        // A named user or group has the tag after the owner's or the owning group's.
        if (named)
            tag <<= 1;
        quint16 permissions = 0;
        for (const QChar bit : parts.value(2))
            permissions = quint16(permissions << 1 | (bit != u'-'));
        char packed[8];
        qToLittleEndian<quint16>(tag, packed);
        qToLittleEndian<quint16>(permissions, packed + 2);
        qToLittleEndian<quint32>(named ? parts[1].toUInt() : 0xFFFFFFFFu, packed + 4);
        acl.append(packed, 8);
    }
    return acl;
}

// The attribute's bytes; empty where the file has none.
inline QByteArray Of(const QString &path, const char *name)
{
    QByteArray value(1024, '\0');
    const ssize_t size = ::getxattr(QFile::encodeName(path).constData(), name, value.data(), size_t(value.size()));
    return size > 0 ? value.left(size) : QByteArray();
}

inline bool Set(const QString &path, const char *name, const QString &text)
{
    const QByteArray acl = FromText(text);
    return ::setxattr(QFile::encodeName(path).constData(), name, acl.constData(), size_t(acl.size()), 0) == 0;
}

} // namespace PosixAcl
