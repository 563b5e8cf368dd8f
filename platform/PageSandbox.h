#pragma once

#include <sys/types.h>

// The page engine's sandbox around the processes that run web pages. Every user gets it but
// root, for whom the engine refuses to start with it.
namespace PageSandbox {

// The one line the program writes on standard error when it turns the sandbox off.
inline constexpr char TurnedOffNotice[] =
    "Kestrelvue runs as root, so its web pages run without the page engine's sandbox; "
    "run it as an ordinary user to keep them sandboxed.";

// True when a program running with this effective user id keeps its pages sandboxed.
bool SandboxedFor(uid_t effectiveUser);

// Makes the choice for this process before the engine starts; says so when it turns the
// sandbox off.
void Choose();

}
