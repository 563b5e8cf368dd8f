#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

// What the FTP pane writes into its list and its download dialog, worked out without a window.
// A kilobyte is 1,000 bytes and a megabyte 1,000,000 bytes; numbers carry no group separators.
namespace FtpPaneTexts {

// Icon (and kind) of a list entry: 1 the parent entry, 2 a directory, 3 a text or web file,
// 4 any other file.
enum EntryIcon : int {
    IconParent = 1,
    IconDirectory = 2,
    IconTextFile = 3,
    IconOtherFile = 4,
};

// 3 for a name whose extension (the text after its last ".", or the whole name without one)
// is that of a text or web file, else 4.
int FileIcon(const QString &fileName);
// The size column: plain decimal bytes.
QString ListedSize(qint64 bytes);
// The date column: the date, followed by the time unless it is midnight, as the system writes them.
QString ListedDate(const QDateTime &when);
// The directory above: the text before the last "/", or "/" when that is the first character.
QString ParentDirectory(const QString &currentDirectory);

// The name the save dialog suggests for a server's file name: its last part, after the last "/",
// with what the dialog would read as a path ("\\", a quote, a leading "~") turned into "_"; empty
// when no file name is left ("", "." or "..").
QString SaveFileName(const QString &remoteName);

// A local path of at most 40 characters whole; a longer one as its first 12 characters,
// "....." and its last 28.
QString ShortenedPath(const QString &path);
// The same where fits accepts it; otherwise fewer characters around the "....." until fits
// does: first from the path's start (down to 3), then from before the file name's end, then
// the rest of the start, so that the file name's end shows as long as anything does.
QString ShortenedPath(const QString &path, const std::function<bool(const QString &)> &fits);
// Whole KB per second, rounded to the nearest with ties to even.
qint64 TransferRate(qint64 bytesDone, qint64 seconds);
// " (x MB of y MB copied)", " (x KB of y MB copied)" or " (x KB of y KB copied)".
QString AmountCopied(qint64 size, qint64 done);
// The time left at the current rate followed by the amount copied.
QString TimeRemainingText(qint64 size, qint64 done, qint64 seconds);
QString TransferRateText(qint64 rate);
// Whole per cent done, 0 to 100 (an empty or overrun listed size stays within that range).
int PercentCompleted(qint64 size, qint64 done);
// "p% of name completed".
QString PercentCaption(qint64 size, qint64 done, const QString &remoteFileName);
// "1 Hr 2 Min 5 Sec", "2 Min 5 Sec" or "25 Sec".
QString FormatTransferTime(qint64 seconds);
// The listed size and the time taken: "5.3 MB in 25 Sec" or "512.34 KB in 3 Sec".
QString CompletedSizeText(qint64 size, qint64 seconds);

} // namespace FtpPaneTexts
