#include "platform/InternetOptions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QUrl>

namespace {
const char *const HomePageFileName = "HomePage.dat";
}

InternetOptions::InternetOptions(QString dataFolder) : m_dataFolder(std::move(dataFolder)) {}

QString InternetOptions::DefaultHomePage()
{
    return QUrl::fromLocalFile(QDir(QCoreApplication::applicationDirPath()).filePath("blank.html"))
        .toString();
}

QString InternetOptions::FilePath() const
{
    return QDir(m_dataFolder).filePath(HomePageFileName);
}

QString InternetOptions::HomePage() const
{
    QFile file(FilePath());
    if (!file.open(QIODevice::ReadOnly))
        return DefaultHomePage();
    const QString text = QString::fromUtf8(file.readAll());
    // Only a complete line counts: the piece after the last line end is ignored.
    const qsizetype end = text.indexOf('\n');
    if (end < 0)
        return DefaultHomePage();
    QString line = text.left(end);
    if (line.endsWith('\r'))
        line.chop(1);
    line = line.trimmed();
    return line.isEmpty() ? DefaultHomePage() : line;
}

bool InternetOptions::SetHomePage(const QString &url)
{
    QDir().mkpath(m_dataFolder);
    QSaveFile file(FilePath());
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // A line break inside the address would split it into lines that read back as another page.
    file.write(QString(url).remove('\r').remove('\n').trimmed().toUtf8() + "\r\n");
    return file.commit();
}
