// The least a browser on this engine does: one engine view in a window of the main window's size,
// loading the page given on the command line, its caption following the page's title.
// The start-up benchmark measures it beside the browser. With "--as-kestrelvue" after the page it
// draws the way the browser chooses on this machine, so that the benchmark can tell the browser's
// own cost from the cost of that choice.
#include "platform/GraphicsBackend.h"

#include <QApplication>
#include <QUrl>
#include <QWebEngineView>

int main(int argc, char **argv)
{
    if (argc > 2 && QByteArray(argv[2]) == "--as-kestrelvue")
        GraphicsBackend::Choose(QStringLiteral("/dev"));
    else
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QWebEngineView view;
    QObject::connect(&view, &QWebEngineView::titleChanged, &view, &QWidget::setWindowTitle);
    view.resize(1000, 700);
    view.load(QUrl::fromUserInput(app.arguments().value(1)));
    view.show();
    return app.exec();
}
