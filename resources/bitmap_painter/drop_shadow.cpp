#include "drop_shadow.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// One pass of a running-sum box filter over `count` samples `step` bytes apart; samples
// outside the image count as transparent, so shadows fade out at the edges.
void boxPass(uint8_t* data, int count, int step, int radius, std::vector<int>& line)
{
    line.assign(static_cast<size_t>(count), 0);
    for (int i = 0; i < count; ++i)
        line[static_cast<size_t>(i)] = data[i * step];
    const int window = 2 * radius + 1;
    int sum = 0;
    for (int i = 0; i < std::min(radius, count); ++i)
        sum += line[static_cast<size_t>(i)];
    for (int i = 0; i < count; ++i)
    {
        const int entering = i + radius;
        const int leaving = i - radius - 1;
        if (entering < count)
            sum += line[static_cast<size_t>(entering)];
        if (leaving >= 0)
            sum -= line[static_cast<size_t>(leaving)];
        data[i * step] = static_cast<uint8_t>((sum + window / 2) / window);
    }
}

// Three box passes each way approximate a Gaussian of about the same width.
void blurAlpha(cairo_surface_t* mask, int radius)
{
    if (radius < 1)
        return;
    cairo_surface_flush(mask);
    uint8_t* data = cairo_image_surface_get_data(mask);
    const int width = cairo_image_surface_get_width(mask);
    const int height = cairo_image_surface_get_height(mask);
    const int stride = cairo_image_surface_get_stride(mask);
    std::vector<int> line;
    for (int pass = 0; pass < 3; ++pass)
    {
        for (int y = 0; y < height; ++y)
            boxPass(data + y * stride, width, 1, radius, line);
        for (int x = 0; x < width; ++x)
            boxPass(data + x, height, stride, radius, line);
    }
    cairo_surface_mark_dirty(mask);
}

} // namespace

void paintDropShadow(Canvas& canvas, const PathTracer& trace, double dx, double dy,
                     double blur, double opacity)
{
    const int width = cairo_image_surface_get_width(canvas.surface());
    const int height = cairo_image_surface_get_height(canvas.surface());
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, width, height);
    cairo_t* maskContext = cairo_create(mask);
    cairo_scale(maskContext, canvas.scale(), canvas.scale());
    cairo_translate(maskContext, dx, dy);
    trace(maskContext);
    cairo_set_source_rgba(maskContext, 0, 0, 0, 1);
    cairo_fill(maskContext);
    cairo_destroy(maskContext);

    // Three passes of radius r spread like a Gaussian of sigma r; blur is that sigma.
    blurAlpha(mask, static_cast<int>(std::lround(blur * canvas.scale())));

    cairo_t* cr = canvas.context();
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_set_source_rgba(cr, 0, 0, 0, opacity);
    cairo_mask_surface(cr, mask, 0, 0);
    cairo_restore(cr);
    cairo_surface_destroy(mask);
}
