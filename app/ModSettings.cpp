#include "app/ModSettings.h"

#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QWidget>

#include <cmath>
#include <limits>
#include <optional>

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
int readInteger(const QMap<QString, QString> &keys, const QString &key, qint64 lo, qint64 hi)
{
    qint64 v = 0;
    if (readIntegerFrom(keys, key, lo, hi, v) || readIntegerFrom(ShippedTable(), key, lo, hi, v))
        return static_cast<int>(v);
    return 0;
}

bool readBoolean(const QMap<QString, QString> &keys, const QString &key)
{
    bool b = false;
    return ToBoolean(keys.value(key), b) && b;
}

QString flag(bool b)
{
    return b ? QStringLiteral("True") : QStringLiteral("False");
}

constexpr double TwipsPerPixel = 15;

SavedWindow placementOf(const QWidget *form)
{
    const int state = form->isMinimized() ? 1 : form->isMaximized() ? 2 : 0;
    const QRect r = state == 0 ? QRect(form->pos(), form->size()) : form->normalGeometry();
    return {QRectF(r.x() * TwipsPerPixel, r.y() * TwipsPerPixel, r.width() * TwipsPerPixel,
                   r.height() * TwipsPerPixel),
            state};
}

std::optional<SavedWindow> &lastPlacement()
{
    static std::optional<SavedWindow> placement;
    return placement;
}

} // namespace

SettingsValues &Settings()
{
    static SettingsValues s;
    return s;
}

namespace {

Options &ownOptions()
{
    static Options o;
    return o;
}

Options *&optionsHolder()
{
    static Options *fields = nullptr;
    return fields;
}

} // namespace

Options &ProgramOptions()
{
    return optionsHolder() ? *optionsHolder() : ownOptions();
}

void KeepProgramOptionsIn(Options *fields)
{
    if (!fields)
        ownOptions() = ProgramOptions();
    optionsHolder() = fields;
}

const QMap<QString, QString> &SettingsTable()
{
    return table();
}

QString SettingsFilePath(const QString &appPath)
{
    return QDir(appPath).filePath(QString::fromLatin1(FileName));
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
    // Without a file to read (a first run, or the user deleted it) every value is the shipped
    // one, so that the limits keep the stored addresses and history.
    const bool read = TextFile::ReadLines(SettingsFilePath(appPath), lines);
    if (read)
        table() = KeyTable(lines);
    const QMap<QString, QString> &keys = read ? table() : ShippedTable();

    SettingsValues &s = Settings();
    s.WindowTop = readInteger(keys, QStringLiteral("WindowTop"), kInt32Min, kInt32Max);
    s.WindowLeft = readInteger(keys, QStringLiteral("WindowLeft"), kInt32Min, kInt32Max);
    s.WindowHeight = readInteger(keys, QStringLiteral("WindowHeight"), 0, kInt32Max);
    s.WindowWidth = readInteger(keys, QStringLiteral("WindowWidth"), 0, kInt32Max);
    s.WindowState = readInteger(keys, QStringLiteral("WindowState"), kInt16Min, kInt16Max);
    if (s.WindowState != 2)
        s.WindowState = 0;
    s.FullScreen = readBoolean(keys, QStringLiteral("FullScreen"));
    s.NumberOfChildWindowsAllowed =
        readInteger(keys, QStringLiteral("NumberOfChildWindowsAllowed"), kInt16Min, kInt16Max);
    s.KillPopups = readBoolean(keys, QStringLiteral("KillPopups"));
    s.ShowSearch = readBoolean(keys, QStringLiteral("ShowSearch"));
    s.ShowHistory = readBoolean(keys, QStringLiteral("ShowHistory"));
    s.ShowFavorites = readBoolean(keys, QStringLiteral("ShowFavorites"));
    s.DaysInHistory = readInteger(keys, QStringLiteral("DaysInHistory"), kInt16Min, kInt16Max);
    s.ItemsInAddressBar = readInteger(keys, QStringLiteral("ItemsInAddressBar"), kInt16Min, kInt16Max);
    s.ShowToolBarStandard = readBoolean(keys, QStringLiteral("ShowToolBarStandard"));
    s.ShowAddressBar = readBoolean(keys, QStringLiteral("ShowAddressBar"));
    s.TextNormal = readBoolean(keys, QStringLiteral("TextNormal"));
    s.TextSize = readInteger(keys, QStringLiteral("TextSize"), kInt16Min, kInt16Max);
}

bool WriteSettings(const QString &appPath, const SavedWindow &window, const Options &o)
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
          << QStringLiteral("ShowSearch=") + flag(o.ShowSearchFlag)
          << QStringLiteral("ShowHistory=") + flag(o.ShowHistoryFlag)
          << QStringLiteral("ShowFavorites=") + flag(o.ShowFavoritesFlag)
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

bool SaveSettings(const QWidget *form)
{
    if (form)
        lastPlacement() = placementOf(form);
    const SettingsValues &read = Settings();
    const SavedWindow placement = lastPlacement().value_or(SavedWindow{
        QRectF(read.WindowLeft, read.WindowTop, read.WindowWidth, read.WindowHeight), read.WindowState});
    return WriteSettings(ProgramFolder::AppPath(), placement, ProgramOptions());
}

} // namespace ModSettings
