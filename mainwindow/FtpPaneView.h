#pragma once

#include <QColor>
#include <QString>

class CFtpClient;
class FormFileDownload;
class ImageList;
class QTextEdit;
class QTreeWidget;
class QTreeWidgetItem;

// What an FTP pane shows, whichever window hosts it: the remote directory list, the protocol
// log and the download dialog's texts.
namespace FtpPaneView {

// Where a list entry keeps its key and its icon index (its kind).
constexpr int EntryKeyRole = 0x0100;
constexpr int EntryIconRole = 0x0101;

// Empties the list and gives it the three columns, each a third of listWidthTwips less
// columnMarginTwips wide, and the remote file icons.
void PrepareList(QTreeWidget *list, const ImageList &icons, double listWidthTwips, double columnMarginTwips);
// Adds the entries of the client's current directory: first the parent entry when the
// directory is not the login directory, then one entry per listed file.
void AddDirectoryEntries(QTreeWidget *list, const ImageList &icons, const CFtpClient &client,
                         const QString &loginDirectory);
// The icon index (kind) of an entry.
int EntryIcon(const QTreeWidgetItem *entry);

// The log's colour for a protocol message of the type (0 command sent, 1 reply, 2 error
// reply, 3 other text); any other type keeps current.
QColor LogColor(int type, const QColor &current, const QTextEdit *log);
// Appends message as a line of plain text in the colour, at the end of the log.
void AppendLogLine(QTextEdit *log, const QString &message, const QColor &color);
// The colour of failures the pane reports itself.
QColor ErrorColor();

// Where the download goes and where it comes from.
void ShowDownloadSource(FormFileDownload *dialog, const QString &localPath, const QString &remoteName,
                        const QString &server);
// The running download's path, source, time left and rate, after seconds of transfer.
void ShowDownloadProgress(FormFileDownload *dialog, const QString &localPath, const QString &remoteName,
                          const QString &server, qint64 size, qint64 done, qint64 seconds);
// The finished download: a whole file (result 0) shows its listed size and can be opened; a
// failed, timed-out or cancelled one says so and shows what arrived.
void ShowDownloadFinished(FormFileDownload *dialog, qint32 result, qint64 size, qint64 done, qint64 seconds);

} // namespace FtpPaneView
