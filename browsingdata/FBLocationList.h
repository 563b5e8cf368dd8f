#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One browser window's visited locations, numbered from 1, with the position of the page
// shown now (0 while the list is empty). Positions and counts are plain ints, so a long
// session never wraps them.
class FBLocationList
{
public:
    struct Location
    {
        QString URL;
        QString LocationName;
    };

    // When set, the next AddLocation adds no entry (the load that follows a GoBack/GoForward).
    bool CancelAddLocation = false;

    void Initialize();

    // Records a loaded page: unless CancelAddLocation is set, it becomes the new last entry and
    // every entry after the current one is dropped. Clears CancelAddLocation. Returns whether
    // an entry was added.
    bool AddLocation(const QString &URL, const QString &LocationName);

    // Move the current position by Count and return that entry's address. A Count that would
    // leave the list moves nothing and returns an empty string.
    QString GoBack(int Count);
    QString GoForward(int Count);

    int CurrentPosition() const { return m_current; }
    int Size() const { return int(m_locations.size()); }
    const Location &At(int position) const { return m_locations.at(position - 1); }

    // Titles for the Back drop-down, the newest earlier page first; item k (from 1) stands
    // for entry current - k. The first page the window loaded is never listed.
    QStringList BackNames() const;
    // Titles for the Forward drop-down, the next page first; item k stands for current + k.
    QStringList ForwardNames() const;

private:
    QString MoveTo(qint64 position);

    QList<Location> m_locations;
    int m_current = 0;
};
