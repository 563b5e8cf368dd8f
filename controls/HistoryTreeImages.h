#pragma once

// The history tree's node images, 20 x 17 pixels: a day, a site closed and open, a page.
#include <QIcon>

namespace HistoryTreeImages {

enum Image { Day = 1, SiteClosed = 2, SiteOpen = 3, Page = 4 };

inline constexpr int Width = 20;
inline constexpr int Height = 17;

QIcon Icon(Image image);

} // namespace HistoryTreeImages
