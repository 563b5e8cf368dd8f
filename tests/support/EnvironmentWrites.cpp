// Put into the program under test with LD_PRELOAD: notes each change of the process environment
// that the program's own code asks for while the process runs more than one thread, when no
// change is safe against a thread reading the environment. Each goes on a line
// "<pid> <call> <variable> <threads>" of the file that KESTRELVUE_TEST_ENVIRONMENT_WRITES names,
// after the line "<pid> loaded" that the library writes as it loads, so that a case sees that it
// ran in the program. A library that defines KestrelvueTestProgramCode stands in for the
// program's code: a test's own library that changes the environment as the program might.
// Changes the libraries make for themselves (the page engine sets one for the graphics driver
// as it starts) are theirs, not the program's. Only the browser's own process has the library:
// it leaves the environment before the program runs, so that no process the browser starts
// inherits it, nor a sanitizer's runtime put before it, for which a sandboxed page process has
// no room.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <execinfo.h>
#include <fcntl.h>
#include <sys/auxv.h>
#include <unistd.h>

namespace {

int ThreadCount()
{
    const int fd = ::open("/proc/self/status", O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    char status[4096];
    const ssize_t length = ::read(fd, status, sizeof status - 1);
    ::close(fd);
    if (length <= 0)
        return 0;
    status[length] = '\0';
    const char *threads = std::strstr(status, "\nThreads:");
    return threads ? std::atoi(threads + std::strlen("\nThreads:")) : 0;
}

// Whether an address lies in the object (program or library) whose base is given.
bool In(void *address, const void *base)
{
    Dl_info object{};
    return ::dladdr(address, &object) && object.dli_fbase == base;
}

// The base of the library that stands in for the program's code; null when none was put in.
const void *StandInForTheProgram()
{
    Dl_info standIn{};
    void *const marker = ::dlsym(RTLD_DEFAULT, "KestrelvueTestProgramCode");
    return marker && ::dladdr(marker, &standIn) ? standIn.dli_fbase : nullptr;
}

// Whether the program's code asked for the change: it is the first caller past this library's
// own frames that is neither the C library nor Qt's core, whose qputenv and qunsetenv pass a
// change on. This library's frames are told by address: how many there are depends on what the
// compiler inlined, and a sanitizer's runtime may put one of its own before them.
bool AskedByTheProgram()
{
    Dl_info program{};
    Dl_info self{};
    if (!::dladdr(reinterpret_cast<void *>(::getauxval(AT_PHDR)), &program)
        || !::dladdr(reinterpret_cast<void *>(&AskedByTheProgram), &self))
        return false;
    const void *const standIn = StandInForTheProgram();
    void *frames[32];
    const int count = ::backtrace(frames, 32);
    int i = 0;
    while (i < count && !In(frames[i], self.dli_fbase))
        ++i;
    while (i < count && In(frames[i], self.dli_fbase))
        ++i;
    for (; i < count; ++i) {
        Dl_info caller{};
        if (!::dladdr(frames[i], &caller) || !caller.dli_fname)
            return false;
        if (caller.dli_fbase == program.dli_fbase || caller.dli_fbase == standIn)
            return true;
        if (!std::strstr(caller.dli_fname, "/libc.so") && !std::strstr(caller.dli_fname, "/libQt6Core.so"))
            return false;
    }
    return false;
}

// Appends a line to the notes, when a file is named for them.
void Append(const char *line)
{
    const char *log = std::getenv("KESTRELVUE_TEST_ENVIRONMENT_WRITES");
    if (!log)
        return;
    if (const int fd = ::open(log, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600); fd >= 0) {
        const ssize_t written = ::write(fd, line, std::strlen(line));
        static_cast<void>(written);
        ::close(fd);
    }
}

void Note(const char *call, const char *variable)
{
    if (!std::getenv("KESTRELVUE_TEST_ENVIRONMENT_WRITES"))
        return;
    // The call's own errno is its caller's business, not the note's.
    const int saved = errno;
    const int threads = ThreadCount();
    if (threads > 1 && AskedByTheProgram()) {
        const char *name = variable ? variable : "";
        char line[512];
        std::snprintf(line, sizeof line, "%d %s %.*s %d\n", int(::getpid()), call, int(std::strcspn(name, "=")),
                      name, threads);
        Append(line);
    }
    errno = saved;
}

template <class Function>
Function Next(const char *name)
{
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

// Runs as the library loads, before the program's own code.
__attribute__((constructor)) void SayLoadedAndLeaveTheEnvironment()
{
    char line[64];
    std::snprintf(line, sizeof line, "%d loaded\n", int(::getpid()));
    Append(line);
    Next<int (*)(const char *)>("unsetenv")("LD_PRELOAD");
}

} // namespace

extern "C" {

int setenv(const char *name, const char *value, int overwrite)
{
    static const auto next = Next<int (*)(const char *, const char *, int)>("setenv");
    Note("setenv", name);
    return next(name, value, overwrite);
}

int unsetenv(const char *name)
{
    static const auto next = Next<int (*)(const char *)>("unsetenv");
    Note("unsetenv", name);
    return next(name);
}

int putenv(char *assignment)
{
    static const auto next = Next<int (*)(char *)>("putenv");
    Note("putenv", assignment);
    return next(assignment);
}

int clearenv()
{
    static const auto next = Next<int (*)()>("clearenv");
    Note("clearenv", nullptr);
    return next();
}

}
