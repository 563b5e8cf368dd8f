#pragma once

#include "platform/ImageList.h"

// The Go button's two 18 x 18 pictures: "1" resting, "2" pressed.
ImageList MakeGoButtonImages();
