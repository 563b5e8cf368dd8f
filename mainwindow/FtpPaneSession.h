#pragma once

#include <QString>

#include <functional>

class CFtpClient;
class QObject;
class QTextEdit;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

// The steps of an FTP pane's session that do not depend on the window hosting the pane: the
// login dialog, the connection, the moves through the remote directories and the save dialog of a
// download.
namespace FtpPaneSession {

// Shows the login dialog for the server address names; window is called back by name.
void ShowLogin(QWidget *window, const QString &address);
// Connects client to the server address names as the user the login dialog holds. Without a
// server the user is asked for one; a connection refused before it starts is told in log.
void Connect(QWidget *window, CFtpClient *client, const QString &address, QTextEdit *log);
// After a connection ended with result: a failure the server's own reply has not already put
// in log is told there, and the listing of the login directory starts.
void Connected(CFtpClient *client, qint32 result, QTextEdit *log);
// After the current directory changed with result: its path is asked for, and then
// (ListDirectory) its files. A request the client refuses is told in log.
void ReadDirectory(CFtpClient *client, qint32 result, QTextEdit *log);
void ListDirectory(CFtpClient *client, QTextEdit *log);
// Opens the selected entry of list while client is free: a directory (or the parent entry)
// becomes the current directory and list empties for its listing; a file goes to download. A
// request the client refuses is told in log, and the list stays as it is.
void OpenSelectedEntry(CFtpClient *client, QTreeWidget *list, QTextEdit *log,
                       const std::function<void(QTreeWidgetItem *)> &download);
// Cancels client's running download, and nothing else: the download dialog's Close after the
// end must not stop a listing the user has started since.
void CancelDownload(CFtpClient *client, QTextEdit *log);
// Ends window's session: the client stops telling window anything and goes once control is
// back in the event loop (it may be inside one of its own waits).
void Release(QObject *window, CFtpClient *&client);

// Asks where remoteName is to be saved, suggesting its file name in the folder the dialog shows
// anyway; empty when the user cancels.
QString AskSavePath(QWidget *window, const QString &remoteName);

} // namespace FtpPaneSession
