// corvale-bitmap-painter: draws the editor's bitmaps into a folder at build time.
//   corvale-bitmap-painter <output folder>

#include "bitmap_set.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    try
    {
        writeEditorBitmaps(argv[1]);
    }
    catch (const std::exception& e)
    {
        std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
        return 1;
    }
    cairo_debug_reset_static_data();
    return 0;
}
