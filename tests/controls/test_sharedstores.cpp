#include "StoreTestFiles.h"
#include "controls/AutoCompleteStore.h"
#include "controls/HistoryStore.h"
#include "controls/TypedAddressList.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A browser window as far as the stores go: it opens them in the host's order, records
// what its user commits and visits, and saves them when it closes.
struct Window {
    std::shared_ptr<TypedAddressList> addresses;
    std::shared_ptr<AutoCompleteStore> autoComplete;
    std::shared_ptr<HistoryStore> history;

    static Window Main(const QString &appPath)
    {
        return Window{TypedAddressList::ForFolder(appPath), AutoCompleteStore::ForFolder(appPath),
                      HistoryStore::ForFolder(appPath)}
            .Open(25);
    }
    static Window FullScreen(const QString &appPath)
    {
        return Window{TypedAddressList::ReadOnlyCopy(appPath), AutoCompleteStore::ReadOnlyCopy(appPath),
                      HistoryStore::ReadOnlyCopy(appPath)}
            .Open(20);
    }

    Window Open(int maxItems)
    {
        addresses->SetMaxItems(maxItems);
        autoComplete->InitializeAutoComplete();
        addresses->LoadAddressList(autoComplete.get());
        history->SetNumberOfDaysInHistory(20);
        history->LoadHistoryFile();
        return *this;
    }
    void Visit(const QString &text)
    {
        const AddItemResult result = addresses->AddItem(text, autoComplete.get());
        history->AddHistoryItem2(result.Address, "page");
    }
    void Close()
    {
        EXPECT_TRUE(autoComplete->SaveAutoCompleteDataFile());
        EXPECT_TRUE(addresses->WriteAddressList());
        EXPECT_TRUE(history->SaveHistory());
        *this = {};
    }
};

} // namespace

TEST(SharedStores, OneStorePerFileWhateverThePathSpelling)
{
    QTemporaryDir dir;
    const auto first = TypedAddressList::ForFolder(dir.path());
    EXPECT_EQ(TypedAddressList::ForFolder(dir.path() + "/./"), first);
    EXPECT_EQ(HistoryStore::ForFolder(dir.path()), HistoryStore::ForFolder(dir.path() + "/"));
    EXPECT_NE(TypedAddressList::ReadOnlyCopy(dir.path()), first);
    QTemporaryDir other;
    EXPECT_NE(TypedAddressList::ForFolder(other.path()), first);
}

TEST(SharedStores, TwoWindowsClosedInEitherOrderKeepBothWindowsEntries)
{
    for (const bool firstClosesFirst : {true, false}) {
        QTemporaryDir dir;
        WriteFile(QDir(dir.path()).filePath("Url.dat"), "http://www.old.com\r\n");
        Window first = Window::Main(dir.path());
        Window second = Window::Main(dir.path());
        first.Visit("www.first.com");
        second.Visit("www.second.com");
        EXPECT_EQ(first.addresses->Count(), 3);
        if (firstClosesFirst) {
            first.Close();
            second.Close();
        } else {
            second.Close();
            first.Close();
        }
        const QString url = QString::fromUtf8(ReadFile(QDir(dir.path()).filePath("Url.dat")));
        const QString autoComplete = QString::fromUtf8(ReadFile(QDir(dir.path()).filePath("AutoComplete2.dat")));
        const QString history = QString::fromUtf8(ReadFile(QDir(dir.path()).filePath("History.dat")));
        for (const QString &address : {"http://www.first.com", "http://www.second.com"}) {
            EXPECT_TRUE(url.contains(address + "\r\n")) << firstClosesFirst;
            EXPECT_TRUE(autoComplete.contains("|" + address + "|")) << firstClosesFirst;
            EXPECT_TRUE(history.contains("|" + address + "/\r\n")) << firstClosesFirst;
        }
        EXPECT_TRUE(url.startsWith("http://www.old.com\r\n"));

        // With every window closed the stores are gone; the next window reads the files.
        Window next = Window::Main(dir.path());
        EXPECT_EQ(next.addresses->Count(), 3);
        EXPECT_EQ(next.history->PageCount(), 2);
        next.Close();
    }
}

TEST(SharedStores, FullScreenReadsTheFilesAndWritesNothing)
{
    QTemporaryDir dir;
    Window main = Window::Main(dir.path());
    main.Visit("www.main.com");
    main.Close();
    const QString folder = dir.path();
    const QByteArray url = ReadFile(folder + "/Url.dat");
    const QByteArray autoComplete = ReadFile(folder + "/AutoComplete2.dat");
    const QByteArray history = ReadFile(folder + "/History.dat");

    Window fullScreen = Window::FullScreen(dir.path());
    EXPECT_EQ(fullScreen.addresses->Count(), 1);
    EXPECT_EQ(fullScreen.history->PageCount(), 1);
    EXPECT_EQ(fullScreen.autoComplete->FindAutoCompleteMatches("ma").Addresses, QStringList{"http://www.main.com"});
    fullScreen.Visit("www.elsewhere.com");
    EXPECT_TRUE(fullScreen.addresses->ClearAddressList());
    EXPECT_TRUE(fullScreen.history->ClearHistory2());
    fullScreen.Close();
    EXPECT_EQ(ReadFile(folder + "/Url.dat"), url);
    EXPECT_EQ(ReadFile(folder + "/AutoComplete2.dat"), autoComplete);
    EXPECT_EQ(ReadFile(folder + "/History.dat"), history);
}
