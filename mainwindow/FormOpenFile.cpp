#include "mainwindow/FormOpenFile.h"

#include "mainwindow/DialogTools.h"
#include "mainwindow/FormMain.h"
#include "platform/WebBrowser.h"

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

using DialogTools::PlaceTwips;

const QString FormOpenFile::OpenDialogTitle = QStringLiteral("Open File");
const QString FormOpenFile::OpenDialogFilter = QStringLiteral("Html Files *.html (*.html)");

// The root of the file system stands in for the first drive's root.
QString FormOpenFile::OpenDialogFolder()
{
    return QDir::rootPath();
}

FormOpenFile::FormOpenFile(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("Open File"));
    DialogTools::SetClientSizeTwips(this, 4215, 1650);

    LabelOpenFileOrUrl = new QLabel(
        QStringLiteral("Enter the  location of a file you wish to open or click \"Browse\" to select a file."), this);
    LabelOpenFileOrUrl->setWordWrap(true);
    PlaceTwips(LabelOpenFileOrUrl, 120, 120, 3375, 495);
    TextOpenFile = new QLineEdit(this);
    PlaceTwips(TextOpenFile, 120, 600, 3975, 315);
    CommandOK = new QPushButton(QStringLiteral("OK"), this);
    PlaceTwips(CommandOK, 120, 1080, 1215, 375);
    CommandCancel = new QPushButton(QStringLiteral("Cancel"), this);
    PlaceTwips(CommandCancel, 1440, 1080, 1335, 375);
    CommandBrowse = new QPushButton(QStringLiteral("Browse"), this);
    PlaceTwips(CommandBrowse, 2880, 1080, 1215, 375);

    // The design was measured for a narrower font: the explanation gets the lines it needs and
    // the controls below it move down until its last line ends above the box.
    const int needed = LabelOpenFileOrUrl->heightForWidth(LabelOpenFileOrUrl->width());
    LabelOpenFileOrUrl->resize(LabelOpenFileOrUrl->width(), std::max(needed, LabelOpenFileOrUrl->height()));
    const int extra = LabelOpenFileOrUrl->y() + needed - TextOpenFile->y();
    if (extra > 0) {
        for (QWidget *below : std::initializer_list<QWidget *>{TextOpenFile, CommandOK, CommandCancel, CommandBrowse})
            below->move(below->x(), below->y() + extra);
        resize(width(), height() + extra);
    }

    setTabOrder(CommandOK, CommandCancel);
    setTabOrder(CommandCancel, CommandBrowse);
    setTabOrder(CommandBrowse, TextOpenFile);
    CommandOK->setFocus();
    // Neither button answers Enter or Esc.
    for (QPushButton *button : {CommandOK, CommandCancel, CommandBrowse})
        button->setAutoDefault(false);

    connect(CommandBrowse, &QPushButton::clicked, this, &FormOpenFile::CommandBrowse_Click);
    connect(CommandOK, &QPushButton::clicked, this, &FormOpenFile::CommandOK_Click);
    connect(CommandCancel, &QPushButton::clicked, this, &FormOpenFile::CommandCancel_Click);
}

void FormOpenFile::ShowModal(QWidget *owner)
{
    DialogTools::ShowModal(this, owner);
}

void FormOpenFile::CommandBrowse_Click()
{
    // The program's own dialog rather than the desktop's, so that it looks and acts the same
    // everywhere. A name that does not exist is taken as typed: the address box may hold any
    // address, not only a file's.
    QFileDialog dialog(this, OpenDialogTitle, OpenDialogFolder(), OpenDialogFilter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    QString chosen;
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        chosen = QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
    TextOpenFile->setText(chosen);
}

void FormOpenFile::OpenIn(WebBrowser *browser)
{
    m_browser = browser;
}

void FormOpenFile::CommandOK_Click()
{
    const QString location = TextOpenFile->text();
    if (!location.isEmpty()) {
        WebBrowser *browser = m_browser;
        if (!browser)
            if (FormMain *main = Forms::Existing<FormMain>())
                browser = main->WebBrowserMain;
        if (browser)
            browser->Navigate(location);
        hide();
    }
    Forms::Unload(this);
}

void FormOpenFile::CommandCancel_Click()
{
    hide();
    Forms::Unload(this);
}

void FormOpenFile::ShowModeless(const QWidget *over)
{
    DialogTools::ShowModeless(this, over);
}
