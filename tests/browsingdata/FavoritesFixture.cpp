#include "FavoritesFixture.h"

#include "browsingdata/FavoritesMessage.h"


void FavoritesFixture::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    Root = m_dir.filePath(u"Favorites"_qs);
    ASSERT_TRUE(QDir().mkpath(Root));
    ModManageFavFile::SetFavoritesFolder(Root);
    FavoritesMessage::SetHandler([this](const QString &text, const QString &title) {
        Messages.append(title + u'|' + text);
    });
    ModManageFavFile::ClipboardOperation.clear();
    ModManageFavFile::SetFavoritesClipboard(nullptr);
}

void FavoritesFixture::TearDown()
{
    FavoritesMessage::SetHandler({});
    ModManageFavFile::SetFavoritesFolder({});
}

void FavoritesFixture::MakeFolder(const QString &relative)
{
    ASSERT_TRUE(QDir().mkpath(Path(relative)));
}

void FavoritesFixture::MakeShortcut(const QString &relative, const QByteArray &url)
{
    QFile file(Path(relative));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << relative.toStdString();
    file.write("[InternetShortcut]\r\nURL=" + url + "\r\n");
}
