#include "ftp/FtpServerNames.h"

#include <cstring>

namespace
{
// Most names are plain ASCII, which reads the same in every encoding a server may use.
bool IsAscii(QByteArrayView bytes)
{
    const char *text = bytes.data();
    qsizetype left = bytes.size();
    for (; left >= 8; text += 8, left -= 8) {
        quint64 word;
        std::memcpy(&word, text, 8);
        if (word & Q_UINT64_C(0x8080808080808080))
            return false;
    }
    for (; left > 0; ++text, --left) {
        if (*text & 0x80)
            return false;
    }
    return true;
}
}

QString FtpServerNames::Decode(QByteArrayView bytes)
{
    if (IsAscii(bytes))
        return QString::fromLatin1(bytes);
    return bytes.isValidUtf8() ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
}

QString FtpServerNames::DecodeLines(QByteArrayView text)
{
    if (text.isValidUtf8())
        return QString::fromUtf8(text);
    QString shown;
    shown.reserve(text.size());
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype lf = text.indexOf('\n', start);
        const qsizetype end = lf < 0 ? text.size() : lf + 1;
        shown += Decode(text.sliced(start, end - start));
        start = end;
    }
    return shown;
}

QString FtpServerNames::Remember(QByteArrayView name)
{
    if (IsAscii(name))
        return QString::fromLatin1(name);
    if (name.isValidUtf8())
        return QString::fromUtf8(name);
    QString shown = QString::fromLatin1(name);
    m_bytes.insert(shown, name.toByteArray());
    return shown;
}

QString FtpServerNames::RememberPath(QByteArrayView path)
{
    if (path.isValidUtf8())
        return QString::fromUtf8(path);
    QString shown;
    shown.reserve(path.size());
    qsizetype start = 0;
    for (;;) {
        const qsizetype slash = path.indexOf('/', start);
        const qsizetype end = slash < 0 ? path.size() : slash;
        shown += Remember(path.sliced(start, end - start));
        if (slash < 0)
            return shown;
        shown += u'/';
        start = slash + 1;
    }
}

QByteArray FtpServerNames::Encode(QStringView text) const
{
    if (m_bytes.isEmpty())
        return text.toUtf8();
    QByteArray bytes;
    bytes.reserve(text.size());
    qsizetype start = 0;
    for (;;) {
        const qsizetype slash = text.indexOf(u'/', start);
        const QStringView piece = text.sliced(start, (slash < 0 ? text.size() : slash) - start);
        const auto known = m_bytes.constFind(piece.toString());
        bytes += known != m_bytes.cend() ? *known : piece.toUtf8();
        if (slash < 0)
            return bytes;
        bytes += '/';
        start = slash + 1;
    }
}
