#pragma once

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QString>
#include <memory>

// One store object per data file for the whole program: every main window that asks for
// the store of a file gets the same object, so whichever window saves last writes the
// entries of all of them. The store lives while some window holds it.
template <class Store>
std::shared_ptr<Store> SharedStoreFor(const QString &filePath)
{
    static QHash<QString, std::weak_ptr<Store>> stores;
    const QFileInfo info(filePath);
    const QString folder = info.absoluteDir().canonicalPath();
    const QString key = folder.isEmpty() ? QDir::cleanPath(info.absoluteFilePath())
                                         : folder + QLatin1Char('/') + info.fileName();
    std::shared_ptr<Store> store = stores.value(key).lock();
    if (!store) {
        store = std::make_shared<Store>(filePath);
        stores.insert(key, store);
    }
    return store;
}
