#pragma once

#include <QString>

// The program's title: every message box that names no caption of its own carries it.
inline const QString ApplicationTitle = QStringLiteral("Kestrelvue3");
