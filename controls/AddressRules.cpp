#include "controls/AddressRules.h"

#include <QRegularExpression>

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
    const bool ruled = p == QLatin1String("www.") || p == QLatin1String("ftp.") || p == QLatin1String("ftp:")
                       || p == QLatin1String("http");
    // An address that names its own scheme ("file:///...", "about://...") is taken as it
    // stands, and a numeric host gets only "http://": "www." in front of either would make
    // an address that leads nowhere.
    static const QRegularExpression ownScheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    static const QRegularExpression numericHost(QStringLiteral("^\\d{1,3}(\\.\\d{1,3}){3}([:/?#].*)?$"));
    if (!ruled && ownScheme.match(clean).hasMatch())
        return {true, MakeSafe(clean), WebAddress};
    if (!ruled && numericHost.match(clean).hasMatch())
        return {true, MakeSafe(QStringLiteral("http://") + clean), WebAddress};
    if (clean.contains(QLatin1Char('.')) && !ruled) {
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
