#pragma once

#include "platform/ImageList.h"

// The FTP list's four 16 x 16 icons under the keys "1" to "4": the parent entry, a directory,
// a text or web file, any other file.
ImageList MakeRemoteFileImages();
