#include "platform/GraphicsBackend.h"
#include "tests/support/FullFileSystem.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/WaitFor.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

QByteArray mapsOf(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/maps").arg(pid));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}

// On a machine without a graphics device, OpenGL is a software rasterizer that maps tens of
// MiB into the browser process; the program draws its windows without it. Every machine is
// one without a device for a program whose "/dev" holds none.
TEST(ProgramGraphics, WithoutGraphicsDeviceTheProgramLoadsNoOpenGlRasterizer)
{
    // That "/dev" is a tmpfs mounted in a user and mount namespace, as a full-disk case's file
    // system is: where no user may have one, the case says so at once, as those do.
    if (const FullFileSystem mountable(4); !mountable.Mounted())
        GTEST_SKIP() << mountable.Why().toStdString();

    PrivateXServer x;
    ASSERT_FALSE(x.Display().isEmpty()) << "no X server started to show the program's window";

    const ProgramCopy copy;
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    ASSERT_TRUE(copy.StartWithoutGraphicsDevices(program, copy.UserEnvironment(x.Display())));

    const bool paged = WaitUntil([&] { return HasPageProcess(program.processId()); });
    const QByteArray maps = mapsOf(program.processId());
    const bool device = GraphicsBackend::HasGpuDevice(QStringLiteral("/proc/%1/root/dev").arg(program.processId()));
    program.kill();
    EXPECT_TRUE(program.waitForFinished(WaitTimeoutMs));

    ASSERT_TRUE(paged) << "the home page never got a page process";
    ASSERT_FALSE(device) << "the program's /dev holds a graphics device";
    EXPECT_FALSE(maps.contains("libLLVM")) << "the shader compiler of a software OpenGL is loaded";
    EXPECT_FALSE(maps.contains("_dri.so")) << "an OpenGL driver is loaded";
    EXPECT_TRUE(maps.contains("libQt6WebEngineCore")) << "the process read is not the program";
}
