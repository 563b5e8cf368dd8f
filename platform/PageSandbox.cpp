#include "platform/PageSandbox.h"

#include "platform/StartEnvironment.h"

#include <cstdio>
#include <unistd.h>

namespace PageSandbox {

bool SandboxedFor(uid_t effectiveUser)
{
    return effectiveUser != 0;
}

void Choose()
{
    if (SandboxedFor(::geteuid()))
        return;
    StartEnvironment::Set("QTWEBENGINE_DISABLE_SANDBOX", "1");
    std::fprintf(stderr, "%s\n", TurnedOffNotice);
}

} // namespace PageSandbox
