#include "browsingdata/FBLocationList.h"

void FBLocationList::Initialize()
{
    CancelAddLocation = false;
    m_locations.clear();
    m_current = 0;
}

bool FBLocationList::AddLocation(const QString &URL, const QString &LocationName)
{
    // A cancel announced while the list is still empty has no move behind it: the page is
    // recorded, so the list never stays without its first entry.
    const bool add = !CancelAddLocation || m_locations.isEmpty();
    CancelAddLocation = false;
    if (!add)
        return false;
    ++m_current;
    m_locations.resize(m_current - 1);
    m_locations.append({URL, LocationName});
    return true;
}

QString FBLocationList::GoBack(int Count)
{
    return MoveTo(qint64(m_current) - Count);
}

QString FBLocationList::GoForward(int Count)
{
    return MoveTo(qint64(m_current) + Count);
}

QString FBLocationList::MoveTo(qint64 position)
{
    if (position < 1 || position > Size())
        return {};
    m_current = int(position);
    return m_locations.at(position - 1).URL;
}

QStringList FBLocationList::BackNames() const
{
    QStringList names;
    for (int j = m_current - 1; j >= 2; --j)
        names.append(m_locations.at(j - 1).LocationName);
    return names;
}

QStringList FBLocationList::ForwardNames() const
{
    QStringList names;
    for (int j = m_current + 1; j <= Size(); ++j)
        names.append(m_locations.at(j - 1).LocationName);
    return names;
}
