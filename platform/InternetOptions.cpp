#include "platform/InternetOptions.h"

#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QUrl>

namespace {
const char *const HomePageFileName = "HomePage.dat";
}

InternetOptions::InternetOptions(QString dataFolder) : m_dataFolder(std::move(dataFolder)) {}

QString InternetOptions::DefaultHomePage()
{
    return QUrl::fromLocalFile(QDir(ProgramFolder::AppPath()).filePath("blank.html")).toString();
}

QString InternetOptions::FilePath() const
{
    return QDir(m_dataFolder).filePath(HomePageFileName);
}

QString InternetOptions::HomePage() const
{
    // Only a complete line counts: the piece after the last line end is ignored.
    QStringList lines;
    if (!TextFile::ReadLines(FilePath(), lines) || lines.isEmpty())
        return DefaultHomePage();
    const QString line = lines.first().trimmed();
    return line.isEmpty() ? DefaultHomePage() : line;
}

bool InternetOptions::SetHomePage(const QString &url)
{
    QDir().mkpath(m_dataFolder);
    // A line break inside the address would split it into lines that read back as another page.
    return TextFile::WriteLines(FilePath(), {QString(url).remove('\r').remove('\n').trimmed()});
}
