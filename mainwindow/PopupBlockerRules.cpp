#include "mainwindow/PopupBlockerRules.h"

namespace PopupBlockerRules {

Decision Decide(bool killPopups, bool linkClicked, int depth, int allowed)
{
    if (!killPopups)
        return Decision::Open;
    if (linkClicked && (depth == 0 || depth < allowed))
        return Decision::OpenAfterLinkClick;
    return Decision::Block;
}

QString StatusText(int count)
{
    return QStringLiteral("Popup Blocker is On -- %1%2")
        .arg(count)
        .arg(count == 1 ? QStringLiteral(" Popup Has Been Blocked") : QStringLiteral(" Popups Have Been Blocked"));
}

} // namespace PopupBlockerRules
