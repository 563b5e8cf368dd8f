#include "mainwindow/FtpPaneTexts.h"

#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace FtpPaneTexts {

namespace {

constexpr qint64 BytesPerKB = 1000;
constexpr qint64 BytesPerMB = 1000000;

QLocale systemLocale()
{
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

// A fractional number with the system's decimal separator and no trailing zeros.
QString plainNumber(double value)
{
    return systemLocale().toString(value, 'f', QLocale::FloatingPointShortest);
}

// Rounded to two decimals, as a number written with two decimals and read back.
double roundedToHundredths(double value)
{
    return std::round(value * 100.0) / 100.0;
}

} // namespace

int FileIcon(const QString &fileName)
{
    static const QStringList textExtensions = {
        QStringLiteral("asp"), QStringLiteral("asa"), QStringLiteral("inc"), QStringLiteral("css"),
        QStringLiteral("shtml"), QStringLiteral("txt"), QStringLiteral("htm"), QStringLiteral("html"),
        QStringLiteral("lst"), QStringLiteral("log"), QStringLiteral("ini"), QStringLiteral("inf"),
        QString()};
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QString extension = (dot < 0 ? fileName : fileName.mid(dot + 1)).toLower();
    return textExtensions.contains(extension) ? IconTextFile : IconOtherFile;
}

QString ListedSize(qint64 bytes)
{
    return QString::number(bytes);
}

QString ListedDate(const QDateTime &when)
{
    if (!when.isValid())
        return QString();
    const QLocale locale = QLocale::system();
    QString text = locale.toString(when.date(), QLocale::ShortFormat);
    if (when.time() != QTime(0, 0)) {
        // The long time format without the time zone, which a listing does not give.
        QString timeFormat = locale.timeFormat(QLocale::LongFormat);
        timeFormat.remove(QLatin1Char('t'));
        text += QLatin1Char(' ') + locale.toString(when.time(), timeFormat.trimmed());
    }
    return text;
}

QString ParentDirectory(const QString &currentDirectory)
{
    const qsizetype slash = currentDirectory.lastIndexOf(QLatin1Char('/'));
    return slash >= 1 ? currentDirectory.left(slash) : QStringLiteral("/");
}

QString SaveFileName(const QString &remoteName)
{
    QString name = remoteName.mid(remoteName.lastIndexOf(QLatin1Char('/')) + 1);
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QString();
    name.replace(QLatin1Char('\\'), QLatin1Char('_'));
    name.replace(QLatin1Char('"'), QLatin1Char('_'));
    if (name.startsWith(QLatin1Char('~')))
        name[0] = QLatin1Char('_');
    return name;
}

QString ShortenedPath(const QString &path)
{
    if (path.size() <= 40)
        return path;
    return path.left(12) + QStringLiteral(".....") + path.right(28);
}

QString ShortenedPath(const QString &path, const std::function<bool(const QString &)> &fits)
{
    const QString designed = ShortenedPath(path);
    if (fits(designed))
        return designed;
    qsizetype head = std::min<qsizetype>(12, path.size());
    qsizetype tail = std::min<qsizetype>(28, path.size() - head);
    const auto shown = [&] { return path.left(head) + QStringLiteral(".....") + path.right(tail); };
    while (head > 3 && !fits(shown()))
        --head;
    while (tail > 1 && !fits(shown()))
        --tail;
    while (head > 0 && !fits(shown()))
        --head;
    return shown();
}

qint64 TransferRate(qint64 bytesDone, qint64 seconds)
{
    if (seconds <= 0)
        return 0;
    // nearbyint rounds ties to even under the default rounding mode.
    return static_cast<qint64>(std::nearbyint(double(bytesDone) / double(seconds) / 1000.0));
}

QString AmountCopied(qint64 size, qint64 done)
{
    const qint64 sizeMB = size / BytesPerMB;
    const qint64 doneMB = done / BytesPerMB;
    const QString doneKB = QString::number(done / BytesPerKB);
    if (sizeMB >= 1 && doneMB >= 1)
        return QStringLiteral(" (%1 MB of %2 MB copied)").arg(doneMB).arg(sizeMB);
    if (sizeMB >= 1)
        return QStringLiteral(" (%1 KB of %2 MB copied)").arg(doneKB).arg(sizeMB);
    return QStringLiteral(" (%1 KB of %2 KB copied)").arg(doneKB).arg(size / BytesPerKB);
}

QString TimeRemainingText(qint64 size, qint64 done, qint64 seconds)
{
    const qint64 rate = TransferRate(done, seconds);
    const double bytesLeft = double(size - done);
    // More bytes than listed leave no time.
    const double secondsLeft = rate > 0 ? std::max(0.0, bytesLeft / (double(rate) * 1000.0)) : 0.0;
    return FormatTransferTime(static_cast<qint64>(std::nearbyint(secondsLeft))) + AmountCopied(size, done);
}

QString TransferRateText(qint64 rate)
{
    return QString::number(rate) + QStringLiteral(" KB/Second");
}

int PercentCompleted(qint64 size, qint64 done)
{
    if (size <= 0 || done <= 0)
        return 0;
    return static_cast<int>(std::clamp<double>(std::floor(double(done) / double(size) * 100.0), 0, 100));
}

QString PercentCaption(qint64 size, qint64 done, const QString &remoteFileName)
{
    return QStringLiteral("%1% of %2 completed").arg(PercentCompleted(size, done)).arg(remoteFileName);
}

QString FormatTransferTime(qint64 seconds)
{
    const qint64 h = seconds / 3600;
    const qint64 m = (seconds % 3600) / 60;
    const qint64 s = (seconds % 3600) % 60;
    if (h >= 1)
        return QStringLiteral("%1 Hr %2 Min %3 Sec").arg(h).arg(m).arg(s);
    if (m >= 1)
        return QStringLiteral("%1 Min %2 Sec").arg(m).arg(s);
    return QStringLiteral("%1 Sec").arg(s);
}

QString CompletedSizeText(qint64 size, qint64 seconds)
{
    const double megabytes = roundedToHundredths(double(size) / double(BytesPerMB));
    if (megabytes >= 1)
        return plainNumber(megabytes) + QStringLiteral(" MB in ") + FormatTransferTime(seconds);
    return plainNumber(roundedToHundredths(double(size) / double(BytesPerKB))) + QStringLiteral(" KB in ")
           + FormatTransferTime(seconds);
}

} // namespace FtpPaneTexts
