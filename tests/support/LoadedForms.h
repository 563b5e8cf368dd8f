#pragma once

#include "platform/Forms.h"

#include <QCoreApplication>
#include <QEvent>
#include <QList>

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

// Every loaded form of type T but one: the windows a test's actions opened besides its first.
template <class T>
QList<T *> LoadedBesides(const T *first)
{
    QList<T *> found = Loaded<T>();
    found.removeAll(first);
    return found;
}

// Unloads and deletes every loaded form.
inline void UnloadAllForms()
{
    Forms::UnloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
