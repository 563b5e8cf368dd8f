#pragma once

#include <QString>
#include <QStringView>

// How a visited page is filed in the history tree: under the root of its address (up to
// the third "/") and the site name taken from that root.
struct HistorySiteRuleResult {
    bool Recorded = false; // false for local files and empty hosts
    QString Url;           // the address as recorded (a "/" added when it had no third one)
    QString SiteName;      // the host after "http://www.", "https://www." or "ftp://ftp.", else empty
};

namespace HistorySiteRule {

HistorySiteRuleResult Apply(const QString &url);

// The length of the root of a recorded address: up to its third "/", or all of it.
qsizetype RootLength(QStringView url);

// The site name of an address already recorded (as read back from "History.dat").
QString SiteName(QStringView url);

} // namespace HistorySiteRule
