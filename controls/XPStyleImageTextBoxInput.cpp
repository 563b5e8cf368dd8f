// The address box's keyboard, mouse and focus handling.
#include "controls/XPStyleImageTextBox.h"

#include "controls/AddressBoxFrame.h"
#include "controls/AddressListPopup.h"
#include "controls/AddressTextField.h"
#include "controls/FlatDropDownButton.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QTimer>

namespace {

bool IsEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool IsModifierOnly(int key)
{
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt
        || key == Qt::Key_Meta || key == Qt::Key_AltGr;
}

bool OpensDropDown(const QKeyEvent *event)
{
    return event->key() == Qt::Key_F4
        || (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier));
}

} // namespace

bool XPStyleImageTextBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_Text1) {
        switch (event->type()) {
        case QEvent::KeyPress: {
            auto *key = static_cast<QKeyEvent *>(event);
            return m_Keyboard == Keyboard::InTextField ? TextFieldKeyPress(key) : ListKeyPress(key);
        }
        case QEvent::KeyRelease:
            return TextFieldKeyRelease(static_cast<QKeyEvent *>(event));
        case QEvent::MouseButtonPress:
            TextFieldMousePress(static_cast<QMouseEvent *>(event));
            break;
        case QEvent::MouseButtonRelease:
            m_HasFocusHighlight = true;
            break;
        case QEvent::FocusOut:
            // The focus may have gone to a part of the box (a menu, an entry being edited);
            // look once the move has settled.
            QTimer::singleShot(0, this, &XPStyleImageTextBox::CheckFocusLeft);
            break;
        default:
            break;
        }
    }
    if (watched == m_Text1 || watched == m_PictureFlatButton) {
        if (event->type() == QEvent::Enter) {
            SetBorderHighlighted(true);
            emit MouseEnter();
        } else if (event->type() == QEvent::Leave) {
            if (!m_HasFocusHighlight && !m_ListShown)
                SetBorderHighlighted(false);
            emit MouseLeave();
        }
    }
    if (watched == m_Picture2 && event->type() == QEvent::MouseButtonPress) {
        m_ListShown = false;
        m_Text1->setFocus(Qt::MouseFocusReason);
        return true;
    }
    if (watched == m_WatchedWindow) {
        if (event->type() == QEvent::Move || event->type() == QEvent::Resize)
            PlaceLists();
        else if (event->type() == QEvent::Hide)
            HideLists();
    }
    return QWidget::eventFilter(watched, event);
}

bool XPStyleImageTextBox::TextFieldKeyPress(QKeyEvent *event)
{
    m_TextEditedByKey = false;
    m_PressDeletes = event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete
        || event == QKeySequence::Cut;
    m_DownEntersList = false;
    if (IsEnter(event->key())) {
        CommitText();
        return true;
    }
    if (OpensDropDown(event)) {
        ToggleDropDown();
        return true;
    }
    if (event->key() == Qt::Key_Escape
        && (m_TreeView1->isVisible() || m_TreeVeiwAutoComplete->isVisible())) {
        m_ListShown = false;
        HideLists();
        return true;
    }
    if (event->key() == Qt::Key_Down && m_ListShown && m_TreeVeiwAutoComplete->isVisible()
        && m_TreeVeiwAutoComplete->RowCount() > 0) {
        m_DownEntersList = true;
        return true;
    }
    return false;
}

bool XPStyleImageTextBox::ListKeyPress(QKeyEvent *event)
{
    const bool typed = m_Keyboard == Keyboard::InTypedList;
    AddressListPopup *list = typed ? m_TreeView1 : m_TreeVeiwAutoComplete;
    switch (event->key()) {
    case Qt::Key_Up:
        if (!typed && list->SelectedRow() <= 0) {
            list->SelectRow(-1);
            m_Keyboard = Keyboard::InTextField;
        } else {
            list->MoveSelection(-1);
        }
        return true;
    case Qt::Key_Down:
        list->MoveSelection(1);
        return true;
    case Qt::Key_PageUp:
        list->MoveSelection(-list->RowsInView());
        return true;
    case Qt::Key_PageDown:
        list->MoveSelection(list->RowsInView());
        return true;
    case Qt::Key_Home:
        list->SelectRow(0);
        return true;
    case Qt::Key_End:
        list->SelectRow(list->RowCount() - 1);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (typed)
            ChooseTypedEntry(list->SelectedRow(), false);
        else
            ChooseSuggestion(list->SelectedRow(), false);
        return true;
    case Qt::Key_Escape:
        m_ListShown = false;
        HideLists();
        return true;
    case Qt::Key_Delete:
        if (typed) {
            DeleteSelectedEntry();
            return true;
        }
        break;
    default:
        if (IsModifierOnly(event->key()))
            return true;
        break;
    }
    // Any other key goes back to the text: the typed list closes as it loses the keyboard.
    if (typed)
        HideDropDownList();
    m_Keyboard = Keyboard::InTextField;
    return TextFieldKeyPress(event);
}

bool XPStyleImageTextBox::TextFieldKeyRelease(QKeyEvent *event)
{
    if (event->isAutoRepeat() && m_Keyboard != Keyboard::InTextField)
        return true;
    if (m_DownEntersList && event->key() == Qt::Key_Down) {
        m_DownEntersList = false;
        FindAutoCompleteMatches(m_Text1->text());
        if (m_TreeVeiwAutoComplete->isVisible() && m_TreeVeiwAutoComplete->RowCount() > 0) {
            m_Keyboard = Keyboard::InSuggestions;
            m_TreeVeiwAutoComplete->SelectRow(0);
        }
        return true;
    }
    if (m_Keyboard != Keyboard::InTextField)
        return true;
    // Completion follows typing only: a key that moved the caret or deleted text leaves the
    // text as it is, so the user can edit a completed address and delete a completion.
    if (m_TextEditedByKey && !m_PressDeletes) {
        m_TextEditedByKey = false;
        FindAutoCompleteMatches(m_Text1->text());
    }
    return false;
}

void XPStyleImageTextBox::TextFieldMousePress(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton)
        m_objTextPopup->popup(event->globalPosition().toPoint());
    HideDropDownList();
    m_ListShown = false;
    m_Keyboard = Keyboard::InTextField;
}

void XPStyleImageTextBox::CommitText()
{
    const QString text = AddressTextField::SingleLine(m_Text1->text());
    const bool isAddress = AddItem(text);
    m_ListShown = false;
    HideLists();
    if (!isAddress)
        return;
    m_Picture1->repaint();
    emit UrlChanged();
}

bool XPStyleImageTextBox::HoldsFocus() const
{
    const QWidget *focus = QApplication::focusWidget();
    if (QApplication::activePopupWidget() == m_objTextPopup
        || QApplication::activePopupWidget() == m_objListPopup)
        return true;
    if (m_TreeView1->IsEditing())
        return true;
    return focus && (focus == m_Text1 || isAncestorOf(focus));
}

void XPStyleImageTextBox::CheckFocusLeft()
{
    if (!HoldsFocus())
        FocusLeft();
}

void XPStyleImageTextBox::FocusLeft()
{
    HideLists();
    m_ListShown = false;
    m_HasFocusHighlight = false;
    m_Keyboard = Keyboard::InTextField;
    SetBorderHighlighted(false);
}
