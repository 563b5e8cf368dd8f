#pragma once

#include <QColor>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

class AddressBoxFrame;
class AddressListPopup;
class AddressTextField;
class AutoCompleteStore;
class FlatDropDownButton;
class QLabel;
class QMenu;
class TypedAddressList;

// The browser's address box: a flat box with the kind icon, the text field and a drop-down
// button. Below it opens either the drop-down list of typed addresses or the suggestion
// list of the autocomplete, each a window of its own over the page; the text field keeps
// the keyboard throughout and steers whichever list it is in. Sizes are in twips.
//
// A host sets it up in this order: SetMaxItems, SetAppPath, InitializeAutoComplete,
// LoadAddressList; and on closing calls SaveAutoCompleteDataFile, then WriteAddressList.
// The data files are shared: every box of the program on one folder uses one store each.
class XPStyleImageTextBox : public QWidget
{
    Q_OBJECT
public:
    // Command ids of the two popup menus.
    enum Command { CommandCut = 6000, CommandCopy = 6001, CommandPaste = 6002,
                   CommandCopyEntry = 7000, CommandEditEntry = 7001, CommandDeleteEntry = 7002 };

    explicit XPStyleImageTextBox(QWidget *parent = nullptr);
    ~XPStyleImageTextBox() override;

    void ShowDropDown();
    void InitializeAutoComplete();

    // The box's left and top edges inside the control; writing moves the box only.
    int Left() const;
    void SetLeft(int twips);
    int Width() const;
    void SetWidth(int twips);
    QString Text() const;
    void SetText(const QString &text);
    int Top() const;
    void SetTop(int twips);
    // The height the control covers, an open list included; writing always gives 300.
    int Height() const;
    void SetHeight(int ignored);

    // Empties the typed addresses and what the autocomplete learned from them, in memory and
    // in their files; returns the names of the files that could not be emptied.
    QStringList ClearAddressList();
    void LoadAddressList();
    bool WriteAddressList();
    // Commits a text: an address is normalised, moved or added in the typed-address list,
    // shown in the text field and recorded for the autocomplete (true); any other text raises
    // DoSearch (false).
    bool AddItem(const QString &text);
    void RemoveItem(int position);

    int MaxItems() const { return m_MaxItems; }
    void SetMaxItems(int maxItems);
    QString AppPath() const { return m_AppPath; }
    void SetAppPath(const QString &appPath);
    void SetNumberOfDaysInHistory(int days) { m_DaysInHistory = days; }
    QColor FlatButtonBackColor() const;
    void SetFlatButtonBackColor(const QColor &color);

    void InitializeAutoCompleteDataFile();
    bool SaveAutoCompleteDataFile();
    void CleanAutoCompleteDataFile();

    // A box that reads the data files and never writes them (the full-screen window's).
    // Takes effect for the stores taken after it is set: set it before InitializeAutoComplete.
    void SetDataFilesReadOnly(bool readOnly) { m_DataFilesReadOnly = readOnly; }

    // The constituents, for the host's layout and for tests.
    AddressBoxFrame *Picture1() const { return m_Picture1; }
    FlatDropDownButton *PictureFlatButton() const { return m_PictureFlatButton; }
    QLabel *Picture2() const { return m_Picture2; }
    AddressTextField *Text1() const { return m_Text1; }
    AddressListPopup *TreeView1() const { return m_TreeView1; }
    AddressListPopup *TreeVeiwAutoComplete() const { return m_TreeVeiwAutoComplete; }
    QMenu *TextPopup() const { return m_objTextPopup; }
    QMenu *ListPopup() const { return m_objListPopup; }

    bool ListShown() const { return m_ListShown; }
    bool HasFocusHighlight() const { return m_HasFocusHighlight; }
    bool BorderHighlighted() const;
    int KindShown() const { return m_KindShown; }
    std::shared_ptr<TypedAddressList> AddressList() const;
    std::shared_ptr<AutoCompleteStore> AutoComplete() const { return m_AutoComplete; }

    QSize sizeHint() const override;

signals:
    void MouseEnter();
    void MouseLeave();
    void DoSearch(const QString &text);
    void UrlChanged();

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Keyboard { InTextField, InTypedList, InSuggestions };

    // Layout and looks.
    void ArrangeParts();
    void SetBorderHighlighted(bool highlighted);
    void SetKindIcon(int kind);
    QRect ListRect() const;
    void PlaceLists();

    // Stores.
    std::shared_ptr<AutoCompleteStore> TakeAutoCompleteStore();
    void DropStores();

    // The text field.
    bool TextFieldKeyPress(QKeyEvent *event);
    bool TextFieldKeyRelease(QKeyEvent *event);
    bool ListKeyPress(QKeyEvent *event);
    void TextFieldMousePress(QMouseEvent *event);
    void CommitText();
    void CheckFocusLeft();
    bool HoldsFocus() const;
    void FocusLeft();

    // The typed-address list.
    void HideDropDownList();
    void ToggleDropDown();
    void RefreshDropDown();
    int PositionOfRow(int row) const;
    void ChooseTypedEntry(int row, bool byMouse);
    void TypedEntryRightPressed(int row, const QPoint &globalPos);
    void TypedEntryEdited(int row, const QString &text);
    void TypedEntryEditFinished();
    void DeleteSelectedEntry();

    // The suggestion list.
    void FindAutoCompleteMatches(const QString &text);
    void ShowAutoCompleteList(const QString &text, const QStringList &matches);
    void HideAutoCompleteList();
    void ChooseSuggestion(int row, bool byMouse);
    void HideLists();
    void WatchOutside(bool watch);
    QObject *MakeOutsideClickWatcher();
    bool IsPartOfBox(const QWidget *widget) const;

    void RunCommand(int id);

    AddressBoxFrame *m_Picture1;
    FlatDropDownButton *m_PictureFlatButton;
    QLabel *m_Picture2;
    AddressTextField *m_Text1;
    AddressListPopup *m_TreeView1;
    AddressListPopup *m_TreeVeiwAutoComplete;
    QMenu *m_objTextPopup;
    QMenu *m_objListPopup;

    std::shared_ptr<TypedAddressList> m_TypedList;
    std::shared_ptr<AutoCompleteStore> m_AutoComplete;
    QString m_AppPath;
    int m_MaxItems = 0;
    int m_DaysInHistory = 0;
    bool m_DataFilesReadOnly = false;

    bool m_ListShown = false;
    bool m_HasFocusHighlight = false;
    bool m_Hovered = false;
    int m_KindShown = 1;
    Keyboard m_Keyboard = Keyboard::InTextField;
    bool m_TextEditedByKey = false;
    bool m_PressDeletes = false;
    bool m_DownEntersList = false;
    QPointer<QWidget> m_WatchedWindow;
    QObject *m_OutsideClickWatcher;
};
