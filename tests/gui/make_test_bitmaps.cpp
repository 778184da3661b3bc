// Writes the PNGs the GUI tests embed, each a plain pattern whose pixels the
// tests can predict: usage make_test_bitmaps <output folder>.
#include <cairo.h>

#include <cstdio>
#include <string>

namespace {

struct Rgb
{
    double r, g, b;
};

bool writeSolid(const std::string& path, int w, int h, Rgb c)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(s);
    cairo_set_source_rgb(cr, c.r, c.g, c.b);
    cairo_paint(cr);
    cairo_destroy(cr);
    const bool ok = cairo_surface_write_to_png(s, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(s);
    return ok;
}

// Frame i of `frames` (each `size` square, scaled by `scale`) is filled with red = 20 * i;
// the high-resolution strip has green 200 so tests can tell them apart.
bool writeFilmstrip(const std::string& path, int size, int frames, int scale)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size * scale, size * frames * scale);
    cairo_t* cr = cairo_create(s);
    for (int i = 0; i < frames; ++i)
    {
        cairo_set_source_rgb(cr, 20.0 * i / 255.0, scale == 2 ? 200.0 / 255.0 : 0.0, 0.0);
        cairo_rectangle(cr, 0, i * size * scale, size * scale, size * scale);
        cairo_fill(cr);
    }
    cairo_destroy(cr);
    const bool ok = cairo_surface_write_to_png(s, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(s);
    return ok;
}

// 9 x 9: 3-pixel corners red, edges green, middle blue.
bool writeNinePart(const std::string& path)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 9, 9);
    cairo_t* cr = cairo_create(s);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
        {
            const bool corner = x != 1 && y != 1, middle = x == 1 && y == 1;
            cairo_set_source_rgb(cr, corner ? 1 : 0, !corner && !middle ? 1 : 0, middle ? 1 : 0);
            cairo_rectangle(cr, x * 3, y * 3, 3, 3);
            cairo_fill(cr);
        }
    cairo_destroy(cr);
    const bool ok = cairo_surface_write_to_png(s, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(s);
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    const bool ok = writeFilmstrip(dir + "filmstrip.png", 20, 10, 1) &&
                    writeFilmstrip(dir + "filmstrip_hi.png", 20, 10, 2) &&
                    writeSolid(dir + "track.png", 10, 50, {0.25, 0.25, 0.25}) &&
                    writeSolid(dir + "handle.png", 10, 6, {0, 0, 1}) &&
                    writeSolid(dir + "vu_on.png", 10, 40, {0, 1, 0}) &&
                    writeSolid(dir + "vu_off.png", 10, 40, {0.5, 0, 0}) &&
                    writeSolid(dir + "button.png", 16, 32, {1, 1, 0}) && writeNinePart(dir + "ninepart.png");
    return ok ? 0 : 1;
}
