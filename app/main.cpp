#include "app/ModStartUp.h"
#include "platform/GraphicsBackend.h"
#include "platform/PageSandbox.h"

#include <QApplication>

int main(int argc, char **argv)
{
    // Both choices set their switches in the environment while the program runs one thread: Qt
    // and the page engine read them later from threads of their own, so the environment never
    // changes after this.
    GraphicsBackend::Choose(QStringLiteral("/dev"));
    PageSandbox::Choose();
    QApplication app(argc, argv);
    ModStartUp::Main();
    return app.exec();
}
