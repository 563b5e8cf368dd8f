#pragma once

#include <QByteArray>
#include <QString>

// A file written with every step checked, so that a save never reports success for what did not
// reach the disk, and changes nothing but the content. Replace, for a whole file (the program's
// data files, favorites, a new download): the content goes to a temporary beside the file
// (SaveTemporaries). A new file's temporary is made as the folder makes any new file; a replaced
// file's is private until it has the file's owner, group, access ACL and mode (FilePermissions).
// It is synced, renamed over the file and its folder synced, so that no reader and no crash ever
// sees half of it (a folder the user may write into but not read is not synced). A file with more
// than one name, or whose permissions the user may not give, is written over from the temporary
// instead, in space reserved first, and synced. Append, for a resumed download: the file grows at
// its end, in place, and is synced and closed before the save counts as done. Neither touches a
// file the user may not write, nor one without any write bit, which the user made read-only (root
// included).
class FileSave
{
public:
    enum Mode { Replace, Append };

    explicit FileSave(const QString &path, Mode mode = Replace);
    // A save not committed is dropped: its temporary is removed; an appended file keeps what
    // reached it.
    ~FileSave();
    FileSave(const FileSave &) = delete;
    FileSave &operator=(const FileSave &) = delete;

    bool Open();
    // All of the bytes, or false.
    bool Write(const char *data, qint64 size);
    bool Write(const QByteArray &bytes) { return Write(bytes.constData(), bytes.size()); }
    // Puts everything written on the disk and, for Replace, the new file in the old one's place.
    // False when any step fails; a Replace that failed before its rename keeps the old file.
    bool Commit();

    // True when the last save that replaced the file at path failed only after the new content
    // took the old one's place: the file holds the new content, which may not be on the disk yet.
    static bool LeftUnconfirmed(const QString &path);

    // The descriptor written to, for hints to the system about writing back.
    int Handle() const { return m_fd; }
    // Why the last step failed, in the system's words.
    QString ErrorString() const;

private:
    bool Failed();
    bool OpenTemporary(const struct stat *replaced);
    bool CommitInPlace();

    Mode m_mode;
    QString m_target;
    QByteArray m_temporary;
    int m_fd = -1;
    int m_folder = -1;
    bool m_inPlace = false;  // the file is written over, keeping its names and permissions
    bool m_renamed = false;  // the temporary took the file's place
    bool m_replaced = false; // the old content is no longer whole
    int m_error = 0;
};
