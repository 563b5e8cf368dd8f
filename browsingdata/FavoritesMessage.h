#pragma once

#include <QString>

#include <functional>

class QWidget;

// The favorites' messages to the user: an OK box with the exclamation icon. Tests put a
// function of their own in place of the box.
namespace FavoritesMessage {

// An empty title shows the program's title.
void Show(QWidget *parent, const QString &text, const QString &title = {});

using Handler = std::function<void(const QString &text, const QString &title)>;
// Replaces the box; an empty handler brings it back. The title handed over is the one shown.
void SetHandler(Handler handler);

} // namespace FavoritesMessage
