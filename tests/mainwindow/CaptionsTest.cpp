// Every window as a user first sees it, at the application's default font: every caption whole,
// no control over another.
#include "DialogsTestSupport.h"

#include "browsingdata/FormAddToFavorites.h"
#include "browsingdata/FormCreateNewFolder.h"
#include "browsingdata/FormSelectSearch.h"
#include "controls/TransparentLabel.h"
#include "ftp/FormDialogTools.h"
#include "ftp/FormFTPLogin.h"
#include "ftp/FormFileDownload.h"
#include "fullscreen/FormFullScreen.h"
#include "mainwindow/FormApplicationSettings.h"
#include "mainwindow/FormFind.h"
#include "mainwindow/FormHelp.h"
#include "mainwindow/FormOpenFile.h"
#include "platform/CommandBars.h"
#include "platform/InternetOptionsDialog.h"
#include "tests/support/CaptionCheck.h"
#include "tests/support/LoadedForms.h"
#include "tests/support/TempProgramFolder.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace DialogsTest;

namespace {

// The window once shown and laid out, checked whole.
void ExpectWhole(const QWidget *window)
{
    ASSERT_TRUE(WaitUntil([&] { return window->isVisible(); })) << window->windowTitle().toStdString();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    // A bar that the layout resized reports its new client area in a posted call; what lies
    // below it follows there.
    QCoreApplication::processEvents();
    const QStringList faults = CaptionCheck::Faults(window);
    EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
}

// Shows a modal window by its own call and checks it while it is up, then closes it.
template <class T>
void ExpectWholeWhileModal(const std::function<void()> &show)
{
    bool checked = false;
    AnswerNextModal<T>([&](T *window) {
        ExpectWhole(window);
        checked = true;
        window->close();
    });
    show();
    EXPECT_TRUE(checked) << T::staticMetaObject.className();
}

class Captions : public DialogsFixture
{
protected:
    void SetUp() override
    {
        DialogsFixture::SetUp();
        ASSERT_TRUE(WaitUntil([&] { return main->TransparentLabelAddress->LabelText() == QStringLiteral("Address:"); }));
    }
};

} // namespace

TEST_F(Captions, MainWindowWithAndWithoutItsSideBarAndTheFullScreenWindow)
{
    ExpectWhole(main);
    main->ShowFavorites();
    ExpectWhole(main);

    main->CommandBarsMain->FindControl(CommandBarControlType::Any, 218, false, true)->Execute();
    FormFullScreen *full = Forms::Default<FormFullScreen>();
    ASSERT_TRUE(WaitUntil([&] { return full->TransparentLabelAddress->LabelText() == QStringLiteral("Address:"); }));
    ExpectWhole(full);
}

TEST_F(Captions, FindOpenFileHelpSettingsAndInternetOptions)
{
    auto *find = Forms::Default<FormFind>();
    find->ShowModeless(main);
    ExpectWhole(find);
    find->TextFind->setText(QStringLiteral("nowhere in the page"));
    ExpectWholeWhileModal<QMessageBox>([&] { QTest::mouseClick(find->CommandFind, Qt::LeftButton); });

    auto *open = Forms::Default<FormOpenFile>();
    open->ShowModeless(main);
    ExpectWhole(open);

    auto *help = Forms::Default<FormHelp>();
    help->ShowModeless(main);
    ExpectWhole(help);

    ExpectWholeWhileModal<FormApplicationSettings>(
        [&] { Forms::Default<FormApplicationSettings>()->ShowModal(main); });

    QPointer<InternetOptionsDialog> options = InternetOptionsDialog::Open(folder.Path(), QString());
    ExpectWhole(options);
    delete options;
}

TEST_F(Captions, FavoritesAndSearchDialogs)
{
    QPointer<FormAddToFavorites> favorites = Forms::Default<FormAddToFavorites>();
    bool checkedNewFolder = false;
    AnswerNextModal<FormAddToFavorites>([&](FormAddToFavorites *dialog) {
        ExpectWhole(dialog);
        AnswerNextModal<FormCreateNewFolder>([&](FormCreateNewFolder *newFolder) {
            ExpectWhole(newFolder);
            checkedNewFolder = true;
            newFolder->cmdCancel->click();
        });
        dialog->cmdNewFolder->click();
        dialog->cmdCancel->click();
    });
    favorites->ShowModal(main, main->WebBrowserMain);
    EXPECT_TRUE(checkedNewFolder);

    ExpectWholeWhileModal<FormSelectSearch>([&] { Forms::Default<FormSelectSearch>()->ShowModal(main); });
}

TEST_F(Captions, FtpLoginDownloadAndErrorMessage)
{
    auto *login = Forms::Default<FormFTPLogin>();
    login->SetFTPServerName(QStringLiteral("ftp://127.0.0.1"));
    Forms::Show(login);
    ExpectWhole(login);
    login->CheckUseAnonymous->setChecked(false);
    ExpectWhole(login);

    FormFileDownload::SetAnimationFolder(folder.Path());
    auto *download = new FormFileDownload(main);
    Forms::Show(download);
    ExpectWhole(download);
    // The texts the pane writes once the download is complete.
    download->LabelDownloading->setText(QStringLiteral("Finished Downloading:"));
    download->LabelTimeRemaining->setText(QStringLiteral("Downloaded:"));
    download->CommandCancel->setText(QStringLiteral("Close"));
    ExpectWhole(download);

    ExpectWholeWhileModal<QMessageBox>(
        [&] { FormDialogTools::ShowError(download, 10061, QStringLiteral("Connection refused")); });
}
