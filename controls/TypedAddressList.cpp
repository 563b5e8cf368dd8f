#include "controls/TypedAddressList.h"

#include "controls/AutoCompleteStore.h"
#include "controls/SharedStore.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QHash>
#include <QSet>
#include <utility>

TypedAddressList::TypedAddressList(const QString &filePath, QObject *parent)
    : QObject(parent), m_filePath(filePath)
{
}

std::shared_ptr<TypedAddressList> TypedAddressList::ForFolder(const QString &appPath)
{
    return SharedStoreFor<TypedAddressList>(QDir(appPath).filePath(QLatin1String(FileName)));
}

std::shared_ptr<TypedAddressList> TypedAddressList::ReadOnlyCopy(const QString &appPath)
{
    auto list = std::make_shared<TypedAddressList>(QDir(appPath).filePath(QLatin1String(FileName)));
    list->SetReadOnly(true);
    return list;
}

void TypedAddressList::SetMaxItems(int maxItems)
{
    m_maxItems = maxItems;
}

AddItemResult TypedAddressList::AddItem(const QString &text, AutoCompleteStore *autoComplete)
{
    const AddItemResult result = Commit(text, autoComplete);
    if (result.IsAddress)
        emit ListChanged();
    return result;
}

AddItemResult TypedAddressList::Commit(const QString &text, AutoCompleteStore *autoComplete)
{
    const CommittedText committed = AddressRules::NormalizeCommittedText(text);
    if (!committed.IsAddress)
        return {};

    AddItemResult result{true, committed.Address, committed.Kind, false};
    // Every equal entry moves to the newest place with this commit's kind; the count stays.
    QList<TypedAddress> moved;
    for (qsizetype i = 0; i < m_items.size();) {
        if (m_items.at(i).Text == committed.Address) {
            moved.append(TypedAddress{committed.Address, committed.Kind});
            m_items.removeAt(i);
        } else {
            ++i;
        }
    }
    if (!moved.isEmpty()) {
        m_items.append(moved);
        return result;
    }

    m_items.append(TypedAddress{committed.Address, committed.Kind});
    TrimToMaxItems();
    if (autoComplete)
        autoComplete->AddAutoCompleteEntry(committed.Address);
    result.IsNew = true;
    return result;
}

// The oldest entries go while the list is longer than the limit; a limit lowered at run
// time takes effect at the next new address.
void TypedAddressList::TrimToMaxItems()
{
    const qsizetype limit = qMax(0, m_maxItems);
    if (m_items.size() > limit)
        m_items.remove(0, m_items.size() - limit);
}

TypedAddress TypedAddressList::Item(int position) const
{
    if (position < 1 || position > m_items.size())
        return {};
    return m_items.at(position - 1);
}

void TypedAddressList::RemoveItem(int position)
{
    if (position < 1 || position > m_items.size())
        return;
    m_items.removeAt(position - 1);
    emit ListChanged();
}

void TypedAddressList::MoveToNewest(int position)
{
    if (position < 1 || position > m_items.size())
        return;
    m_items.append(m_items.takeAt(position - 1));
    emit ListChanged();
}

void TypedAddressList::SetItemText(int position, const QString &text)
{
    if (position < 1 || position > m_items.size())
        return;
    m_items[position - 1].Text = AddressRules::MakeSafe(text);
    emit ListChanged();
}

void TypedAddressList::LoadAddressList(AutoCompleteStore *autoComplete)
{
    if (m_loaded)
        return;
    m_loaded = true;
    QStringList lines;
    TextFile::ReadLines(m_filePath, lines);
    // Committing the lines one by one keeps every distinct address at its last commit, the
    // newest MaxItems of them: that list is made in one pass instead of one search per line.
    QList<TypedAddress> committed;
    committed.reserve(lines.size());
    QHash<QString, qsizetype> lastCommit;
    lastCommit.reserve(lines.size());
    for (const QString &line : std::as_const(lines)) {
        const CommittedText text = AddressRules::NormalizeCommittedText(line);
        if (!text.IsAddress)
            continue;
        lastCommit.insert(text.Address, committed.size());
        committed.append(TypedAddress{text.Address, text.Kind});
    }
    QStringList addresses;
    addresses.reserve(committed.size());
    for (const TypedAddress &item : std::as_const(committed))
        addresses.append(item.Text);
    // Addresses committed before the file was read are newer than all of it.
    const QList<TypedAddress> committedBefore = std::exchange(m_items, {});
    QSet<QString> newer;
    for (const TypedAddress &item : committedBefore)
        newer.insert(item.Text);
    for (qsizetype i = 0; i < committed.size(); ++i) {
        if (lastCommit.value(committed.at(i).Text) == i && !newer.contains(committed.at(i).Text))
            m_items.append(committed.at(i));
    }
    m_items.append(committedBefore);
    TrimToMaxItems();
    if (autoComplete)
        autoComplete->AddAutoCompleteEntries(addresses);
    emit ListChanged();
}

bool TypedAddressList::WriteAddressList()
{
    if (m_readOnly)
        return true;
    // Never write over addresses of the file that were not read yet.
    if (!m_loaded)
        LoadAddressList();
    QStringList lines;
    lines.reserve(m_items.size());
    for (const TypedAddress &item : std::as_const(m_items))
        lines.append(item.Text);
    return TextFile::WriteLines(m_filePath, lines);
}

bool TypedAddressList::ClearAddressList()
{
    m_items.clear();
    m_loaded = true;
    emit ListChanged();
    return m_readOnly || TextFile::WriteLines(m_filePath, {});
}
