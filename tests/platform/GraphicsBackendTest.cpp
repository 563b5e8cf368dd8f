#include "platform/GraphicsBackend.h"

#include <QDir>
#include <QFile>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A stand-in for "/dev" holding the given nodes (plain files: the choice looks at names and access).
class Devices
{
public:
    explicit Devices(std::initializer_list<const char *> nodes)
    {
        for (const char *node : nodes) {
            const QString path = m_dir.filePath(QString::fromLatin1(node));
            QDir().mkpath(QFileInfo(path).path());
            QFile file(path);
            file.open(QIODevice::WriteOnly);
        }
    }
    QString Path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

}

TEST(GraphicsBackend, AGraphicsDeviceIsARenderNodeOrADriverControlNode)
{
    EXPECT_FALSE(GraphicsBackend::HasGpuDevice(Devices({}).Path()));
    EXPECT_FALSE(GraphicsBackend::HasGpuDevice(Devices({"dri/by-path/pci-0000:00:02.0-render"}).Path()))
        << "a folder of links to nodes is no node";
    EXPECT_FALSE(GraphicsBackend::HasGpuDevice(Devices({"null", "tty0"}).Path()));
    EXPECT_TRUE(GraphicsBackend::HasGpuDevice(Devices({"dri/renderD128"}).Path()));
    EXPECT_TRUE(GraphicsBackend::HasGpuDevice(Devices({"dri/card0"}).Path()));
    EXPECT_TRUE(GraphicsBackend::HasGpuDevice(Devices({"nvidiactl"}).Path()));
}

TEST(GraphicsBackend, SoftwareOnlyWithoutDeviceAndWithoutTheUsersOwnChoice)
{
    const Devices none({});
    const Devices gpu({"dri/renderD128"});
    const QProcessEnvironment empty;
    EXPECT_TRUE(GraphicsBackend::ComposeInSoftware(none.Path(), empty));
    EXPECT_FALSE(GraphicsBackend::ComposeInSoftware(gpu.Path(), empty));
    for (const char *choice : {"QT_QUICK_BACKEND", "QSG_RHI_BACKEND", "QT_XCB_GL_INTEGRATION"}) {
        QProcessEnvironment chosen;
        chosen.insert(QString::fromLatin1(choice), QStringLiteral("opengl"));
        EXPECT_FALSE(GraphicsBackend::ComposeInSoftware(none.Path(), chosen)) << choice;
    }
}

// What the choice sets for the process: the software scene graph and Qt's X11 switch that opens
// no OpenGL context without a device; neither with one.
TEST(GraphicsBackend, WithoutDeviceTheChoiceSetsTheSoftwareSceneGraphAndNoX11OpenGl)
{
    for (const bool device : {false, true}) {
        SCOPED_TRACE(device ? "with a render node" : "without a device");
        // As the process starts: the test's own start made the choice for this machine.
        for (const char *choice : {"QT_QUICK_BACKEND", "QSG_RHI_BACKEND", "QT_XCB_GL_INTEGRATION"})
            qunsetenv(choice);
        QQuickWindow::setSceneGraphBackend(QString());

        GraphicsBackend::Choose(Devices(device ? std::initializer_list<const char *>{"dri/renderD128"}
                                               : std::initializer_list<const char *>{})
                                    .Path());

        EXPECT_EQ(QQuickWindow::sceneGraphBackend().toStdString(), device ? "" : "software");
        EXPECT_EQ(qgetenv("QT_XCB_GL_INTEGRATION").toStdString(), device ? "" : "none");
    }
}
