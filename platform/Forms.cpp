#include "platform/Forms.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHash>
#include <QObject>

#include <unordered_map>

namespace {

struct Registry
{
    QList<QPointer<QWidget>> loaded;
    QList<QWidget *> unloading;
    std::unordered_map<std::type_index, QPointer<QWidget>> defaults;
    bool quitWhenNoneLoaded = false;
};

Registry &registry()
{
    static Registry r;
    return r;
}

void pruneDestroyed()
{
    registry().loaded.removeAll(QPointer<QWidget>());
}

// Turns a close of a loaded window (title-bar button, Alt+F4) into its unload.
class CloseToUnload : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Close)
            return false;
        auto *form = static_cast<QWidget *>(watched);
        if (!Forms::IsLoaded(form))
            return false;
        if (!Forms::Unload(form))
            event->ignore();
        return true;
    }
};

CloseToUnload *closeFilter()
{
    static CloseToUnload *filter = new CloseToUnload(QCoreApplication::instance());
    return filter;
}

} // namespace

namespace Forms {

void Load(QWidget *form)
{
    if (!form || IsLoaded(form))
        return;
    registry().loaded.append(form);
    form->installEventFilter(closeFilter());
    if (auto *f = dynamic_cast<Form *>(form))
        f->Form_Load();
}

void Show(QWidget *form)
{
    Load(form);
    if (IsLoaded(form))
        form->show();
}

bool Unload(QWidget *form)
{
    // A window's unload may unload other windows, which must not unload it again.
    if (!IsLoaded(form) || registry().unloading.contains(form))
        return true;
    int cancel = 0;
    registry().unloading.append(form);
    if (auto *f = dynamic_cast<Form *>(form))
        f->Form_Unload(cancel);
    registry().unloading.removeAll(form);
    if (cancel)
        return false;
    pruneDestroyed();
    registry().loaded.removeAll(form);
    for (auto it = registry().defaults.begin(); it != registry().defaults.end();) {
        if (it->second == form)
            it = registry().defaults.erase(it);
        else
            ++it;
    }
    form->removeEventFilter(closeFilter());
    form->hide();
    form->deleteLater();
    if (registry().loaded.isEmpty() && registry().quitWhenNoneLoaded)
        QCoreApplication::quit();
    return true;
}

bool IsLoaded(const QWidget *form)
{
    if (!form)
        return false;
    for (const auto &p : registry().loaded)
        if (p == form)
            return true;
    return false;
}

QList<QWidget *> LoadedForms()
{
    pruneDestroyed();
    QList<QWidget *> forms;
    for (const auto &p : registry().loaded)
        forms.append(p.data());
    return forms;
}

void UnloadAll(const std::function<bool(const QWidget *)> &which)
{
    QList<QPointer<QWidget>> forms;
    for (QWidget *form : LoadedForms())
        forms.append(form);
    for (const QPointer<QWidget> &form : forms) {
        if (!form || !IsLoaded(form) || (which && !which(form)))
            continue;
        form->hide();
        Unload(form);
    }
}

void SetQuitWhenNoneLoaded(bool quit)
{
    registry().quitWhenNoneLoaded = quit;
}

QWidget *DefaultInstance(std::type_index type, const std::function<QWidget *()> &create)
{
    auto &slot = registry().defaults[type];
    if (!slot) {
        QWidget *form = create();
        slot = form;
        Load(form);
    }
    return slot.data();
}

void SetDefaultInstance(std::type_index type, QWidget *form)
{
    registry().defaults[type] = form;
}

bool HasDefaultInstance(std::type_index type)
{
    auto it = registry().defaults.find(type);
    return it != registry().defaults.end() && it->second;
}

} // namespace Forms
