#include "canvas.h"

#include <cmath>
#include <stdexcept>

Canvas::Canvas(int width, int height, double scale)
    : m_nWidth(width), m_nHeight(height), m_fScale(scale)
{
    const int pixelWidth = static_cast<int>(std::lround(width * scale));
    const int pixelHeight = static_cast<int>(std::lround(height * scale));
    m_pSurface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixelWidth, pixelHeight);
    if (cairo_surface_status(m_pSurface) != CAIRO_STATUS_SUCCESS)
    {
        const std::string reason = cairo_status_to_string(cairo_surface_status(m_pSurface));
        cairo_surface_destroy(m_pSurface);
        throw std::runtime_error("cannot create a " + std::to_string(pixelWidth) + "x"
                                 + std::to_string(pixelHeight) + " image: " + reason);
    }
    m_pContext = cairo_create(m_pSurface);
    cairo_scale(m_pContext, scale, scale);
}

Canvas::~Canvas()
{
    cairo_destroy(m_pContext);
    cairo_surface_destroy(m_pSurface);
}

void Canvas::draw(const Canvas& other, double x, double y)
{
    cairo_save(m_pContext);
    // Place the other surface pixel for pixel: its own scale equals ours.
    cairo_translate(m_pContext, x, y);
    cairo_scale(m_pContext, 1.0 / m_fScale, 1.0 / m_fScale);
    cairo_set_source_surface(m_pContext, other.m_pSurface, 0, 0);
    cairo_paint(m_pContext);
    cairo_restore(m_pContext);
}

void Canvas::writePng(const std::string& path) const
{
    cairo_surface_flush(m_pSurface);
    const cairo_status_t status = cairo_surface_write_to_png(m_pSurface, path.c_str());
    if (status != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot write " + path + ": " + cairo_status_to_string(status));
}
