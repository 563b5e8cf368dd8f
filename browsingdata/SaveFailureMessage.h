#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// Tells the user which of the program's data files could not be saved, and what each now holds:
// a file whose save failed before its rename keeps what it held before; one whose save failed
// after it holds the new content, which may not be on the disk yet. Tests put a function of
// their own in place of the box.
namespace SaveFailureMessage {

QString Text(const QStringList &kept, const QStringList &unconfirmed = {});
// Shows the message for the data files named, by their names in the program folder; nothing
// when none is named.
void Show(QWidget *parent, const QStringList &fileNames);

using Handler = std::function<void(const QString &text)>;
// Replaces the box; an empty handler brings it back.
void SetHandler(Handler handler);

} // namespace SaveFailureMessage
