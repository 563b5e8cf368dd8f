#include "mainwindow/BrowserEventRules.h"

#include <cmath>
#include <limits>

namespace BrowserEventRules {

namespace {

int clampToInt(qint64 v)
{
    if (v > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

} // namespace

QString Caption(const QString &title)
{
    return QStringLiteral(" Kestrelvue - ") + title;
}

std::optional<int> ProgressValue(qint64 progress, qint64 progressMax)
{
    if (progress == -1 || progress == 0)
        return 0;
    double percent = 0;
    if (progressMax >= 1 && progress <= progressMax)
        percent = static_cast<double>(progress) * 100.0 / static_cast<double>(progressMax);
    if (percent < 100 && progressMax != -1)
        return static_cast<int>(std::nearbyint(percent));
    return std::nullopt;
}

int PixelsToTwips(qint64 pixels)
{
    return clampToInt(pixels * 15);
}

int PageHeightToWindowTwips(qint64 pixels)
{
    return clampToInt(pixels * 15 + 700);
}

} // namespace BrowserEventRules
