#include "app/ModSettings.h"

#include "app/ProgramFolder.h"
#include "platform/TextFile.h"
#include "mainwindow/FormMain.h"

#include <QDir>
#include <QFile>
#include <QSet>

#include <cmath>
#include <limits>

namespace ModSettings {

namespace {

QMap<QString, QString> &table()
{
    static QMap<QString, QString> t;
    return t;
}

constexpr qint64 kInt16Min = std::numeric_limits<qint16>::min();
constexpr qint64 kInt16Max = std::numeric_limits<qint16>::max();
constexpr qint64 kInt32Min = std::numeric_limits<qint32>::min();
constexpr qint64 kInt32Max = std::numeric_limits<qint32>::max();

// Key and value of each line; text after a second "=" is ignored, a line without "=" and a
// key that occurs twice count as missing.
QMap<QString, QString> KeyTable(const QStringList &lines)
{
    QMap<QString, QString> keys;
    QSet<QString> repeated;
    for (const QString &line : lines) {
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QString key = line.left(eq);
        QString value = line.mid(eq + 1);
        const int second = value.indexOf(QLatin1Char('='));
        if (second >= 0)
            value.truncate(second);
        if (keys.contains(key) || repeated.contains(key)) {
            repeated.insert(key);
            keys.remove(key);
            continue;
        }
        keys.insert(key, value);
    }
    return keys;
}

// The "Settings.dat" shipped with the program, built into it.
const QMap<QString, QString> &ShippedTable()
{
    static const QMap<QString, QString> shipped = [] {
        QStringList lines;
        TextFile::ReadLines(QStringLiteral(":/shipped/Settings.dat"), lines);
        return KeyTable(lines);
    }();
    return shipped;
}

bool readIntegerFrom(const QMap<QString, QString> &keys, const QString &key, qint64 lo, qint64 hi, qint64 &value)
{
    return ToInteger(keys.value(key), value) && value >= lo && value <= hi;
}

// A number missing from the file or unreadable there takes the shipped value: read as 0, a
// limit such as ItemsInAddressBar or DaysInHistory would delete the user's stored entries.
int readInteger(const QString &key, qint64 lo, qint64 hi)
{
    qint64 v = 0;
    if (readIntegerFrom(table(), key, lo, hi, v) || readIntegerFrom(ShippedTable(), key, lo, hi, v))
        return static_cast<int>(v);
    return 0;
}

bool readBoolean(const QString &key)
{
    bool b = false;
    return ToBoolean(table().value(key), b) && b;
}

QString flag(bool b)
{
    return b ? QStringLiteral("True") : QStringLiteral("False");
}

} // namespace

SettingsValues &Settings()
{
    static SettingsValues s;
    return s;
}

const QMap<QString, QString> &SettingsTable()
{
    return table();
}

QString SettingsFilePath(const QString &appPath)
{
    return QDir(appPath).filePath(QStringLiteral("Settings.dat"));
}

bool ToInteger(const QString &text, qint64 &value)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    bool ok = false;
    const qint64 whole = t.toLongLong(&ok);
    if (ok) {
        value = whole;
        return true;
    }
    const double d = t.toDouble(&ok);
    if (!ok || !std::isfinite(d) || std::fabs(d) > 9e15)
        return false;
    value = static_cast<qint64>(std::nearbyint(d)); // the default rounding mode: halves to even
    return true;
}

bool ToBoolean(const QString &text, bool &value)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
        value = true;
        return true;
    }
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
        value = false;
        return true;
    }
    bool ok = false;
    const double d = t.toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return false;
    value = d != 0.0;
    return true;
}

void LoadSettings(const QString &appPath)
{
    table().clear();
    QStringList lines;
    if (!TextFile::ReadLines(SettingsFilePath(appPath), lines))
        return;

    table() = KeyTable(lines);

    SettingsValues &s = Settings();
    s.WindowTop = readInteger(QStringLiteral("WindowTop"), kInt32Min, kInt32Max);
    s.WindowLeft = readInteger(QStringLiteral("WindowLeft"), kInt32Min, kInt32Max);
    s.WindowHeight = readInteger(QStringLiteral("WindowHeight"), 0, kInt32Max);
    s.WindowWidth = readInteger(QStringLiteral("WindowWidth"), 0, kInt32Max);
    s.WindowState = readInteger(QStringLiteral("WindowState"), kInt16Min, kInt16Max);
    if (s.WindowState != 2)
        s.WindowState = 0;
    s.FullScreen = readBoolean(QStringLiteral("FullScreen"));
    s.NumberOfChildWindowsAllowed = readInteger(QStringLiteral("NumberOfChildWindowsAllowed"), kInt16Min, kInt16Max);
    s.KillPopups = readBoolean(QStringLiteral("KillPopups"));
    s.ShowSearch = readBoolean(QStringLiteral("ShowSearch"));
    s.ShowHistory = readBoolean(QStringLiteral("ShowHistory"));
    s.ShowFavorites = readBoolean(QStringLiteral("ShowFavorites"));
    s.DaysInHistory = readInteger(QStringLiteral("DaysInHistory"), kInt16Min, kInt16Max);
    s.ItemsInAddressBar = readInteger(QStringLiteral("ItemsInAddressBar"), kInt16Min, kInt16Max);
    s.ShowToolBarStandard = readBoolean(QStringLiteral("ShowToolBarStandard"));
    s.ShowAddressBar = readBoolean(QStringLiteral("ShowAddressBar"));
    s.TextNormal = readBoolean(QStringLiteral("TextNormal"));
    s.TextSize = readInteger(QStringLiteral("TextSize"), kInt16Min, kInt16Max);
}

bool WriteSettings(const QString &appPath, const SavedWindow &window, const SettingsValues &o)
{
    QStringList lines;
    const bool normal = window.windowState == 0;
    const QRectF &r = window.rectTwips;
    const QString rect[4][2] = {
        {QStringLiteral("WindowTop"), QString::number(qRound64(r.top()))},
        {QStringLiteral("WindowLeft"), QString::number(qRound64(r.left()))},
        {QStringLiteral("WindowHeight"), QString::number(qRound64(r.height()))},
        {QStringLiteral("WindowWidth"), QString::number(qRound64(r.width()))},
    };
    for (const auto &kv : rect) {
        // A maximized or minimized window keeps the rectangle last read; with none read,
        // its normal rectangle, so that the next start has a usable window.
        qint64 kept = 0;
        const bool haveKept = ToInteger(table().value(kv[0]), kept);
        const QString value = normal || !haveKept ? kv[1] : QString::number(kept);
        lines << kv[0] + QLatin1Char('=') + value;
    }
    if (window.windowState != 1)
        lines << QStringLiteral("WindowState=") + QString::number(window.windowState);
    lines << QStringLiteral("FullScreen=") + flag(o.FullScreen)
          << QStringLiteral("ShowSearch=") + flag(o.ShowSearch)
          << QStringLiteral("ShowHistory=") + flag(o.ShowHistory)
          << QStringLiteral("ShowFavorites=") + flag(o.ShowFavorites)
          << QStringLiteral("DaysInHistory=") + QString::number(o.DaysInHistory)
          << QStringLiteral("ItemsInAddressBar=") + QString::number(o.ItemsInAddressBar)
          << QStringLiteral("NumberOfChildWindowsAllowed=") + QString::number(o.NumberOfChildWindowsAllowed)
          << QStringLiteral("KillPopups=") + flag(o.KillPopups)
          << QStringLiteral("ShowToolBarStandard=") + flag(o.ShowToolBarStandard)
          << QStringLiteral("ShowAddressBar=") + flag(o.ShowAddressBar)
          << QStringLiteral("TextNormal=") + flag(o.TextNormal)
          << QStringLiteral("TextSize=") + QString::number(o.TextSize);
    return TextFile::WriteLines(SettingsFilePath(appPath), lines);
}

bool SaveSettings(FormMain *form)
{
    const FormMain *main = Forms::Default<FormMain>();
    SettingsValues o;
    o.FullScreen = main->FullScreen;
    o.ShowSearch = main->ShowSearchFlag;
    o.ShowHistory = main->ShowHistoryFlag;
    o.ShowFavorites = main->ShowFavoritesFlag;
    o.DaysInHistory = main->DaysInHistory;
    o.ItemsInAddressBar = main->ItemsInAddressBar;
    o.NumberOfChildWindowsAllowed = main->NumberOfChildWindowsAllowed;
    o.KillPopups = main->KillPopups;
    o.ShowToolBarStandard = main->ShowToolBarStandard;
    o.ShowAddressBar = main->ShowAddressBar;
    o.TextNormal = main->TextNormal;
    o.TextSize = main->TextSize;
    return WriteSettings(ProgramFolder::AppPath(), SavedWindow{form->NormalRectTwips(), form->WindowState()}, o);
}

} // namespace ModSettings
