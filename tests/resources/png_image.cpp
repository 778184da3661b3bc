#include "png_image.h"

#include <cairo.h>

PngImage::PngImage(const std::string& path)
{
    cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
    const cairo_format_t format = cairo_image_surface_get_format(surface);
    if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS
        && (format == CAIRO_FORMAT_ARGB32 || format == CAIRO_FORMAT_RGB24))
    {
        const bool opaque = format == CAIRO_FORMAT_RGB24;
        cairo_surface_flush(surface);
        m_nWidth = cairo_image_surface_get_width(surface);
        m_nHeight = cairo_image_surface_get_height(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        const uint8_t* data = cairo_image_surface_get_data(surface);
        m_pixels.reserve(static_cast<size_t>(m_nWidth * m_nHeight));
        for (int y = 0; y < m_nHeight; ++y)
        {
            const auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
            for (int x = 0; x < m_nWidth; ++x)
            {
                // Native-endian ARGB, colour premultiplied by alpha (RGB24 leaves the
                // top byte undefined).
                const uint32_t p = row[x];
                const uint8_t a = opaque ? 255 : static_cast<uint8_t>(p >> 24);
                auto straight = [a](uint32_t c) {
                    return static_cast<uint8_t>(a == 0 ? 0 : (c * 255 + a / 2) / a);
                };
                m_pixels.push_back({straight((p >> 16) & 0xff), straight((p >> 8) & 0xff),
                                    straight(p & 0xff), a});
            }
        }
        m_bOk = true;
    }
    cairo_surface_destroy(surface);
}

double PngImage::lumaOverPanel(int x, int y) const
{
    const Rgba8 p = at(x, y);
    const double luma = 0.2126 * p.r + 0.7152 * p.g + 0.0722 * p.b;
    const double alpha = p.a / 255.0;
    return alpha * luma + (1.0 - alpha) * 127.0;
}
