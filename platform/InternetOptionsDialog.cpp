#include "platform/InternetOptionsDialog.h"

#include "platform/InternetOptions.h"
#include "platform/ScreenPlacement.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

InternetOptionsDialog::InternetOptionsDialog(const QString &dataFolder, const QString &currentPage,
                                             QWidget *parent)
    : QDialog(parent), m_dataFolder(dataFolder), m_currentPage(currentPage)
{
    setWindowTitle(QStringLiteral("Internet Options"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto *home = new QGroupBox(QStringLiteral("Home page"), this);
    auto *homeLayout = new QGridLayout(home);
    auto *label = new QLabel(QStringLiteral("You can change which page to use for your home page."), home);
    label->setWordWrap(true);
    TextHomePage = new QLineEdit(InternetOptions(m_dataFolder).HomePage(), home);
    auto *addressLabel = new QLabel(QStringLiteral("Add&ress:"), home);
    addressLabel->setBuddy(TextHomePage);
    CommandUseCurrent = new QPushButton(QStringLiteral("Use &Current"), home);
    CommandUseDefault = new QPushButton(QStringLiteral("Use &Default"), home);
    CommandUseCurrent->setEnabled(!m_currentPage.isEmpty());
    homeLayout->addWidget(label, 0, 0, 1, 3);
    homeLayout->addWidget(addressLabel, 1, 0);
    homeLayout->addWidget(TextHomePage, 1, 1, 1, 2);
    homeLayout->addWidget(CommandUseCurrent, 2, 1);
    homeLayout->addWidget(CommandUseDefault, 2, 2);

    CommandOK = new QPushButton(QStringLiteral("OK"), this);
    CommandCancel = new QPushButton(QStringLiteral("Cancel"), this);
    CommandOK->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CommandOK);
    buttons->addWidget(CommandCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(home);
    layout->addLayout(buttons);

    connect(CommandUseCurrent, &QPushButton::clicked, this, [this] { TextHomePage->setText(m_currentPage); });
    connect(CommandUseDefault, &QPushButton::clicked, this,
            [this] { TextHomePage->setText(InternetOptions::DefaultHomePage()); });
    connect(CommandOK, &QPushButton::clicked, this, &InternetOptionsDialog::accept);
    connect(CommandCancel, &QPushButton::clicked, this, &InternetOptionsDialog::reject);
}

InternetOptionsDialog *InternetOptionsDialog::Open(const QString &dataFolder, const QString &currentPage,
                                                  const QWidget *openedFrom)
{
    auto *dialog = new InternetOptionsDialog(dataFolder, currentPage);
    dialog->m_openedFrom = openedFrom;
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}

// Placed by the program's one rule rather than by QDialog, which would take the pointer's screen;
// placed as the program shows it, not as it comes back from minimized where the user left it.
void InternetOptionsDialog::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        ScreenPlacement::CentreOverOwnerOr(this, m_openedFrom);
}

void InternetOptionsDialog::accept()
{
    const QString page = TextHomePage->text().trimmed();
    if (!InternetOptions(m_dataFolder).SetHomePage(page.isEmpty() ? InternetOptions::DefaultHomePage() : page)) {
        QMessageBox::warning(this, windowTitle(), QStringLiteral("The options could not be saved."));
        return;
    }
    QDialog::accept();
}
