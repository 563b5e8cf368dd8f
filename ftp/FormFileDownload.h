#pragma once

#include "platform/Forms.h"

#include <QPointer>
#include <QString>
#include <QWidget>

class Animation;
class QCheckBox;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;

// The progress of one FTP download. The pane makes one per session and shows it at each
// download; while the transfer runs the pane writes its caption, labels and progress bar, and
// at the end enables Open and Open Folder. Cancel calls "CancelFTPDownload" (a slot or
// Q_INVOKABLE, called by name) on the window given by SetParentWindow. Any of the three
// buttons unloads (destroys) the dialog: its holder keeps a QPointer and makes a new one for
// the next download, which brings back the design texts.
class FormFileDownload : public QWidget, public Form
{
    Q_OBJECT

public:
    static inline const QString AnimationFileName = QStringLiteral("Download.avi");
    // The folder that holds the animation: the program's folder unless set (tests set it).
    static QString AnimationFolder();
    static void SetAnimationFolder(const QString &folder);

    explicit FormFileDownload(QWidget *parent = nullptr);

    QFrame *Picture1 = nullptr;
    Animation *Animation1 = nullptr;
    QLabel *LabelDownloading = nullptr;
    QLabel *LabelRemoteFilePath = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QLabel *LabelTimeRemaining = nullptr;
    QLabel *LabelTimeRemainingData = nullptr;
    QLabel *LabelDownloadTo = nullptr;
    QLabel *LabelDownloadToData = nullptr;
    QLabel *LabelTransferRate = nullptr;
    QLabel *LabelTransferRateData = nullptr;
    QCheckBox *CheckCloseDialogOnFinish = nullptr;
    QPushButton *CommandOpen = nullptr;
    QPushButton *CommandOpenFolder = nullptr;
    QPushButton *CommandCancel = nullptr;

    // The downloaded file's full local path and its file name.
    QString DownloadedFilePath() const { return m_downloadedFilePath; }
    void SetDownloadedFilePath(const QString &path) { m_downloadedFilePath = path; }
    QString DownloadedFileName() const { return m_downloadedFileName; }
    void SetDownloadedFileName(const QString &name) { m_downloadedFileName = name; }
    // The window whose "CancelFTPDownload" Cancel calls; shown without an owner, the dialog comes
    // up over it.
    void SetParentWindow(QObject *parent);

    // Opens the file with its program, or lets the user choose one when it has none; returns
    // the shell's answer (above 32 on success).
    int StartFile(const QString &file);
    // Shows the folder in a new file-manager window; returns the shell's answer.
    int OpenFolder(const QString &folder);
    // The folder that holds the downloaded file.
    QString DownloadedFileFolder() const;

    void Form_Load() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void CommandCancel_Click();
    void CommandOpen_Click();
    void CommandOpenFolder_Click();

    static QString &animationFolder();

    QString m_downloadedFilePath;
    QString m_downloadedFileName;
    QPointer<QObject> m_parentWindow;
};
