#include "controls/AddressTextField.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>

AddressTextField::AddressTextField(QWidget *parent) : QLineEdit(parent)
{
    setFrame(false);
}

QString AddressTextField::SingleLine(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\r':
        case u'\n':
        case u'\v':
        case u'\f':
        case 0x0085:
        case 0x2028:
        case 0x2029:
            break;
        default:
            result.append(c);
        }
    }
    return result;
}

void AddressTextField::CutToClipboard()
{
    QClipboard *clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(selectedText());
    if (hasSelectedText())
        del();
}

void AddressTextField::CopyToClipboard()
{
    QApplication::clipboard()->setText(selectedText());
}

void AddressTextField::PasteFromClipboard()
{
    InsertFromOutside(QApplication::clipboard()->text());
}

void AddressTextField::InsertFromOutside(const QString &text)
{
    if (isReadOnly())
        return;
    insert(SingleLine(text));
}

void AddressTextField::keyPressEvent(QKeyEvent *event)
{
    if (event == QKeySequence::Paste) {
        PasteFromClipboard();
        event->accept();
        return;
    }
    if (event == QKeySequence::Cut) {
        CutToClipboard();
        event->accept();
        return;
    }
    if (event == QKeySequence::Copy) {
        CopyToClipboard();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void AddressTextField::mouseReleaseEvent(QMouseEvent *event)
{
    QClipboard *clipboard = QApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection()) {
        setCursorPosition(cursorPositionAt(event->position().toPoint()));
        InsertFromOutside(clipboard->text(QClipboard::Selection));
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void AddressTextField::dropEvent(QDropEvent *event)
{
    if (!event->mimeData()->hasText()) {
        QLineEdit::dropEvent(event);
        return;
    }
    QMimeData clean;
    clean.setText(SingleLine(event->mimeData()->text()));
    QDropEvent cleanDrop(event->position(), event->dropAction(), &clean, event->buttons(),
                         event->modifiers(), event->type());
    QLineEdit::dropEvent(&cleanDrop);
    event->setDropAction(cleanDrop.dropAction());
    event->setAccepted(cleanDrop.isAccepted());
}
