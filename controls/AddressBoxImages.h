#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>

// The address box's pictures, drawn rather than shipped: entry images of its lists
// (20 x 17 pixels), kind icons beside the text (16 x 16), the drop-down arrow and the
// icons of its popup menus. Kind 1 is a web address, 2 an FTP address.
namespace AddressBoxImages {

QPixmap EntryImage(int kind);
QPixmap KindIcon(int kind);
// The icon of a popup command, by its id as decimal text ("6000" ... "7002").
QIcon PopupIcon(const QString &key);

} // namespace AddressBoxImages
