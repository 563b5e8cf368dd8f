#include "controls/XPStyleImageTextBox.h"

#include "controls/AddressBoxFrame.h"
#include "controls/AddressBoxImages.h"
#include "controls/AddressBoxLayout.h"
#include "controls/AddressListModel.h"
#include "controls/AddressListPopup.h"
#include "controls/AddressTextField.h"
#include "controls/AutoCompleteStore.h"
#include "controls/FlatDropDownButton.h"
#include "controls/TypedAddressList.h"

#include <QApplication>
#include <QLabel>
#include <QListView>
#include <QMenu>

using namespace AddressBoxLayout;

namespace {

QMenu *MakePopup(QWidget *parent, std::initializer_list<std::pair<int, const char *>> buttons)
{
    auto *menu = new QMenu(QStringLiteral("Popup Menu"), parent);
    for (const auto &[id, caption] : buttons) {
        QAction *action = menu->addAction(AddressBoxImages::PopupIcon(QString::number(id)),
                                          QString::fromLatin1(caption));
        action->setData(id);
    }
    return menu;
}

} // namespace

XPStyleImageTextBox::XPStyleImageTextBox(QWidget *parent)
    : QWidget(parent),
      m_Picture1(new AddressBoxFrame(this)),
      m_PictureFlatButton(new FlatDropDownButton(m_Picture1)),
      m_Picture2(new QLabel(m_Picture1)),
      m_Text1(new AddressTextField(m_Picture1)),
      m_TreeView1(new AddressListPopup(this)),
      m_TreeVeiwAutoComplete(new AddressListPopup(this)),
      m_objTextPopup(MakePopup(this, {{CommandCut, "Cut"}, {CommandCopy, "Copy"}, {CommandPaste, "Paste"}})),
      m_objListPopup(MakePopup(this, {{CommandCopyEntry, "Copy"}, {CommandEditEntry, "Edit"},
                                      {CommandDeleteEntry, "Delete"}})),
      m_OutsideClickWatcher(MakeOutsideClickWatcher())
{
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_Text1);
    setAttribute(Qt::WA_Hover, false);

    m_Picture2->setAlignment(Qt::AlignCenter);
    m_Picture2->installEventFilter(this);
    SetKindIcon(1);

    // The box shows its own text menu on the right-button press.
    m_Text1->setContextMenuPolicy(Qt::PreventContextMenu);
    m_Text1->installEventFilter(this);
    m_PictureFlatButton->installEventFilter(this);
    connect(m_Text1, &QLineEdit::textEdited, this, [this] { m_TextEditedByKey = true; });
    connect(m_PictureFlatButton, &FlatDropDownButton::Pressed, this, &XPStyleImageTextBox::ToggleDropDown);

    m_TreeView1->Model()->SetEditable(true);
    connect(m_TreeView1, &AddressListPopup::EntryReleased, this,
            [this](int row) { ChooseTypedEntry(row, true); });
    connect(m_TreeView1, &AddressListPopup::EntryRightPressed, this,
            &XPStyleImageTextBox::TypedEntryRightPressed);
    connect(m_TreeView1->Model(), &AddressListModel::EntryEdited, this,
            &XPStyleImageTextBox::TypedEntryEdited);
    connect(m_TreeView1, &AddressListPopup::EditFinished, this,
            &XPStyleImageTextBox::TypedEntryEditFinished);
    connect(m_TreeVeiwAutoComplete, &AddressListPopup::EntryReleased, this,
            [this](int row) { ChooseSuggestion(row, true); });

    for (QMenu *menu : {m_objTextPopup, m_objListPopup})
        connect(menu, &QMenu::triggered, this, [this](QAction *a) { RunCommand(a->data().toInt()); });

    setMinimumHeight(ToPixels(ClosedHeight));
    ArrangeParts();
}

XPStyleImageTextBox::~XPStyleImageTextBox()
{
    DropStores();
}

QSize XPStyleImageTextBox::sizeHint() const
{
    return QSize(ToPixels(6000), qMax(ToPixels(ClosedHeight), m_Text1->fontMetrics().height() + 6));
}

void XPStyleImageTextBox::resizeEvent(QResizeEvent *)
{
    ArrangeParts();
}

// The twips layout, with the text field as tall as its font needs, centred in the box.
void XPStyleImageTextBox::ArrangeParts()
{
    const Parts parts = Arrange(ToTwips(width()));
    QRect box = ToPixels(parts.Box);
    box.setHeight(height());
    m_Picture1->setGeometry(box);
    m_Picture1->SetFlatButtonLeft(parts.FlatButton.left());
    QRect button = ToPixels(parts.FlatButton);
    button.setHeight(qMax(button.height(), box.height() - 2 * button.top()));
    m_PictureFlatButton->setGeometry(button);
    QRect icon = ToPixels(parts.KindIcon);
    icon.moveTop((box.height() - icon.height()) / 2);
    m_Picture2->setGeometry(icon);
    QRect text = ToPixels(parts.TextField);
    text.setHeight(qMin(box.height() - 2, qMax(text.height(), m_Text1->fontMetrics().height() + 2)));
    text.moveTop((box.height() - text.height()) / 2);
    m_Text1->setGeometry(text);
    PlaceLists();
}

QRect XPStyleImageTextBox::ListRect() const
{
    const Parts parts = Arrange(ToTwips(m_Picture1->width()));
    QRect list = ToPixels(parts.List);
    list.moveTop(m_Picture1->height() + ToPixels(ListGap));
    return QRect(m_Picture1->mapToGlobal(list.topLeft()), list.size());
}

void XPStyleImageTextBox::PlaceLists()
{
    for (AddressListPopup *list : {m_TreeView1, m_TreeVeiwAutoComplete})
        if (list->isVisible())
            list->ShowAt(ListRect());
}

void XPStyleImageTextBox::SetBorderHighlighted(bool highlighted)
{
    m_Picture1->SetBorderHighlighted(highlighted);
}

bool XPStyleImageTextBox::BorderHighlighted() const
{
    return m_Picture1->BorderHighlighted();
}

void XPStyleImageTextBox::SetKindIcon(int kind)
{
    m_KindShown = kind == 2 ? 2 : 1;
    m_Picture2->setPixmap(AddressBoxImages::KindIcon(m_KindShown));
}

int XPStyleImageTextBox::Left() const { return qRound(ToTwips(m_Picture1->x())); }
void XPStyleImageTextBox::SetLeft(int twips) { m_Picture1->move(ToPixels(twips), m_Picture1->y()); }
int XPStyleImageTextBox::Top() const { return qRound(ToTwips(m_Picture1->y())); }
void XPStyleImageTextBox::SetTop(int twips) { m_Picture1->move(m_Picture1->x(), ToPixels(twips)); }
int XPStyleImageTextBox::Width() const { return qRound(ToTwips(width())); }
void XPStyleImageTextBox::SetWidth(int twips) { resize(ToPixels(twips), height()); }

int XPStyleImageTextBox::Height() const
{
    const bool open = m_TreeView1->isVisible() || m_TreeVeiwAutoComplete->isVisible();
    return qRound(ToTwips(height()) + (open ? ListGap + ListHeight : 0));
}

void XPStyleImageTextBox::SetHeight(int)
{
    resize(width(), ToPixels(ClosedHeight));
}

QString XPStyleImageTextBox::Text() const
{
    return m_Text1->text();
}

void XPStyleImageTextBox::SetText(const QString &text)
{
    m_Text1->setText(AddressTextField::SingleLine(text));
}

QColor XPStyleImageTextBox::FlatButtonBackColor() const
{
    return m_PictureFlatButton->BackColor();
}

void XPStyleImageTextBox::SetFlatButtonBackColor(const QColor &color)
{
    m_PictureFlatButton->SetBackColor(color);
}

// ---- Stores ----

void XPStyleImageTextBox::SetMaxItems(int maxItems)
{
    m_MaxItems = maxItems;
    if (m_TypedList)
        m_TypedList->SetMaxItems(maxItems);
}

void XPStyleImageTextBox::SetAppPath(const QString &appPath)
{
    if (appPath == m_AppPath)
        return;
    DropStores();
    m_AppPath = appPath;
}

void XPStyleImageTextBox::DropStores()
{
    if (m_TypedList)
        disconnect(m_TypedList.get(), nullptr, this, nullptr);
    m_TypedList.reset();
    m_AutoComplete.reset();
}

// Before a folder is given the box keeps its entries in memory and writes no file.
std::shared_ptr<TypedAddressList> XPStyleImageTextBox::AddressList() const
{
    auto *self = const_cast<XPStyleImageTextBox *>(this);
    if (!m_TypedList) {
        if (m_AppPath.isEmpty()) {
            self->m_TypedList = std::make_shared<TypedAddressList>(QString());
            m_TypedList->SetReadOnly(true);
        } else {
            self->m_TypedList = m_DataFilesReadOnly ? TypedAddressList::ReadOnlyCopy(m_AppPath)
                                                    : TypedAddressList::ForFolder(m_AppPath);
        }
        m_TypedList->SetMaxItems(m_MaxItems);
        connect(m_TypedList.get(), &TypedAddressList::ListChanged, self,
                &XPStyleImageTextBox::RefreshDropDown);
    }
    return m_TypedList;
}

std::shared_ptr<AutoCompleteStore> XPStyleImageTextBox::TakeAutoCompleteStore()
{
    if (!m_AutoComplete) {
        if (m_AppPath.isEmpty()) {
            m_AutoComplete = std::make_shared<AutoCompleteStore>(QString());
            m_AutoComplete->SetReadOnly(true);
        } else {
            m_AutoComplete = m_DataFilesReadOnly ? AutoCompleteStore::ReadOnlyCopy(m_AppPath)
                                                 : AutoCompleteStore::ForFolder(m_AppPath);
        }
    }
    return m_AutoComplete;
}

void XPStyleImageTextBox::InitializeAutoComplete()
{
    TakeAutoCompleteStore()->InitializeAutoComplete();
}

void XPStyleImageTextBox::InitializeAutoCompleteDataFile()
{
    TakeAutoCompleteStore()->InitializeAutoCompleteDataFile();
}

bool XPStyleImageTextBox::SaveAutoCompleteDataFile()
{
    return !m_AutoComplete || m_AutoComplete->SaveAutoCompleteDataFile();
}

void XPStyleImageTextBox::CleanAutoCompleteDataFile()
{
    TakeAutoCompleteStore()->CleanAutoCompleteDataFile();
    SetKindIcon(1);
}

void XPStyleImageTextBox::LoadAddressList()
{
    const auto list = AddressList();
    list->LoadAddressList(m_AutoComplete.get());
    if (list->Count() > 0)
        m_Text1->setText(list->Item(list->Count()).Text);
    SetKindIcon(1);
}

bool XPStyleImageTextBox::WriteAddressList()
{
    return AddressList()->WriteAddressList();
}

QStringList XPStyleImageTextBox::ClearAddressList()
{
    QStringList failed;
    if (!AddressList()->ClearAddressList())
        failed << QString::fromLatin1(TypedAddressList::FileName);
    if (!TakeAutoCompleteStore()->ClearAutoComplete())
        failed << QString::fromLatin1(AutoCompleteStore::FileName);
    HideAutoCompleteList();
    return failed;
}

void XPStyleImageTextBox::RemoveItem(int position)
{
    AddressList()->RemoveItem(position);
}

bool XPStyleImageTextBox::AddItem(const QString &text)
{
    const AddItemResult result = AddressList()->AddItem(text, m_AutoComplete.get());
    if (!result.IsAddress) {
        emit DoSearch(text);
        return false;
    }
    m_Text1->setText(result.Address);
    return true;
}
