// Table entries a UIDescription keeps, shared by its source files.
#pragma once

#include "gui/cairo/cbitmap.h"
#include "gui/uidesc/uidescription.h"

#include <string>

namespace VSTGUI {

struct UIDescription::BitmapEntry
{
    std::string path;
    std::string base64;
    bool ninePart = false;
    CNinePartTiledDescription offsets;
};

} // namespace VSTGUI
