#include "ftp/FormDialogTools.h"

#include "app/ApplicationTitle.h"
#include "platform/NumberedError.h"

#include <QMessageBox>
#include <QMetaObject>
#include <QWidget>

namespace FormDialogTools {

namespace {

constexpr int TwipsPerPixel = 15;

} // namespace

void PlaceTwips(QWidget *control, int left, int top, int width, int height)
{
    control->setGeometry(left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel,
                         height / TwipsPerPixel);
}

void MakeFixedDialog(QWidget *dialog, int clientWidthTwips, int clientHeightTwips)
{
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    dialog->setFixedSize(clientWidthTwips / TwipsPerPixel, clientHeightTwips / TwipsPerPixel);
}

void CallHostByName(QWidget *dialog, QObject *host, const char *procedure)
{
    if (!host)
        return;
    try {
        QMetaObject::invokeMethod(host, procedure, Qt::DirectConnection);
    } catch (const NumberedError &error) {
        ShowError(dialog, error.Number(), error.Description());
    } catch (const std::exception &error) {
        ShowError(dialog, 0, QString::fromLocal8Bit(error.what()));
    }
}

void ShowError(QWidget *dialog, int number, const QString &description)
{
    QMessageBox box(QMessageBox::NoIcon, ApplicationTitle,
                    QStringLiteral("Error: %1 %2").arg(number).arg(description), QMessageBox::Ok,
                    dialog);
    box.exec();
}

} // namespace FormDialogTools
