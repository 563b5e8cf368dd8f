#pragma once

#include <QDate>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// One line of "AutoComplete2.dat": date "|" address "|" host "|" kind.
struct AutoCompleteEntry {
    QString Date;    // day key, "M/d/yyyy"
    QString Address;
    QString Host;    // the host after "http://www." or "ftp://ftp.", else empty
    qint16 Kind = 0; // 1 "http://www", 2 "ftp://ftp.", else 0
};

// The result of the matching run on a key release in the address box.
struct AutoCompleteMatches {
    bool Ran = false;        // false: no matching ran; the suggestion list stays as it was
    QStringList Addresses;   // matches in the order they were stored; empty: hide the list
};

// The addresses that the address box offers while the user types, kept in
// "AutoComplete2.dat". Addresses are keyed exactly; the first entry of an address stays.
class AutoCompleteStore : public QObject
{
    Q_OBJECT
public:
    static constexpr const char *FileName = "AutoComplete2.dat";

    explicit AutoCompleteStore(const QString &filePath, QObject *parent = nullptr);

    // The store of "AutoComplete2.dat" in appPath that every main window shares.
    static std::shared_ptr<AutoCompleteStore> ForFolder(const QString &appPath);
    // A store of its own that reads the file in appPath and never writes it (full screen).
    static std::shared_ptr<AutoCompleteStore> ReadOnlyCopy(const QString &appPath);

    QString FilePath() const { return m_filePath; }
    bool IsReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }

    // Where "today" comes from (tests fix it); the current date by default.
    void SetCurrentDateSource(std::function<QDate()> today);

    // Loads the file once per store (creating it empty when missing, unless read-only).
    // Lines with too few fields, a bad kind or a bad date are skipped.
    void InitializeAutoComplete();
    bool IsLoaded() const { return m_loaded; }
    // With no file: creates it empty and loads nothing; otherwise InitializeAutoComplete.
    void InitializeAutoCompleteDataFile();
    // Writes every entry, in the order stored; false when it could not be written.
    // The entries stay in memory: other windows may still be using them.
    bool SaveAutoCompleteDataFile();
    // With no file: creates it and saves the store into it.
    bool CleanAutoCompleteDataFile();
    // Forgets every entry and (unless read-only) empties the file: every entry was learned
    // from a typed address, so clearing those clears these. False when the file could not
    // be emptied.
    bool ClearAutoComplete();

    // Records an address with today's date unless it is empty or already stored.
    void AddAutoCompleteEntry(const QString &address);
    // The same for many addresses in order, filed in one go.
    void AddAutoCompleteEntries(const QStringList &addresses);

    int Count() const { return int(m_entries.size()); }
    const QList<AutoCompleteEntry> &Entries() const { return m_entries; }
    bool Contains(const QString &address) const;

    // The matching of a key release, given the whole text of the text field.
    AutoCompleteMatches FindAutoCompleteMatches(const QString &text) const;
    // Stored addresses whose text after the first 11 characters begins with r.
    QStringList MatchText(const QString &r) const;
    // Where the selection of a single completion starts (0-based): right after the first
    // occurrence of the typed text in the address; the end of the address when it is absent.
    static int CompletionSelectionStart(const QString &typed, const QString &address);

    static AutoCompleteEntry MakeEntry(const QString &address, const QDate &date);
    static QString EntryLine(const AutoCompleteEntry &entry);
    static std::optional<AutoCompleteEntry> ParseEntryLine(const QString &line);

private:
    // Addresses longer than 11 characters ordered by their text after the 11th: the first
    // four characters packed into Head settle most comparisons without reading the strings.
    // The index serves the matching and, as the addresses are looked up in it, the keying.
    struct TailRef {
        quint64 Head;
        int Index;
    };
    bool TailLess(const TailRef &a, const TailRef &b) const;
    TailRef MakeTailRef(int index) const;
    void Append(AutoCompleteEntry entry);
    void RebuildIndexDroppingRepeats();

    QString m_filePath;
    bool m_readOnly = false;
    bool m_loaded = false;
    std::function<QDate()> m_today;
    QList<AutoCompleteEntry> m_entries;   // in the order stored
    std::vector<TailRef> m_byTail;
    QHash<QString, int> m_shortAddresses; // addresses of 11 characters or fewer -> index
};
