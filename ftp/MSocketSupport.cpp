#include "ftp/MSocketSupport.h"

#include "ftp/CSocket.h"
#include "platform/MessageWindow.h"
#include "platform/Winsock.h"

#include <QHash>
#include <QPointer>
#include <memory>

namespace MSocketSupport {
namespace {

struct PendingLookup
{
    CSocket *object = nullptr;
    std::shared_ptr<Winsock::HostEntry> buffer;
};

struct ModuleState
{
    MessageWindow *socketWindow = nullptr;
    MessageWindow::WindowProcedure previousProcedure;
    quint32 winsockMessage = 0;
    quint32 resolveMessage = 0;
    QHash<qint32, CSocket *> sockets;
    QHash<qint32, PendingLookup> lookups;
    QHash<CSocket *, qint32> lookupOfObject;
    bool started = false;
    qint32 users = 0;
    qint32 maxDatagram = 0;
    NumberedError errorState { 0, QString(), QString() };
};

ModuleState &state()
{
    static ModuleState module;
    return module;
}

void recordError(int number, const QString &description, const QString &source)
{
    state().errorState = NumberedError(number, description, source);
}

void recordSocketError(const QString &source)
{
    const int code = Winsock::WSAGetLastError();
    recordError(code, GetErrorDescription(code), source);
}

void forgetLookup(qint32 task)
{
    const auto found = state().lookups.find(task);
    if (found == state().lookups.end())
        return;
    state().lookupOfObject.remove(found->object);
    state().lookups.erase(found);
}

void dispatchSocketEvent(quintptr wParam, qintptr lParam)
{
    CSocket *object = state().sockets.value(static_cast<qint32>(wParam), nullptr);
    if (!object)
        return;
    object->PostSocketEvent(LoWord(lParam), HiWord(lParam));
}

void dispatchLookupResult(quintptr wParam, qintptr lParam)
{
    const qint32 task = static_cast<qint32>(wParam);
    const auto found = state().lookups.find(task);
    if (found == state().lookups.end())
        return;
    CSocket *object = found->object;
    const std::shared_ptr<Winsock::HostEntry> entry = found->buffer;
    forgetLookup(task);

    const qint32 error = HiWord(lParam);
    if (error != 0 || entry->h_addr_list.isEmpty())
        object->PostGetHostEvent(0, 0, QString(), error != 0 ? error : Winsock::WSANO_DATA);
    else
        object->PostGetHostEvent(task, entry->h_addr_list.first(), entry->h_name, 0);
}

} // namespace

qint32 InitWinsockService()
{
    ModuleState &module = state();
    if (module.started) {
        ++module.users;
        return module.maxDatagram;
    }
    Winsock::WSADATA data;
    const int code = Winsock::WSAStartup(0x0101, &data);
    if (code != 0) {
        QString description;
        if (code == Winsock::WSAEINVAL)
            description = QStringLiteral("The Windows Sockets version specified by the "
                                         "application is not supported by this DLL.");
        else if (code == Winsock::WSASYSNOTREADY)
            description = QStringLiteral("The underlying network subsystem is not "
                                         "ready for network communication.");
        else if (code == Winsock::WSAVERNOTSUPPORTED)
            description = QStringLiteral("The version of Windows Sockets API support "
                                         "requested is not provided by this particular "
                                         "Windows Sockets implementation.");
        throw NumberedError(code, description, QStringLiteral("MSocketSupport.InitWinsockService"));
    }
    module.started = true;
    ++module.users;
    module.maxDatagram = IntegerToUnsigned(static_cast<qint16>(data.iMaxUdpDg));
    const QString exe = MessageWindow::ExecutableName();
    module.resolveMessage = MessageWindow::RegisterWindowMessage(exe + QStringLiteral(".ResolveMessage"));
    module.winsockMessage = MessageWindow::RegisterWindowMessage(exe + QStringLiteral(".WinsockMessage"));
    return module.maxDatagram;
}

void CleanupWinsockService()
{
    ModuleState &module = state();
    if (module.users > 0)
        --module.users;
    // Another live socket object may still open a socket: the service stays while one remains.
    if (module.users == 0 && module.sockets.isEmpty() && module.started) {
        Winsock::WSACleanup();
        module.started = false;
    }
}

bool RegisterSocket(qint32 lngSocketHandle, CSocket *object)
{
    ModuleState &module = state();
    const QString source = QStringLiteral("MSocketSupport.RegisterSocket");
    if (!module.socketWindow && !CreateWinsockMessageWindow()) {
        recordError(Winsock::WSAEINTR, QStringLiteral("The operation was canceled."), source);
        return false;
    }
    module.sockets.insert(lngSocketHandle, object);
    const long events = Winsock::FD_READ | Winsock::FD_WRITE | Winsock::FD_ACCEPT
        | Winsock::FD_CONNECT | Winsock::FD_CLOSE;
    if (Winsock::WSAAsyncSelect(lngSocketHandle, module.socketWindow, module.winsockMessage, events)
        == 0)
        return true;
    recordSocketError(source);
    // A refused registration leaves nothing behind: no entry, and no window without sockets.
    module.sockets.remove(lngSocketHandle);
    if (module.sockets.isEmpty())
        DestroyWinsockMessageWindow();
    return false;
}

bool UnregisterSocket(qint32 lngSocketHandle)
{
    ModuleState &module = state();
    if (lngSocketHandle == -1 || !module.sockets.contains(lngSocketHandle))
        return true;
    Winsock::WSAAsyncSelect(lngSocketHandle, module.socketWindow, 0, 0);
    module.sockets.remove(lngSocketHandle);
    if (module.sockets.isEmpty())
        DestroyWinsockMessageWindow();
    return true;
}

qint32 ResolveHost(const QString &strHostName, CSocket *object)
{
    ModuleState &module = state();
    CancelResolve(object);
    auto buffer = std::make_shared<Winsock::HostEntry>();
    const Winsock::HANDLE task = Winsock::WSAAsyncGetHostByName(
        module.socketWindow, module.resolveMessage, strHostName, buffer.get());
    if (task == 0) {
        recordSocketError(QStringLiteral("MSocketSupport.ResolveHost"));
        return 0;
    }
    module.lookups.insert(task, PendingLookup { object, std::move(buffer) });
    module.lookupOfObject.insert(object, task);
    return task;
}

void CancelResolve(CSocket *object)
{
    const auto found = state().lookupOfObject.constFind(object);
    if (found == state().lookupOfObject.constEnd())
        return;
    const qint32 task = found.value();
    Winsock::WSACancelAsyncRequest(task);
    forgetLookup(task);
}

QString GetErrorDescription(qint32 lngErrorCode)
{
    return Winsock::ErrorText(lngErrorCode);
}

MessageWindow *CreateWinsockMessageWindow()
{
    ModuleState &module = state();
    module.socketWindow = MessageWindow::CreateWindow(QStringLiteral("SOCKET_WINDOW"));
    if (module.socketWindow)
        module.previousProcedure = module.socketWindow->SetWindowProc(&WindowProc);
    return module.socketWindow;
}

void DestroyWinsockMessageWindow()
{
    ModuleState &module = state();
    if (!module.socketWindow)
        return;
    module.socketWindow->SetWindowProc(std::move(module.previousProcedure));
    module.previousProcedure = nullptr;
    MessageWindow::DestroyWindow(module.socketWindow);
    module.socketWindow = nullptr;
}

qintptr WindowProc(MessageWindow *window, quint32 uMsg, quintptr wParam, qintptr lParam)
{
    ModuleState &module = state();
    if (uMsg != module.winsockMessage && uMsg != module.resolveMessage) {
        const MessageWindow::WindowProcedure previous = module.previousProcedure;
        return previous ? previous(window, uMsg, wParam, lParam) : 0;
    }
    // An error while one message is handled ends the handling of that message only: it never
    // crosses the event dispatch.
    try {
        if (uMsg == module.winsockMessage)
            dispatchSocketEvent(wParam, lParam);
        else
            dispatchLookupResult(wParam, lParam);
    } catch (...) {
    }
    return 0;
}

qint16 UnsignedToInteger(qint64 value)
{
    if (value < 0 || value > 65535)
        throw NumberedError(6, QStringLiteral("Overflow"),
                            QStringLiteral("MSocketSupport.UnsignedToInteger"));
    return static_cast<qint16>(value > 32767 ? value - 65536 : value);
}

qint32 IntegerToUnsigned(qint16 value)
{
    return value < 0 ? value + 65536 : value;
}

qint32 LoWord(qint64 value)
{
    return static_cast<qint32>(value & 0xFFFF);
}

qint32 HiWord(qint64 value)
{
    return static_cast<qint32>((value >> 16) & 0xFFFF);
}

NumberedError LastError()
{
    return state().errorState;
}

void ClearError()
{
    state().errorState = NumberedError(0, QString(), QString());
}

bool IsStarted()
{
    return state().started;
}

MessageWindow *SocketWindow()
{
    return state().socketWindow;
}

qint32 RegisteredSocketCount()
{
    return static_cast<qint32>(state().sockets.size());
}

qint32 PendingLookupCount()
{
    return static_cast<qint32>(state().lookups.size());
}

quint32 WinsockMessage()
{
    return state().winsockMessage;
}

quint32 ResolveMessage()
{
    return state().resolveMessage;
}

} // namespace MSocketSupport
