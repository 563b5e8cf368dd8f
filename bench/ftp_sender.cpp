// A small FTP server for the download benchmark: it answers the few commands a download needs and
// sends a file's bytes with sendfile, so that it is never the slower end of a download measured
// against it. Any user name and password are let in.
//
// Usage: ftp_sender ROOT
// Prints its control port on the first line of its output, then serves the files directly in ROOT
// on 127.0.0.1, one thread per control connection, until it is killed.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/sendfile.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace
{
std::string g_root;

int ListenOnLoopback(sockaddr_in *bound)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 || ::listen(fd, 8) != 0
        || ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) != 0) {
        ::close(fd);
        return -1;
    }
    *bound = address;
    return fd;
}

bool SendAll(int fd, const std::string &text)
{
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::send(fd, text.data() + done, text.size() - done, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// One control connection and the data connections it asks for.
class Session
{
public:
    explicit Session(int control) : m_control(control) {}
    ~Session()
    {
        CloseDataListener();
        ::close(m_control);
    }

    void Run()
    {
        if (!Reply("220 Sender ready."))
            return;
        std::string pending;
        char chunk[4096];
        for (;;) {
            const size_t end = pending.find('\n');
            if (end == std::string::npos) {
                const ssize_t n = ::recv(m_control, chunk, sizeof chunk, 0);
                if (n <= 0)
                    return;
                pending.append(chunk, static_cast<size_t>(n));
                continue;
            }
            std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (!Handle(line))
                return;
        }
    }

private:
    bool Reply(const std::string &text) { return SendAll(m_control, text + "\r\n"); }

    // False when the session is over.
    bool Handle(const std::string &line)
    {
        const size_t space = line.find(' ');
        std::string verb = line.substr(0, space);
        for (char &c : verb)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        const std::string argument = space == std::string::npos ? std::string() : line.substr(space + 1);

        if (verb == "USER")
            return Reply("331 Password required.");
        if (verb == "PASS")
            return Reply("230 Logged in.");
        if (verb == "QUIT") {
            Reply("221 Goodbye.");
            return false;
        }
        if (verb == "SYST")
            return Reply("215 UNIX Type: L8");
        if (verb == "PWD")
            return Reply("257 \"/\" is the current directory.");
        if (verb == "CWD")
            return Reply(argument == "/" || argument.empty() ? "250 Directory changed." : "550 No such directory.");
        if (verb == "TYPE" || verb == "MODE" || verb == "STRU" || verb == "NOOP" || verb == "OPTS")
            return Reply("200 OK.");
        if (verb == "SIZE") {
            struct stat info {};
            const std::string path = PathOf(argument);
            if (path.empty() || ::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
                return Reply("550 No such file.");
            return Reply("213 " + std::to_string(info.st_size));
        }
        if (verb == "REST") {
            m_restart = std::strtoll(argument.c_str(), nullptr, 10);
            return Reply("350 Restarting at " + std::to_string(m_restart) + ".");
        }
        if (verb == "PASV" || verb == "EPSV")
            return Passive(verb == "EPSV");
        if (verb == "PORT")
            return Active(ParsePort(argument));
        if (verb == "EPRT")
            return Active(ParseEprt(argument));
        if (verb == "RETR")
            return Retrieve(argument);
        return Reply("502 Command not implemented.");
    }

    // A file directly in the root; anything with a folder in it is refused.
    static std::string PathOf(std::string name)
    {
        if (!name.empty() && name.front() == '/')
            name.erase(0, 1);
        if (name.empty() || name.find('/') != std::string::npos || name == "." || name == "..")
            return std::string();
        return g_root + "/" + name;
    }

    bool Passive(bool extended)
    {
        CloseDataListener();
        m_active = false;
        sockaddr_in bound {};
        m_dataListener = ListenOnLoopback(&bound);
        if (m_dataListener < 0)
            return Reply("425 Cannot open a data port.");
        const unsigned port = ntohs(bound.sin_port);
        if (extended)
            return Reply("229 Entering Extended Passive Mode (|||" + std::to_string(port) + "|).");
        return Reply("227 Entering Passive Mode (127,0,0,1," + std::to_string(port / 256) + ","
                     + std::to_string(port % 256) + ").");
    }

    bool Active(bool parsed)
    {
        CloseDataListener();
        m_active = parsed;
        return Reply(parsed ? "200 Port set." : "501 Bad address.");
    }

    // h1,h2,h3,h4,p1,p2
    bool ParsePort(const std::string &argument)
    {
        unsigned v[6];
        if (std::sscanf(argument.c_str(), "%u,%u,%u,%u,%u,%u", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5]) != 6)
            return false;
        m_peer = sockaddr_in {};
        m_peer.sin_family = AF_INET;
        m_peer.sin_addr.s_addr = htonl((v[0] << 24) | (v[1] << 16) | (v[2] << 8) | v[3]);
        m_peer.sin_port = htons(static_cast<uint16_t>(v[4] * 256 + v[5]));
        return true;
    }

    // |1|address|port|
    bool ParseEprt(const std::string &argument)
    {
        char address[64] = {};
        unsigned port = 0;
        if (std::sscanf(argument.c_str(), "|1|%63[0-9.]|%u|", address, &port) != 2)
            return false;
        m_peer = sockaddr_in {};
        m_peer.sin_family = AF_INET;
        m_peer.sin_port = htons(static_cast<uint16_t>(port));
        return ::inet_pton(AF_INET, address, &m_peer.sin_addr) == 1;
    }

    int OpenDataConnection()
    {
        if (m_active) {
            const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
            if (fd >= 0 && ::connect(fd, reinterpret_cast<const sockaddr *>(&m_peer), sizeof m_peer) == 0)
                return fd;
            if (fd >= 0)
                ::close(fd);
            return -1;
        }
        if (m_dataListener < 0)
            return -1;
        pollfd waiting { m_dataListener, POLLIN, 0 };
        const int fd = ::poll(&waiting, 1, 30000) == 1 ? ::accept4(m_dataListener, nullptr, nullptr, SOCK_CLOEXEC) : -1;
        CloseDataListener();
        return fd;
    }

    bool Retrieve(const std::string &name)
    {
        const off_t start = m_restart;
        m_restart = 0;
        const std::string path = PathOf(name);
        const int file = path.empty() ? -1 : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat info {};
        if (file < 0 || ::fstat(file, &info) != 0 || !S_ISREG(info.st_mode)) {
            if (file >= 0)
                ::close(file);
            return Reply("550 No such file.");
        }
        if (!Reply("150 Opening BINARY mode data connection.")) {
            ::close(file);
            return false;
        }
        const int data = OpenDataConnection();
        if (data < 0) {
            ::close(file);
            return Reply("425 Cannot open the data connection.");
        }
        off_t offset = start;
        bool whole = true;
        while (offset < info.st_size) {
            const ssize_t n = ::sendfile(data, file, &offset, static_cast<size_t>(info.st_size - offset));
            if (n <= 0) {
                whole = false;
                break;
            }
        }
        ::close(data);
        ::close(file);
        return Reply(whole ? "226 Transfer complete." : "426 Transfer aborted.");
    }

    void CloseDataListener()
    {
        if (m_dataListener >= 0)
            ::close(m_dataListener);
        m_dataListener = -1;
    }

    int m_control;
    int m_dataListener = -1;
    bool m_active = false;
    sockaddr_in m_peer {};
    off_t m_restart = 0;
};
}

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: ftp_sender ROOT\n");
        return 2;
    }
    g_root = argv[1];
    sockaddr_in bound {};
    const int listener = ListenOnLoopback(&bound);
    if (listener < 0) {
        std::perror("ftp_sender");
        return 1;
    }
    std::printf("%u\n", static_cast<unsigned>(ntohs(bound.sin_port)));
    std::fflush(stdout);
    for (;;) {
        const int control = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (control < 0)
            continue;
        std::thread([control] { Session(control).Run(); }).detach();
    }
}
