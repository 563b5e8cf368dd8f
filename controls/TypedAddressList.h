#pragma once

#include "controls/AddressRules.h"

#include <QList>
#include <QObject>
#include <QString>
#include <memory>

class AutoCompleteStore;

// One typed address of the address box's drop-down list.
struct TypedAddress {
    QString Text;
    qint16 Kind = WebAddress;
};

// What AddItem did with a committed text.
struct AddItemResult {
    bool IsAddress = false; // false: a search; the host raises DoSearch with the text
    QString Address;        // what the text field shows
    qint16 Kind = NoAddress;
    bool IsNew = false;     // false: an equal entry was moved to the newest place
};

// The typed addresses behind the address box, kept in "Url.dat" one a line, oldest first.
// Positions run 1..Count, oldest first; the drop-down list shows them newest first.
class TypedAddressList : public QObject
{
    Q_OBJECT
public:
    static constexpr const char *FileName = "Url.dat";

    explicit TypedAddressList(const QString &filePath, QObject *parent = nullptr);

    // The list of "Url.dat" in appPath that every main window shares.
    static std::shared_ptr<TypedAddressList> ForFolder(const QString &appPath);
    // A list of its own that reads "Url.dat" in appPath and never writes it (full screen).
    static std::shared_ptr<TypedAddressList> ReadOnlyCopy(const QString &appPath);

    QString FilePath() const { return m_filePath; }
    bool IsReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }

    int MaxItems() const { return m_maxItems; }
    void SetMaxItems(int maxItems);

    // Commits one text (normalising, moving or adding, limiting to MaxItems); a new address
    // is also recorded in autoComplete when one is given.
    AddItemResult AddItem(const QString &text, AutoCompleteStore *autoComplete = nullptr);

    int Count() const { return int(m_items.size()); }
    const QList<TypedAddress> &Items() const { return m_items; } // oldest first
    TypedAddress Item(int position) const;                         // 1-based

    // Removes the entry at position (1-based); out of range does nothing.
    void RemoveItem(int position);
    // Moves the entry at position to the newest place, as a choice from the drop-down list.
    void MoveToNewest(int position);
    // The text of an entry edited in place; kept as typed, only made safe for the file.
    void SetItemText(int position, const QString &text);

    // Fills the list from the file, once per store, so a second window does not read the
    // file over the first one's entries; addresses committed before it stay the newest.
    // Lines go through AddItem; a line that is no address is skipped (no search is started).
    void LoadAddressList(AutoCompleteStore *autoComplete = nullptr);
    bool IsLoaded() const { return m_loaded; }
    // Rewrites the file from the list (reading it first when that has not happened yet);
    // false when it could not be written. Read-only: no-op.
    bool WriteAddressList();
    // Empties the list and (unless read-only) the file.
    bool ClearAddressList();

signals:
    // The entries changed: every box that shows this list refreshes its drop-down list.
    void ListChanged();

private:
    AddItemResult Commit(const QString &text, AutoCompleteStore *autoComplete);
    void TrimToMaxItems();

    QString m_filePath;
    QList<TypedAddress> m_items;
    int m_maxItems = 0;
    bool m_readOnly = false;
    bool m_loaded = false;
};
