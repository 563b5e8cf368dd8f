#include "mainwindow/FtpPaneView.h"

#include "ftp/CFtpClient.h"
#include "ftp/FormFileDownload.h"
#include "mainwindow/FtpPaneTexts.h"
#include "platform/Animation.h"
#include "platform/ImageList.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextEdit>
#include <QTreeWidget>

#include <algorithm>
#include <cmath>

namespace FtpPaneView {

namespace {

const QString ParentEntryKey = QStringLiteral("GoToParent");

QTreeWidgetItem *addEntry(QTreeWidget *list, const ImageList &icons, const QString &text, int icon)
{
    auto *entry = new QTreeWidgetItem(list);
    entry->setText(0, text);
    entry->setIcon(0, icons.Pixmap(QString::number(icon)));
    entry->setData(0, EntryIconRole, icon);
    return entry;
}

QString incompleteCaption(qint32 result)
{
    switch (result) {
    case CFtpClient::arStatusTimeOut:
        return QStringLiteral("Download Timed Out");
    case CFtpClient::arStatusCancel:
        return QStringLiteral("Download Cancelled");
    default:
        return QStringLiteral("Download Failed");
    }
}

} // namespace

void PrepareList(QTreeWidget *list, const ImageList &icons, double listWidthTwips, double columnMarginTwips)
{
    list->clear();
    list->setColumnCount(0);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setIconSize(icons.ImageSize());
    const QStringList keys = {QStringLiteral("FileName"), QStringLiteral("FileSize"), QStringLiteral("LastModified")};
    list->setHeaderLabels(
        {QStringLiteral("File Name"), QStringLiteral("File Size(Bytes)"), QStringLiteral("Last Modified")});
    const double columnWidthTwips = listWidthTwips / 3 - columnMarginTwips;
    for (int column = 0; column < keys.size(); ++column) {
        list->headerItem()->setData(column, EntryKeyRole, keys[column]);
        list->setColumnWidth(column, std::max(0, int(std::lround(columnWidthTwips / 15))));
    }
    list->setHeaderHidden(false);
}

void AddDirectoryEntries(QTreeWidget *list, const ImageList &icons, const CFtpClient &client,
                         const QString &loginDirectory)
{
    if (client.CurrentDirectory() != loginDirectory) {
        QTreeWidgetItem *parent =
            addEntry(list, icons, QStringLiteral("Go to parent directory"), FtpPaneTexts::IconParent);
        parent->setData(0, EntryKeyRole, ParentEntryKey);
    }
    const CFtpFiles *files = client.CurrentDirectoryFiles();
    if (!files || files->Count() < 1)
        return;
    for (const CFtpFile &file : *files) {
        const int icon =
            file.IsDirectory() ? int(FtpPaneTexts::IconDirectory) : FtpPaneTexts::FileIcon(file.FileName());
        QTreeWidgetItem *entry = addEntry(list, icons, file.FileName(), icon);
        entry->setText(1, FtpPaneTexts::ListedSize(file.FileSize()));
        entry->setText(2, FtpPaneTexts::ListedDate(file.LastWriteTime()));
    }
}

int EntryIcon(const QTreeWidgetItem *entry)
{
    return entry->data(0, EntryIconRole).toInt();
}

QColor LogColor(int type, const QColor &current, const QTextEdit *log)
{
    switch (type) {
    case 0:
        return QColor(0, 0, 0x40);
    case 1:
        return QColor(0, 0x40, 0);
    case 2:
        return ErrorColor();
    case 3:
        return log->palette().color(QPalette::Text);
    default:
        return current;
    }
}

QColor ErrorColor()
{
    return QColor(255, 0, 0);
}

// Server text goes into the log as plain text, never as markup, and always at its end, so that
// a selection the user made stays as it is.
void AppendLogLine(QTextEdit *log, const QString &message, const QColor &color)
{
    QString text = message;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QTextCharFormat format;
    format.setForeground(color);
    QTextCursor cursor(log->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text + QLatin1Char('\n'), format);
    QScrollBar *scroll = log->verticalScrollBar();
    scroll->setValue(scroll->maximum());
}

void ShowDownloadSource(FormFileDownload *dialog, const QString &localPath, const QString &remoteName,
                        const QString &server)
{
    QLabel *to = dialog->LabelDownloadToData;
    to->setTextFormat(Qt::PlainText);
    dialog->LabelRemoteFilePath->setTextFormat(Qt::PlainText);
    // Shortened as far as the label's own font needs; the whole path shows as its tool tip.
    const QFontMetrics metrics(to->font());
    const int room = to->contentsRect().width() - 2 * to->margin();
    to->setText(FtpPaneTexts::ShortenedPath(
        localPath, [&](const QString &text) { return metrics.horizontalAdvance(text) <= room; }));
    to->setToolTip(localPath);
    dialog->LabelRemoteFilePath->setText(remoteName + QStringLiteral(" from ") + server);
}

void ShowDownloadProgress(FormFileDownload *dialog, const QString &localPath, const QString &remoteName,
                          const QString &server, qint64 size, qint64 done, qint64 seconds)
{
    ShowDownloadSource(dialog, localPath, remoteName, server);
    dialog->LabelTimeRemainingData->setTextFormat(Qt::PlainText);
    dialog->LabelTransferRateData->setTextFormat(Qt::PlainText);
    dialog->LabelTimeRemainingData->setText(FtpPaneTexts::TimeRemainingText(size, done, seconds));
    dialog->LabelTransferRateData->setText(
        FtpPaneTexts::TransferRateText(FtpPaneTexts::TransferRate(done, seconds)));
}

void ShowDownloadFinished(FormFileDownload *dialog, qint32 result, qint64 size, qint64 done, qint64 seconds)
{
    const bool complete = result == CFtpClient::arStatusOk;
    dialog->setWindowTitle(complete ? QStringLiteral("Download Complete") : incompleteCaption(result));
    dialog->LabelDownloading->setText(complete ? QStringLiteral("Finished Downloading:")
                                               : QStringLiteral("Stopped Downloading:"));
    dialog->LabelTimeRemaining->setText(QStringLiteral("Downloaded:"));
    dialog->LabelTimeRemainingData->setTextFormat(Qt::PlainText);
    dialog->LabelTimeRemainingData->setText(FtpPaneTexts::CompletedSizeText(complete ? size : done, seconds));
    if (complete)
        dialog->ProgressBar1->setValue(100);
    dialog->Animation1->Stop();
    // Only a whole file is there to open.
    dialog->CommandOpen->setEnabled(complete);
    dialog->CommandOpenFolder->setEnabled(complete);
}

} // namespace FtpPaneView
