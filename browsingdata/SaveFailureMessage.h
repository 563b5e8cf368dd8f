#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// Tells the user which of the program's files could not be saved: such a file keeps what it
// held before. Tests put a function of their own in place of the box.
namespace SaveFailureMessage {

QString Text(const QStringList &fileNames);
// Shows the message for the files named; nothing when none is named.
void Show(QWidget *parent, const QStringList &fileNames);

using Handler = std::function<void(const QString &text)>;
// Replaces the box; an empty handler brings it back.
void SetHandler(Handler handler);

} // namespace SaveFailureMessage
