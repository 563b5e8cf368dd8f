#pragma once

#include <QString>

class CSocket;

// What the client needs of a connection beyond the socket class: the addresses of its two ends
// and closing it at once, without waiting for the peer.
namespace FtpSocketTools
{
// Dotted IPv4 address of the peer of a connected socket handle; empty when there is none.
QString PeerAddress(qint32 handle);
// Dotted IPv4 address the socket handle is bound to; empty when there is none.
QString LocalAddress(qint32 handle);
// Shuts both directions and destroys the socket, so that no late event of it arrives.
void CloseNow(CSocket &socket);
// Gives a data socket a large receive buffer before it connects or listens. The kernel grows a
// default one only step by step, which holds back a fast server for much of a transfer.
void WidenReceiveBuffer(qint32 handle);
// Closes a connection handle that nobody will own.
void Refuse(qint32 handle);
}
