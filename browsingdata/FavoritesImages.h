#pragma once

#include "platform/ImageList.h"

#include <QIcon>

// The images of the favorites trees, drawn in code: 1 a closed folder, 2 an open folder,
// 3 a favorite. The folder dialogs use the first two.
namespace FavoritesImages {

constexpr int FolderImage = 1;
constexpr int OpenFolderImage = 2;
constexpr int FavoriteImage = 3;

// The list under the keys "1", "2" and "3".
const ImageList &ImageListFavorites();

// The image of an index; a null icon for 0 or an unknown index.
QIcon Icon(int image);

} // namespace FavoritesImages
