#include "ftp/FtpCommands.h"

#include <QLatin1String>

namespace FtpCommands
{
namespace
{
using C = CFtpClient;

const Command kCommands[] = {
    {.Word = "", .State = C::stConnected, .AnyPreliminary = true, .Final = {220}},
    {.Word = "USER", .State = C::stAuthenticating, .AnyPreliminary = true, .Final = {230, 331}},
    {.Word = "PASS", .State = C::stAuthenticating, .Secret = true, .AnyPreliminary = true,
     .Final = {202, 230}},
    {.Word = "PWD", .State = C::stListing, .AnyPreliminary = true, .Final = {257}},
    {.Word = "CWD", .State = C::stChangingDirectory, .AnyPreliminary = true, .Final = {250}},
    {.Word = "DELE", .State = C::stDeletingFile, .AnyPreliminary = true, .Final = {250}},
    {.Word = "RMD", .State = C::stRemovingDirectory, .AnyPreliminary = true, .Final = {250}},
    {.Word = "MKD", .State = C::stCreatingDirectory, .AnyPreliminary = true, .Final = {257}},
    {.Word = "RNFR", .State = C::stRenaming, .AnyPreliminary = true, .Final = {350}},
    {.Word = "RNTO", .State = C::stReady, .AnyPreliminary = true, .Final = {250}},
    {.Word = "QUIT", .State = C::stQuitting, .AnyPreliminary = true, .Final = {221}},
    {.Word = "TYPE", .OfTheTransfer = true, .Final = {200}},
    {.Word = "PASV", .OfTheTransfer = true, .Final = {227}},
    {.Word = "PORT", .OfTheTransfer = true, .Final = {200}},
    {.Word = "REST", .OfTheTransfer = true, .Final = {350}},
    {.Word = "LIST", .State = C::stListing, .Preliminary = {125, 150}, .Final = {226, 250}},
    {.Word = "RETR", .State = C::stDownloading, .Preliminary = {110, 125, 150}, .Final = {226, 250}},
    {.Word = "STOR", .State = C::stUploading, .Preliminary = {110, 125, 150}, .Final = {226, 250}},
    // Sent only to find where the replies of commands given up stand: it announces no state.
    {.Word = "NOOP", .AnyPreliminary = true, .Final = {200}},
};
}

const Command *Find(QStringView word)
{
    for (const Command &command : kCommands) {
        if (word == QLatin1String(command.Word))
            return &command;
    }
    return nullptr;
}

QString LogLine(const QString &word, const QString &argument)
{
    const Command *command = Find(word);
    return word + u' ' + (command && command->Secret ? QStringLiteral("****") : argument);
}

CFtpClient::FtpState StateWhenSent(QStringView word, qint32 method)
{
    const Command *command = Find(word);
    if (!command)
        return C::stReady;
    if (!command->OfTheTransfer)
        return command->State;
    switch (method) {
    case C::ftpEnumFiles: return C::stListing;
    case C::ftpDownloadFile: return C::stDownloading;
    case C::ftpUploadFile: return C::stUploading;
    default: return C::stReady;
    }
}
}
