#pragma once

#include "platform/ImageList.h"

// The command icons of the browser's bars, drawn in code and keyed by command id.
namespace ToolbarImages {

// 16 by 16 pixels: every command that has an icon, and the folders and favorites of the Favorites menu.
ImageList ImageListToolbarMainHot();
// 24 by 24 pixels: the Standard toolbar's commands and the popup blocker.
ImageList ImageListToolbarMainLarge();

} // namespace ToolbarImages
