#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringView>

// Names as the server's bytes. Servers send names in whatever encoding their files use: a name
// is shown as UTF-8 where its bytes are valid UTF-8, otherwise one byte per character. The
// bytes of each name shown the second way are remembered, so that the name goes back to the
// server byte for byte when the user opens it.
class FtpServerNames
{
public:
    // Server text shown by that rule; nothing is remembered.
    static QString Decode(QByteArrayView bytes);
    // Text of many lines, each line shown by that rule.
    static QString DecodeLines(QByteArrayView text);

    // A name shown by that rule, remembered when it is not UTF-8.
    QString Remember(QByteArrayView name);
    // A path, each piece between "/" shown and remembered as a name.
    QString RememberPath(QByteArrayView path);

    // The bytes to send for a name or a path: each piece shown from bytes that were not UTF-8
    // goes back as those bytes, anything else as UTF-8.
    QByteArray Encode(QStringView text) const;

    void Clear() { m_bytes.clear(); }

private:
    QHash<QString, QByteArray> m_bytes;
};
