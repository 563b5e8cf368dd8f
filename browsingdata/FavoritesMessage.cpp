#include "browsingdata/FavoritesMessage.h"

#include "app/ApplicationTitle.h"

#include <QMessageBox>

namespace FavoritesMessage {

namespace {

Handler &CurrentHandler()
{
    static Handler handler;
    return handler;
}

} // namespace

void Show(QWidget *parent, const QString &text, const QString &title)
{
    const QString shownTitle = title.isEmpty() ? ApplicationTitle : title;
    if (CurrentHandler()) {
        CurrentHandler()(text, shownTitle);
        return;
    }
    QMessageBox::warning(parent, shownTitle, text, QMessageBox::Ok);
}

void SetHandler(Handler handler)
{
    CurrentHandler() = std::move(handler);
}

} // namespace FavoritesMessage
