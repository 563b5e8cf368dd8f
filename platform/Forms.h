#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <typeindex>

// A window of the program: "load" runs Form_Load once, "unload" runs Form_Unload and destroys it.
class Form
{
public:
    virtual ~Form() = default;
    virtual void Form_Load() {}
    // Set Cancel to a non-zero value to keep the window loaded.
    virtual void Form_Unload(int &Cancel) { Q_UNUSED(Cancel); }
};

// The program's loaded windows in load order, and one default instance per window class,
// created and loaded (hidden) on first use. Closing a loaded window unloads it.
namespace Forms {

// Loads a window: registers it and runs its Form_Load, once. Closing it later unloads it.
void Load(QWidget *form);
// Loads (if needed) and shows the window modeless.
void Show(QWidget *form);
// Runs Form_Unload; unless cancelled, forgets the window and destroys it. Returns false if cancelled.
bool Unload(QWidget *form);
bool IsLoaded(const QWidget *form);
QList<QWidget *> LoadedForms();
// Hides and unloads, in load order, every loaded window that `which` accepts when it is reached
// (every window without it). A window's unload may unload others: each is unloaded only while it
// is still loaded.
void UnloadAll(const std::function<bool(const QWidget *)> &which = {});
// When set, the application quits once no window is loaded (the program's own start-up sets it).
void SetQuitWhenNoneLoaded(bool quit);

QWidget *DefaultInstance(std::type_index type, const std::function<QWidget *()> &create);
bool HasDefaultInstance(std::type_index type);
void SetDefaultInstance(std::type_index type, QWidget *form);

template <class T>
T *Default()
{
    return static_cast<T *>(DefaultInstance(typeid(T), [] { return new T(); }));
}

template <class T>
bool DefaultExists()
{
    return HasDefaultInstance(typeid(T));
}

// The default instance when it is loaded, else null: reaching it this way never creates one.
template <class T>
T *Existing()
{
    return HasDefaultInstance(typeid(T)) ? Default<T>() : nullptr;
}

// Makes a loaded window the default instance of its class, in place of none.
template <class T>
void MakeDefault(T *form)
{
    SetDefaultInstance(typeid(T), form);
}

} // namespace Forms
