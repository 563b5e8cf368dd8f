#pragma once

#include <QString>

// Address kind: the image number of an address in the address box's lists and kind icon.
enum AddressKind : qint16 { NoAddress = 0, WebAddress = 1, FtpAddress = 2 };

// What a committed text of the address box stands for.
struct CommittedText {
    bool IsAddress = false; // false: the text is a search
    QString Address;        // the normalised address (empty for a search)
    qint16 Kind = NoAddress;
};

namespace AddressRules {

// "www." gains "http://", "ftp." gains "ftp://", other dotted text that begins neither
// "ftp:" nor "http" gains "http://www."; an address begins with "http" or "ftp:".
// Case-sensitive. The address is made safe (MakeSafe) before it is returned.
CommittedText NormalizeCommittedText(const QString &text);

// Line breaks are dropped and "|" is written as "%7C": the data files keep one record a
// line with "|" between fields, so neither may reach them inside an address.
QString MakeSafe(const QString &address);

} // namespace AddressRules
