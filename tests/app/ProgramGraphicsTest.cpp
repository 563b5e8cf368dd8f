#include "platform/GraphicsBackend.h"
#include "tests/support/WaitFor.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The children of a process, whichever of its threads started them.
QList<qint64> childrenOf(qint64 pid)
{
    QList<qint64> children;
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile file(tasks.filePath(task + QStringLiteral("/children")));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray &child : file.readAll().split(' ')) {
            if (!child.trimmed().isEmpty())
                children.append(child.trimmed().toLongLong());
        }
    }
    return children;
}

// The page engine forks each page process from a zygote that the program started.
bool hasPageProcess(qint64 pid)
{
    for (qint64 child : childrenOf(pid)) {
        if (!childrenOf(child).isEmpty())
            return true;
    }
    return false;
}

QByteArray mapsOf(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/maps").arg(pid));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// An X server of its own for one test, on the first free display.
class PrivateXServer
{
public:
    PrivateXServer()
    {
        m_process.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                                  QStringLiteral("-screen"), QStringLiteral("0"),
                                                  QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                                                  QStringLiteral("tcp")});
        // No display number means no server: the test that uses it fails on that.
        if (WaitUntil([&] { return m_process.canReadLine() || m_process.state() == QProcess::NotRunning; })
            && m_process.canReadLine())
            m_display = QStringLiteral(":") + QString::fromLatin1(m_process.readLine().trimmed());
    }
    ~PrivateXServer()
    {
        m_process.terminate();
        m_process.waitForFinished();
    }
    QString Display() const { return m_display; }

private:
    QProcess m_process;
    QString m_display;
};

}

// On a machine without a graphics device, OpenGL is a software rasterizer that maps tens of
// MiB into the browser process; the program draws its windows without it.
TEST(ProgramGraphics, WithoutGraphicsDeviceTheProgramLoadsNoOpenGlRasterizer)
{
    if (GraphicsBackend::HasGpuDevice(QStringLiteral("/dev")))
        GTEST_SKIP() << "this machine has a graphics device: OpenGL draws in hardware";
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
        GTEST_SKIP() << "no Xvfb here to show the program's window";
    PrivateXServer x;
    ASSERT_FALSE(x.Display().isEmpty());

    QTemporaryDir folder;
    const QDir built(QStringLiteral(KV_PROGRAM_DIR));
    for (const QString &name : {QStringLiteral("kestrelvue"), QStringLiteral("blank.html"),
                                QStringLiteral("Help.html"), QStringLiteral("SearchConfig.dat")})
        ASSERT_TRUE(QFile::copy(built.filePath(name), QDir(folder.path()).filePath(name)));
    ASSERT_TRUE(QFile::copy(QStringLiteral(KV_SOURCE_DIR "/resources/Settings.dat"),
                            QDir(folder.path()).filePath(QStringLiteral("Settings.dat"))));

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QUICK_BACKEND", "QSG_RHI_BACKEND", "QT_XCB_GL_INTEGRATION"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("DISPLAY"), x.Display());
    environment.insert(QStringLiteral("HOME"), folder.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), folder.filePath(QStringLiteral(".config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), folder.filePath(QStringLiteral(".local/share")));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), folder.filePath(QStringLiteral(".cache")));

    QProcess program;
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(folder.path());
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.setStandardOutputFile(QProcess::nullDevice());
    program.start(QDir(folder.path()).filePath(QStringLiteral("kestrelvue")), {});
    ASSERT_TRUE(program.waitForStarted(WaitTimeoutMs));

    const bool paged = WaitUntil([&] { return hasPageProcess(program.processId()); });
    const QByteArray maps = mapsOf(program.processId());
    program.kill();
    EXPECT_TRUE(program.waitForFinished(WaitTimeoutMs));

    ASSERT_TRUE(paged) << "the home page never got a page process";
    EXPECT_FALSE(maps.contains("libLLVM")) << "the shader compiler of a software OpenGL is loaded";
    EXPECT_FALSE(maps.contains("_dri.so")) << "an OpenGL driver is loaded";
    EXPECT_TRUE(maps.contains("libQt6WebEngineCore")) << "the process read is not the program";
}
