// Every loader of the program's data files on files of 30,000 and of 300,000 lines, and the
// fitting of long favorite names: the time for ten times the input should be about ten times
// the time, and a 300,000-line file should load in well under a second.
#include "app/ModSettings.h"
#include "browsingdata/FavoritesFolder.h"
#include "browsingdata/FormSelectSearch.h"
#include "controls/AutoCompleteStore.h"
#include "controls/DayKey.h"
#include "controls/HistoryStore.h"
#include "controls/TypedAddressList.h"
#include "platform/Forms.h"
#include "platform/ProgramFolder.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <algorithm>
#include <functional>
#include <memory>
#include <utility>

namespace {

constexpr int Small = 30000;
constexpr int Large = 300000;
const QDate Today = QDate::currentDate();

void WriteLines(const QString &path, int count, const std::function<QByteArray(int)> &line)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += line(i) + "\r\n";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::exit(1);
}

QByteArray Address(int i)
{
    return "http://www.site" + QByteArray::number(i) + ".test/page" + QByteArray::number(i % 97);
}

// What a load made, released after the clock stops.
using Loaded = std::shared_ptr<void>;
using Make = std::function<void(const QString &folder, int lines)>;
using Load = std::function<Loaded(const QString &folder)>;

// The milliseconds of a load of a file of `lines` lines, made by `make` in a folder of its own:
// the best of three runs, as other work on the machine only ever adds time.
double LoadMs(int lines, const Make &make, const Load &load)
{
    QTemporaryDir dir;
    make(dir.path(), lines);
    double best = 0;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        const Loaded loaded = load(dir.path());
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        best = run == 0 ? ms : std::min(best, ms);
    }
    return best;
}

void Report(const char *what, const Make &make, const Load &load)
{
    const double small = LoadMs(Small, make, load);
    const double large = LoadMs(Large, make, load);
    std::printf("%-34s %9.1f ms for 30,000 lines  %9.1f ms for 300,000 lines  ratio %5.1f  %s\n", what, small, large,
                large / small, large < 1000 ? "under a second" : "TOO SLOW");
}

void ReportNameFitting()
{
    auto fit = [](qsizetype length) {
        const QString name(length, QLatin1Char('n'));
        QElapsedTimer timer;
        timer.start();
        if (FavoritesFolder::FavoriteFileName(name).isEmpty())
            std::exit(1);
        return double(timer.nsecsElapsed()) / 1e6;
    };
    const double small = std::min({fit(1000000), fit(1000000), fit(1000000)});
    const double large = std::min({fit(10000000), fit(10000000), fit(10000000)});
    std::printf("%-34s %9.1f ms for 1,000,000 chars %8.1f ms for 10,000,000 chars ratio %5.1f\n",
                "Favorite name fitting", small, large, large / small);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    Report("Url.dat (MaxItems 32767)",
           [](const QString &folder, int lines) {
               WriteLines(QDir(folder).filePath(QStringLiteral("Url.dat")), lines, Address);
           },
           [](const QString &folder) -> Loaded {
               auto autoComplete = std::make_shared<AutoCompleteStore>(QDir(folder).filePath(QStringLiteral("AutoComplete2.dat")));
               autoComplete->InitializeAutoComplete();
               auto list = std::make_shared<TypedAddressList>(QDir(folder).filePath(QStringLiteral("Url.dat")));
               list->SetMaxItems(32767);
               list->LoadAddressList(autoComplete.get());
               return std::make_shared<std::pair<Loaded, Loaded>>(autoComplete, list);
           });
    Report("AutoComplete2.dat",
           [](const QString &folder, int lines) {
               const QByteArray day = DayKey::FromDate(Today).toUtf8();
               WriteLines(QDir(folder).filePath(QStringLiteral("AutoComplete2.dat")), lines, [&](int i) {
                   return day + '|' + Address(i) + '|' + Address(i).mid(11) + "|1";
               });
           },
           [](const QString &folder) -> Loaded {
               auto store = std::make_shared<AutoCompleteStore>(QDir(folder).filePath(QStringLiteral("AutoComplete2.dat")));
               store->InitializeAutoComplete();
               return store;
           });
    Report("History.dat",
           [](const QString &folder, int lines) {
               WriteLines(QDir(folder).filePath(QStringLiteral("History.dat")), lines, [](int i) {
                   return DayKey::FromDate(Today.addDays(-(i % 20))).toUtf8() + '|' + Address(i);
               });
           },
           [](const QString &folder) -> Loaded {
               auto store = std::make_shared<HistoryStore>(QDir(folder).filePath(QStringLiteral("History.dat")));
               store->LoadHistoryFile();
               return store;
           });
    Report("Settings.dat",
           [](const QString &folder, int lines) {
               WriteLines(ModSettings::SettingsFilePath(folder), lines,
                          [](int i) { return "Key" + QByteArray::number(i) + '=' + QByteArray::number(i); });
           },
           [](const QString &folder) -> Loaded {
               ModSettings::LoadSettings(folder);
               return {};
           });
    Report("SearchConfig.dat (Search Settings)",
           [](const QString &folder, int lines) {
               WriteLines(QDir(folder).filePath(QStringLiteral("SearchConfig.dat")), lines, [](int i) {
                   return "Engine" + QByteArray::number(i) + (i == 7 ? "|True|q|" : "|False|q|") + Address(i) + '|'
                          + Address(i);
               });
           },
           [](const QString &folder) -> Loaded {
               ProgramFolder::SetAppPath(folder);
               Forms::Default<FormSelectSearch>();
               return Loaded(nullptr, [](void *) { Forms::Unload(Forms::Default<FormSelectSearch>()); });
           });
    ReportNameFitting();
    return 0;
}
