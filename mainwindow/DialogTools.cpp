#include "mainwindow/DialogTools.h"

#include "platform/Forms.h"
#include "platform/ScreenPlacement.h"

#include <QEvent>
#include <QEventLoop>
#include <QLayout>
#include <QPointer>
#include <QWidget>

namespace DialogTools {

namespace {

constexpr int TwipsPerPixel = 15;

// Ends the modal run when the dialog is hidden.
class HideWatcher : public QObject
{
public:
    HideWatcher(QWidget *dialog, QEventLoop *loop) : QObject(dialog), m_loop(loop)
    {
        dialog->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        Q_UNUSED(watched);
        if (event->type() == QEvent::Hide)
            m_loop->quit();
        return false;
    }

private:
    QEventLoop *m_loop;
};

} // namespace

void PlaceTwips(QWidget *control, int left, int top, int width, int height)
{
    control->setGeometry(left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel,
                         height / TwipsPerPixel);
}

void SetClientSizeTwips(QWidget *window, int width, int height)
{
    window->resize(width / TwipsPerPixel, height / TwipsPerPixel);
}

void ShowModal(QWidget *dialog, QWidget *owner)
{
    Forms::Load(dialog);
    if (!Forms::IsLoaded(dialog))
        return;
    if (owner && dialog->parentWidget() != owner)
        dialog->setParent(owner, dialog->windowFlags() | Qt::Window);
    if (owner)
        ScreenPlacement::CentreOver(dialog, owner);
    QPointer<QWidget> self(dialog);
    QEventLoop loop;
    auto *watcher = new HideWatcher(dialog, &loop);
    QObject::connect(dialog, &QObject::destroyed, &loop, &QEventLoop::quit);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->show();
    if (dialog->isVisible())
        loop.exec();
    if (self) {
        delete watcher;
        dialog->setWindowModality(Qt::NonModal);
    }
}

void ShowModeless(QWidget *dialog, const QWidget *over)
{
    Forms::Load(dialog);
    if (!Forms::IsLoaded(dialog))
        return;
    if (over && !dialog->isVisible())
        ScreenPlacement::CentreOver(dialog, over);
    Forms::Show(dialog);
    if (!Forms::IsLoaded(dialog))
        return;
    dialog->raise();
    dialog->activateWindow();
}

} // namespace DialogTools
