#pragma once

#include "browsingdata/ModManageFavFile.h"
#include "tests/support/TreeNodes.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

// A Favorites folder made by the test, put in place of the user's, and the messages the
// favorites code shows, recorded instead of shown.
class FavoritesFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    QString Path(const QString &relative) const { return Root + u'/' + relative; }
    void MakeFolder(const QString &relative);
    void MakeShortcut(const QString &relative, const QByteArray &url);
    QString FavoriteKeyOf(const QString &relative, const QString &url) const
    {
        return Path(relative) + u'%' + url;
    }

    // "title|text" of every message shown so far.
    QStringList Messages;
    QString Root;

private:
    QTemporaryDir m_dir;
};
