// The editor's bitmaps: each name, logical size and painter, and the files they become.
#pragma once

#include "canvas.h"

#include <string>
#include <vector>

struct BitmapSpec
{
    const char* name;  ///< the description's bitmap name; the file is name + ".png"
    int width;         ///< logical size, pixels at 1x
    int height;
    void (*paint)(Canvas&);
};

/// The bitmaps the editor's layout names. [any]
const std::vector<BitmapSpec>& editorBitmaps();

/// File name of `spec` at `scale`: "name.png" at 1, "name#2x.png" at 2. [any]
std::string bitmapFileName(const BitmapSpec& spec, int scale);

/// Paints every bitmap at 1x and 2x into `folder` (which must exist). Throws
/// std::runtime_error naming the file that could not be written. [main]
void writeEditorBitmaps(const std::string& folder);
