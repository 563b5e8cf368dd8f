#pragma once

#include <QDateTime>
#include <QString>

// One entry of a remote directory listing. Sizes are 64-bit: servers list files over 4 GiB.
class CFtpFile
{
public:
    const QString &FileName() const { return m_fileName; }
    void SetFileName(QString strFileName) { m_fileName = std::move(strFileName); }
    const QDateTime &LastWriteTime() const { return m_lastWriteTime; }
    void SetLastWriteTime(QDateTime dtLastWriteTime) { m_lastWriteTime = std::move(dtLastWriteTime); }
    qint64 FileSize() const { return m_fileSize; }
    void SetFileSize(qint64 lngFileSize) { m_fileSize = lngFileSize; }
    bool IsDirectory() const { return m_isDirectory; }
    void SetIsDirectory(bool blnIsDirectory) { m_isDirectory = blnIsDirectory; }
    // The target of a symbolic link; empty for anything else.
    const QString &FilePath() const { return m_filePath; }
    void SetFilePath(QString filePath) { m_filePath = std::move(filePath); }
    const QString &Permissions() const { return m_permissions; }
    void SetPermissions(QString strPermissions) { m_permissions = std::move(strPermissions); }
    const QString &Owner() const { return m_owner; }
    void SetOwner(QString strOwner) { m_owner = std::move(strOwner); }
    const QString &Group() const { return m_group; }
    void SetGroup(QString strGroup) { m_group = std::move(strGroup); }

private:
    QString m_fileName;
    QDateTime m_lastWriteTime;
    qint64 m_fileSize = 0;
    bool m_isDirectory = false;
    QString m_filePath;
    QString m_permissions;
    QString m_owner;
    QString m_group;
};
