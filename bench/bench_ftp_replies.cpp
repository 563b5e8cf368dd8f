// Reads a long multi-line reply arriving in pieces of one network packet (1,448 bytes), at two
// sizes four times apart, and prints how the reading time grows with the size: about 4 when it
// is linear, about 16 when every piece makes the reader go over the reply again.
#include "ftp/FtpReplyReader.h"

#include <QByteArray>
#include <QElapsedTimer>

#include <cstdio>

namespace
{
QByteArray MultiLineReply(qsizetype size)
{
    QByteArray raw = "211-Status follows:\r\n";
    for (int i = 0; raw.size() < size - 200; ++i)
        raw += " line " + QByteArray::number(i) + " of a long status reply from a chatty server\r\n";
    return raw + "211 End of status\r\n";
}

// The best of five runs, in ns; -1 when the reply did not come out whole.
qint64 ReadInPieces(const QByteArray &raw)
{
    qint64 best = -1;
    for (int run = 0; run < 5; ++run) {
        FtpReplyReader reader;
        int replies = 0;
        QElapsedTimer timer;
        timer.start();
        for (qsizetype at = 0; at < raw.size(); at += 1448) {
            reader.Append(raw.mid(at, 1448));
            while (reader.Next())
                ++replies;
        }
        const qint64 ns = timer.nsecsElapsed();
        if (replies != 1 || reader.TooLong())
            return -1;
        best = best < 0 ? ns : qMin(best, ns);
    }
    return best;
}
}

int main()
{
    const qsizetype large = FtpReplyReader::MaxReplyBytes - 1024;
    const QByteArray small = MultiLineReply(large / 4);
    const QByteArray big = MultiLineReply(large);
    const qint64 smallNs = ReadInPieces(small);
    const qint64 bigNs = ReadInPieces(big);
    if (smallNs < 0 || bigNs < 0) {
        std::printf("bench_ftp_replies: a reply did not come out whole\n");
        return 1;
    }
    std::printf("bench_ftp_replies: multi-line replies in 1448-byte pieces\n");
    std::printf("  %lld bytes: %.2f ms, %.1f MiB/s\n", static_cast<long long>(small.size()), smallNs / 1e6,
                small.size() / (1024.0 * 1024.0) / (smallNs / 1e9));
    std::printf("  %lld bytes: %.2f ms, %.1f MiB/s\n", static_cast<long long>(big.size()), bigNs / 1e6,
                big.size() / (1024.0 * 1024.0) / (bigNs / 1e9));
    std::printf("  time ratio for %.1f times the bytes: %.2f (linear: about %.1f)\n",
                double(big.size()) / small.size(), double(bigNs) / smallNs, double(big.size()) / small.size());
    return 0;
}
