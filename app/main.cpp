#include "app/ModStartUp.h"
#include "platform/GraphicsBackend.h"
#include "platform/PageSandbox.h"
#include "platform/StartEnvironment.h"

#include <QApplication>

int main(int argc, char **argv)
{
    GraphicsBackend::Choose(QStringLiteral("/dev"));
    PageSandbox::Choose();
    QApplication app(argc, argv);
    ModStartUp::Main();
    // Qt has read its switches as the application started, the engine as the first window's
    // page did: whatever the browser starts from now on gets the user's environment.
    StartEnvironment::Restore();
    return app.exec();
}
