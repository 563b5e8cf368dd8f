#pragma once

#include <QString>

// The product's own web pages that the Help menu opens in the page browser.
namespace ProductPages {

inline const QString HomePage = QStringLiteral("https://www.kestrelvue.org/");
inline const QString SupportPage = QStringLiteral("https://www.kestrelvue.org/support/");

} // namespace ProductPages
