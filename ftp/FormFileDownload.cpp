#include "ftp/FormFileDownload.h"

#include "ftp/FormDialogTools.h"
#include "platform/Animation.h"
#include "platform/CaptionFit.h"
#include "platform/NumberedError.h"
#include "platform/ScreenPlacement.h"
#include "platform/Shell.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

using FormDialogTools::PlaceTwips;

namespace {

QLabel *makeLabel(QWidget *form, const char *name, const QString &caption)
{
    auto *label = new QLabel(caption, form);
    label->setObjectName(QLatin1String(name));
    return label;
}

QPushButton *makeButton(QWidget *form, const char *name, const QString &caption)
{
    auto *button = new QPushButton(caption, form);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(true);
    return button;
}

} // namespace

QString &FormFileDownload::animationFolder()
{
    static QString folder;
    return folder;
}

QString FormFileDownload::AnimationFolder()
{
    return animationFolder().isEmpty() ? QCoreApplication::applicationDirPath() : animationFolder();
}

void FormFileDownload::SetAnimationFolder(const QString &folder)
{
    animationFolder() = folder;
}

FormFileDownload::FormFileDownload(QWidget *parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("File Download"));
    FormDialogTools::MakeFixedDialog(this, 5520, 3690);

    Picture1 = new QFrame(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    PlaceTwips(Picture1, 0, 0, 5520, 930);
    Animation1 = new Animation(Picture1);
    Animation1->setObjectName(QStringLiteral("Animation1"));
    Animation1->SetTransparent(true);
    Animation1->setGeometry(Picture1->rect());

    LabelDownloading = makeLabel(this, "LabelDownloading", QStringLiteral("Downloading..."));
    PlaceTwips(LabelDownloading, 120, 975, 5280, 255);
    LabelRemoteFilePath = makeLabel(this, "LabelRemoteFilePath", QString());
    PlaceTwips(LabelRemoteFilePath, 120, 1230, 5280, 255);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    PlaceTwips(ProgressBar1, 120, 1545, 5280, 255);
    LabelTimeRemaining = makeLabel(this, "LabelTimeRemaining", QStringLiteral("Time Remaining:"));
    PlaceTwips(LabelTimeRemaining, 120, 1920, 1665, 255);
    LabelTimeRemainingData = makeLabel(this, "LabelTimeRemainingData", QString());
    PlaceTwips(LabelTimeRemainingData, 1830, 1920, 3570, 255);
    LabelDownloadTo = makeLabel(this, "LabelDownloadTo", QStringLiteral("Download To:"));
    PlaceTwips(LabelDownloadTo, 120, 2205, 1665, 255);
    LabelDownloadToData = makeLabel(this, "LabelDownloadToData", QString());
    PlaceTwips(LabelDownloadToData, 1830, 2205, 3570, 255);
    LabelTransferRate = makeLabel(this, "LabelTransferRate", QStringLiteral("Transfer Rate:"));
    PlaceTwips(LabelTransferRate, 120, 2490, 1665, 255);
    LabelTransferRateData = makeLabel(this, "LabelTransferRateData", QString());
    PlaceTwips(LabelTransferRateData, 1830, 2490, 3570, 255);
    CaptionFit::WidenBeside({LabelTimeRemaining, LabelDownloadTo, LabelTransferRate},
                            {LabelTimeRemainingData, LabelDownloadToData, LabelTransferRateData});
    CheckCloseDialogOnFinish =
        new QCheckBox(QStringLiteral("Close this dialog when download completes."), this);
    CheckCloseDialogOnFinish->setObjectName(QStringLiteral("CheckCloseDialogOnFinish"));
    PlaceTwips(CheckCloseDialogOnFinish, 120, 2820, 5280, 255);
    CommandOpen = makeButton(this, "CommandOpen", QStringLiteral("Open"));
    CommandOpen->setEnabled(false);
    PlaceTwips(CommandOpen, 1560, 3195, 1215, 375);
    CommandOpenFolder = makeButton(this, "CommandOpenFolder", QStringLiteral("Open Folder"));
    CommandOpenFolder->setEnabled(false);
    PlaceTwips(CommandOpenFolder, 2850, 3195, 1215, 375);
    CommandCancel = makeButton(this, "CommandCancel", QStringLiteral("Cancel"));
    PlaceTwips(CommandCancel, 4140, 3195, 1260, 375);

    connect(CommandCancel, &QPushButton::clicked, this, &FormFileDownload::CommandCancel_Click);
    connect(CommandOpen, &QPushButton::clicked, this, &FormFileDownload::CommandOpen_Click);
    connect(CommandOpenFolder, &QPushButton::clicked, this,
            &FormFileDownload::CommandOpenFolder_Click);
}

void FormFileDownload::SetParentWindow(QObject *parent)
{
    m_parentWindow = parent;
}

void FormFileDownload::Form_Load()
{
    // A missing or unplayable clip leaves the band empty; the download dialog works without it.
    try {
        Animation1->Open(QDir(AnimationFolder()).filePath(AnimationFileName));
        Animation1->Play();
    } catch (const NumberedError &) {
        Animation1->Close();
    }
}

void FormFileDownload::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    ScreenPlacement::CentreOverOwnerOr(this, qobject_cast<const QWidget *>(m_parentWindow.data()));
}

int FormFileDownload::StartFile(const QString &file)
{
    try {
        int answer = Shell::Current().OpenFile(this, file);
        if (answer == Shell::SE_ERR_NOASSOC)
            answer = Shell::Current().OpenWith(nullptr, file);
        return answer;
    } catch (const NumberedError &error) {
        FormDialogTools::ShowError(this, error.Number(), error.Description());
        return 0;
    }
}

int FormFileDownload::OpenFolder(const QString &folder)
{
    try {
        return Shell::Current().OpenFolder(this, folder);
    } catch (const NumberedError &error) {
        FormDialogTools::ShowError(this, error.Number(), error.Description());
        return 0;
    }
}

QString FormFileDownload::DownloadedFileFolder() const
{
    if (m_downloadedFilePath.isEmpty())
        return QString();
    // The path less the file name and the separator before it; a file saved under another
    // name than the one given, or a name longer than the path, falls back to the path's folder.
    const QString tail = QLatin1Char('/') + m_downloadedFileName;
    if (!m_downloadedFileName.isEmpty() && m_downloadedFilePath.endsWith(tail)) {
        const QString folder = m_downloadedFilePath.chopped(tail.size());
        return folder.isEmpty() ? QStringLiteral("/") : folder;
    }
    return QFileInfo(m_downloadedFilePath).absolutePath();
}

void FormFileDownload::CommandCancel_Click()
{
    QPointer<FormFileDownload> self(this);
    FormDialogTools::CallHostByName(this, m_parentWindow, "CancelFTPDownload");
    if (self)
        close();
}

void FormFileDownload::CommandOpen_Click()
{
    QPointer<FormFileDownload> self(this);
    StartFile(m_downloadedFilePath);
    if (self)
        close();
}

void FormFileDownload::CommandOpenFolder_Click()
{
    QPointer<FormFileDownload> self(this);
    OpenFolder(DownloadedFileFolder());
    if (self)
        close();
}
