#include "controls/AddressRules.h"

namespace AddressRules {

CommittedText NormalizeCommittedText(const QString &text)
{
    // A pasted address may carry line breaks; they are no part of it.
    QString clean = text;
    clean.remove(QLatin1Char('\r'));
    clean.remove(QLatin1Char('\n'));

    const QString p = clean.left(4);
    QString prefix;
    qint16 kind = NoAddress;
    if (p == QLatin1String("www.")) {
        prefix = QStringLiteral("http://");
        kind = WebAddress;
    } else if (p == QLatin1String("ftp.")) {
        prefix = QStringLiteral("ftp://");
        kind = FtpAddress;
    } else if (p == QLatin1String("ftp:")) {
        kind = FtpAddress;
    }
    if (clean.contains(QLatin1Char('.')) && p != QLatin1String("www.") && p != QLatin1String("ftp.")
        && p != QLatin1String("ftp:") && p != QLatin1String("http")) {
        prefix = QStringLiteral("http://www.");
        kind = WebAddress;
    }

    const QString address = prefix + clean;
    const QString q = address.left(4);
    if (q == QLatin1String("http"))
        kind = WebAddress;
    if (q != QLatin1String("http") && q != QLatin1String("ftp:"))
        return {};
    return {true, MakeSafe(address), kind};
}

QString MakeSafe(const QString &address)
{
    QString safe = address;
    safe.remove(QLatin1Char('\r'));
    safe.remove(QLatin1Char('\n'));
    safe.replace(QLatin1Char('|'), QLatin1String("%7C"));
    return safe;
}

} // namespace AddressRules
