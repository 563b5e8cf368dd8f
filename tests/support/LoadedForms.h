#pragma once

#include "platform/Forms.h"

#include <QCoreApplication>
#include <QEvent>
#include <QList>
#include <QPointer>

// The forms a test has loaded: found by type, and unloaded when the test ends.

// Every loaded form of type T.
template <class T>
QList<T *> Loaded()
{
    QList<T *> found;
    for (QWidget *loaded : Forms::LoadedForms())
        if (auto *t = qobject_cast<T *>(loaded))
            found << t;
    return found;
}

// Unloads and deletes every loaded form. One form's unload may unload others (the full-screen
// window's unloads every window), so each is unloaded only while it is still loaded.
inline void UnloadAllForms()
{
    QList<QPointer<QWidget>> loaded;
    for (QWidget *each : Forms::LoadedForms())
        loaded << each;
    for (const QPointer<QWidget> &each : loaded)
        if (each && Forms::IsLoaded(each))
            Forms::Unload(each);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
