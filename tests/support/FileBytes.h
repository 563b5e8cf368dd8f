#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

#include <string>

// A file's bytes for a comparison; "<missing>" when it cannot be read, so that a missing file
// never compares equal to an empty one.
inline QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Writes bytes as they are, failing the case when they do not all reach the file.
inline void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// The names of a folder's files, hidden ones too, sorted and joined by spaces: a difference
// shows as text.
inline std::string FileNames(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name).join(QLatin1Char(' ')).toStdString();
}

inline std::string SortedNames(QStringList names)
{
    names.sort();
    return names.join(QLatin1Char(' ')).toStdString();
}
