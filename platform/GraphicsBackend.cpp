#include "platform/GraphicsBackend.h"

#include "platform/StartEnvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QQuickWindow>

namespace GraphicsBackend {

bool HasGpuDevice(const QString &devices)
{
    const QDir dri(devices + QStringLiteral("/dri"));
    const QFileInfoList nodes = dri.entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &node : nodes) {
        if (node.isReadable() && node.isWritable())
            return true;
    }
    return QFileInfo::exists(devices + QStringLiteral("/nvidiactl"));
}

bool ComposeInSoftware(const QString &devices, const QProcessEnvironment &environment)
{
    for (const char *choice : {"QT_QUICK_BACKEND", "QSG_RHI_BACKEND", "QT_XCB_GL_INTEGRATION"}) {
        if (environment.contains(QString::fromLatin1(choice)))
            return false;
    }
    return !HasGpuDevice(devices);
}

void Choose(const QString &devices)
{
    // The page engine draws through contexts shared with the windows'.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (!ComposeInSoftware(devices, QProcessEnvironment::systemEnvironment()))
        return;
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    // Qt's X11 windows would still open an OpenGL context for sharing; none is needed.
    StartEnvironment::Set("QT_XCB_GL_INTEGRATION", "none");
}

}
