// The address box's two lists: the typed addresses and the suggestions, and their menus.
#include "controls/XPStyleImageTextBox.h"

#include "controls/AddressBoxFrame.h"
#include "controls/AddressListModel.h"
#include "controls/AddressListPopup.h"
#include "controls/AddressTextField.h"
#include "controls/AutoCompleteStore.h"
#include "controls/TypedAddressList.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

#include <functional>

namespace {

// The part of the typed text that the matching compared with the stored addresses: the text
// after "http://www." or "www.", else the whole text.
qsizetype MatchedLength(const QString &typed)
{
    if (typed.startsWith(QLatin1String("http://www.")) || typed.startsWith(QLatin1String("www.")))
        return typed.size() - typed.indexOf(QLatin1Char('.')) - 1;
    return typed.size();
}

// Stored addresses are matched on their text after the first 11 characters.
constexpr qsizetype MatchOffset = 11;

// A press of a mouse button anywhere in the program outside the box and its lists closes
// the lists: they are windows of their own and see no such press themselves.
class OutsideClickWatcher : public QObject
{
public:
    OutsideClickWatcher(QObject *parent, std::function<bool(const QWidget *)> isInside,
                        std::function<void()> pressedOutside)
        : QObject(parent), m_isInside(std::move(isInside)), m_pressedOutside(std::move(pressedOutside))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()
            && !m_isInside(static_cast<QWidget *>(watched)))
            m_pressedOutside();
        return false;
    }

private:
    std::function<bool(const QWidget *)> m_isInside;
    std::function<void()> m_pressedOutside;
};

} // namespace


QObject *XPStyleImageTextBox::MakeOutsideClickWatcher()
{
    return new OutsideClickWatcher(
        this, [this](const QWidget *w) { return IsPartOfBox(w); },
        [this] {
            m_ListShown = false;
            HideLists();
        });
}

bool XPStyleImageTextBox::IsPartOfBox(const QWidget *widget) const
{
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        if (w == this || w == m_TreeView1 || w == m_TreeVeiwAutoComplete || w == m_objTextPopup
            || w == m_objListPopup)
            return true;
    }
    return false;
}

// While a list is open the box follows its window's moves and watches for presses outside.
void XPStyleImageTextBox::WatchOutside(bool watch)
{
    if (m_WatchedWindow)
        m_WatchedWindow->removeEventFilter(this);
    qApp->removeEventFilter(m_OutsideClickWatcher);
    m_WatchedWindow = nullptr;
    if (!watch)
        return;
    m_WatchedWindow = window();
    if (m_WatchedWindow != this)
        m_WatchedWindow->installEventFilter(this);
    qApp->installEventFilter(m_OutsideClickWatcher);
}

void XPStyleImageTextBox::HideLists()
{
    HideAutoCompleteList();
    HideDropDownList();
}

// ---- The typed-address list ----

void XPStyleImageTextBox::ShowDropDown()
{
    HideAutoCompleteList();
    RefreshDropDown();
    m_ListShown = true;
    m_TreeView1->ShowAt(ListRect());
    WatchOutside(true);
    m_Keyboard = Keyboard::InTypedList;
    m_TreeView1->SelectRow(-1);
    m_TreeView1->ScrollToTop();
    if (!m_Text1->hasFocus())
        m_Text1->setFocus(Qt::OtherFocusReason);
    SetBorderHighlighted(true);
}

void XPStyleImageTextBox::HideDropDownList()
{
    if (m_Keyboard == Keyboard::InTypedList)
        m_Keyboard = Keyboard::InTextField;
    if (!m_TreeView1->isVisible())
        return;
    m_TreeView1->hide();
    WatchOutside(m_TreeVeiwAutoComplete->isVisible());
}

void XPStyleImageTextBox::ToggleDropDown()
{
    if (m_TreeView1->isVisible()) {
        m_ListShown = false;
        HideDropDownList();
    } else {
        ShowDropDown();
    }
}

// The list shows the newest address at the top.
void XPStyleImageTextBox::RefreshDropDown()
{
    if (!m_TypedList)
        return;
    const QList<TypedAddress> &items = m_TypedList->Items();
    QStringList texts;
    QList<qint16> kinds;
    texts.reserve(items.size());
    kinds.reserve(items.size());
    for (auto it = items.crbegin(); it != items.crend(); ++it) {
        texts.append(it->Text);
        kinds.append(it->Kind);
    }
    const int selected = m_TreeView1->SelectedRow();
    m_TreeView1->Model()->SetEntries(texts, kinds);
    if (selected >= 0)
        m_TreeView1->SelectRow(qMin(selected, int(texts.size()) - 1));
}

int XPStyleImageTextBox::PositionOfRow(int row) const
{
    return m_TypedList ? m_TypedList->Count() - row : 0;
}

void XPStyleImageTextBox::ChooseTypedEntry(int row, bool byMouse)
{
    if (row < 0 || row >= m_TreeView1->RowCount())
        return;
    const QString text = m_TreeView1->Model()->Text(row);
    m_Text1->setText(text);
    SetKindIcon(m_TreeView1->Model()->Kind(row));
    if (byMouse && m_ListShown)
        m_Text1->setFocus(Qt::MouseFocusReason);
    m_ListShown = false;
    HideDropDownList();
    AddressList()->MoveToNewest(PositionOfRow(row));
    emit UrlChanged();
}

void XPStyleImageTextBox::TypedEntryRightPressed(int, const QPoint &globalPos)
{
    m_objListPopup->popup(globalPos);
}

void XPStyleImageTextBox::TypedEntryEdited(int row, const QString &text)
{
    AddressList()->SetItemText(PositionOfRow(row), AddressTextField::SingleLine(text));
}

void XPStyleImageTextBox::TypedEntryEditFinished()
{
    window()->activateWindow();
    m_Text1->setFocus(Qt::OtherFocusReason);
    if (m_TreeView1->isVisible())
        m_Keyboard = Keyboard::InTypedList;
}

void XPStyleImageTextBox::DeleteSelectedEntry()
{
    const int row = m_TreeView1->SelectedRow();
    if (row >= 0)
        AddressList()->RemoveItem(PositionOfRow(row));
}

// ---- The suggestion list ----

void XPStyleImageTextBox::FindAutoCompleteMatches(const QString &text)
{
    if (!m_AutoComplete)
        return;
    const AutoCompleteMatches matches = m_AutoComplete->FindAutoCompleteMatches(text);
    if (!matches.Ran)
        return;
    if (matches.Addresses.isEmpty())
        HideAutoCompleteList();
    else
        ShowAutoCompleteList(text, matches.Addresses);
}

void XPStyleImageTextBox::ShowAutoCompleteList(const QString &text, const QStringList &matches)
{
    HideDropDownList();
    m_TreeVeiwAutoComplete->Model()->SetEntries(matches);
    // A single match completes the text inline, keeping what the user typed in front of the
    // selected rest so that the next key replaces only the rest. Only an address that begins
    // with "http://www." keeps the typed text so; any other is compared from a position that
    // cuts into its host, and completing it would leave the user typing into its middle.
    const QString address = matches.size() == 1 ? matches.first() : QString();
    if (address.startsWith(QLatin1String("http://www."))) {
        const int start = int(qMin(address.size(), MatchOffset + MatchedLength(text)));
        m_Text1->setText(address);
        m_Text1->setSelection(start, int(address.size()) - start);
    }
    m_ListShown = true;
    m_TreeVeiwAutoComplete->ShowAt(ListRect());
    WatchOutside(true);
    SetBorderHighlighted(true);
}

void XPStyleImageTextBox::HideAutoCompleteList()
{
    if (m_Keyboard == Keyboard::InSuggestions)
        m_Keyboard = Keyboard::InTextField;
    if (!m_TreeVeiwAutoComplete->isVisible())
        return;
    m_TreeVeiwAutoComplete->hide();
    m_TreeVeiwAutoComplete->Model()->Clear();
    WatchOutside(m_TreeView1->isVisible());
}

void XPStyleImageTextBox::ChooseSuggestion(int row, bool byMouse)
{
    if (row < 0 || row >= m_TreeVeiwAutoComplete->RowCount())
        return;
    m_Text1->setText(m_TreeVeiwAutoComplete->Model()->Text(row));
    SetKindIcon(m_TreeVeiwAutoComplete->Model()->Kind(row));
    if (byMouse && m_ListShown)
        m_Text1->setFocus(Qt::MouseFocusReason);
    m_ListShown = false;
    HideAutoCompleteList();
    emit UrlChanged();
}

// ---- The popup menus ----

void XPStyleImageTextBox::RunCommand(int id)
{
    switch (id) {
    case CommandCut:
        m_Text1->CutToClipboard();
        break;
    case CommandCopy:
        m_Text1->CopyToClipboard();
        break;
    case CommandPaste:
        m_Text1->PasteFromClipboard();
        break;
    case CommandCopyEntry:
        if (m_TreeView1->SelectedRow() >= 0)
            QApplication::clipboard()->setText(m_TreeView1->Model()->Text(m_TreeView1->SelectedRow()));
        break;
    case CommandEditEntry:
        // After the menu has closed and given the keyboard back, the entry's editor takes it.
        QTimer::singleShot(0, this, [this] { m_TreeView1->EditRow(m_TreeView1->SelectedRow()); });
        break;
    case CommandDeleteEntry:
        DeleteSelectedEntry();
        break;
    default:
        break;
    }
}
