// One main for every test binary: a QApplication exists so that Qt Test helpers
// (QSignalSpy, QTest::keyClick) and widgets work inside GoogleTest cases.
#include "platform/GraphicsBackend.h"

#include <QApplication>
#include <QtWebEngineCore/qtwebenginecoreglobal.h>
#include <gtest/gtest.h>

namespace {

// Under CI every case runs: a skipped case fails there, with the reason it gave for skipping.
class SkipFailsUnderCi : public ::testing::EmptyTestEventListener
{
    void OnTestEnd(const ::testing::TestInfo &test) override
    {
        if (test.result()->Skipped())
            ADD_FAILURE() << "a case may not skip under CI=true";
    }
};

} // namespace

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariable("CI") == QLatin1String("true"))
        ::testing::UnitTest::GetInstance()->listeners().Append(new SkipFailsUnderCi);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --disable-background-networking");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // Windows are drawn as the program draws them on this machine.
    GraphicsBackend::Choose(QStringLiteral("/dev"));
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
