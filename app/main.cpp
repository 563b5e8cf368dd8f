#include "app/ModStartUp.h"
#include "platform/GraphicsBackend.h"

#include <QApplication>

int main(int argc, char **argv)
{
    GraphicsBackend::Choose();
    QApplication app(argc, argv);
    ModStartUp::Main();
    return app.exec();
}
