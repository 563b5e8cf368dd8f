#pragma once

#include <QString>

// The server an "ftp://" address names: its host and its port (21 unless the address gives
// one). The address is read as the pane receives it: its first six characters are the scheme.
struct FtpServerAddress
{
    QString Host;
    int Port = 21;

    bool IsValid() const { return !Host.isEmpty(); }
    static FtpServerAddress Parse(const QString &address);
};
