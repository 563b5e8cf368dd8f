// Put into the program under test with LD_PRELOAD after the environment-writes probe: stands in
// for code of the program's own that changes the environment from a second thread, which the
// probe must note. As it loads it starts a thread that sets KESTRELVUE_TEST_SET_FROM_A_THREAD
// through Qt, as the program's code would.
#include <QByteArray>
#include <QtGlobal>

#include <thread>

// The probe takes a library that defines this for the program's code.
extern "C" __attribute__((visibility("default"))) const int KestrelvueTestProgramCode = 1;

namespace {

__attribute__((constructor)) void SetFromASecondThread()
{
    std::thread([] { qputenv("KESTRELVUE_TEST_SET_FROM_A_THREAD", "set"); }).detach();
}

} // namespace
