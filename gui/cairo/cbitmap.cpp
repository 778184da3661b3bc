#include "gui/cairo/cbitmap.h"

#include "gui/cairo/cdrawcontext.h"

#include <cstring>

namespace VSTGUI {

namespace {

struct PngReader
{
    const unsigned char* data;
    size_t size;
    size_t pos;
};

cairo_status_t readPng(void* closure, unsigned char* out, unsigned int length)
{
    auto* r = static_cast<PngReader*>(closure);
    if (length > r->size - r->pos)
        return CAIRO_STATUS_READ_ERROR;
    std::memcpy(out, r->data + r->pos, length);
    r->pos += length;
    return CAIRO_STATUS_SUCCESS;
}

// "knob.png" -> {"knob#2x.png", "knob_2x.png"}
std::string highResolutionName(const std::string& name, const char* marker)
{
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return name + marker;
    return name.substr(0, dot) + marker + name.substr(dot);
}

} // namespace

cairo_surface_t* CBitmap::decodePNG(const void* data, size_t size)
{
    static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (!data || size < sizeof kSignature || std::memcmp(data, kSignature, sizeof kSignature) != 0)
        return nullptr;
    PngReader reader{static_cast<const unsigned char*>(data), size, 0};
    cairo_surface_t* s = cairo_image_surface_create_from_png_stream(readPng, &reader);
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS)
    {
        cairo_surface_destroy(s);
        return nullptr;
    }
    return s;
}

CBitmap::CBitmap(cairo_surface_t* s) : surface(s)
{
    if (surface)
    {
        width = cairo_image_surface_get_width(surface);
        height = cairo_image_surface_get_height(surface);
    }
}

CBitmap::CBitmap(const void* pngData, size_t size) : CBitmap(decodePNG(pngData, size)) {}

CBitmap::CBitmap(const CResourceDescription& desc)
{
    const ResourceBytes bytes = findEmbeddedResource(desc.getName());
    if (!bytes)
        return;
    surface = decodePNG(bytes.data, bytes.size);
    if (!surface)
        return;
    width = cairo_image_surface_get_width(surface);
    height = cairo_image_surface_get_height(surface);
    for (const char* marker : {"#2x", "_2x"})
    {
        const ResourceBytes hi = findEmbeddedResource(highResolutionName(desc.getName(), marker));
        if (hi && addHighResolution(hi.data, hi.size))
            break;
    }
}

CBitmap::~CBitmap()
{
    if (surface)
        cairo_surface_destroy(surface);
    if (surface2x)
        cairo_surface_destroy(surface2x);
}

bool CBitmap::addHighResolution(const void* pngData, size_t size)
{
    cairo_surface_t* s = decodePNG(pngData, size);
    if (!s)
        return false;
    if (!surface || cairo_image_surface_get_width(s) != 2 * width ||
        cairo_image_surface_get_height(s) != 2 * height)
    {
        cairo_surface_destroy(s);
        return false;
    }
    if (surface2x)
        cairo_surface_destroy(surface2x);
    surface2x = s;
    return true;
}

cairo_surface_t* CBitmap::getSurface(double scaleFactor) const
{
    return (scaleFactor >= 1.5 && surface2x) ? surface2x : surface;
}

cairo_t* CBitmap::beginPaint(CDrawContext* context, const CRect& clip, const CPoint& origin)
{
    if (!surface || !context || clip.isEmpty() || !context->beginCairo())
        return nullptr;
    cairo_t* cr = context->getCairo();
    cairo_rectangle(cr, clip.left, clip.top, clip.getWidth(), clip.getHeight());
    cairo_clip(cr);
    const bool hi = context->getScaleFactor() >= 1.5 && surface2x;
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(hi ? surface2x : surface);
    cairo_matrix_t m;
    const double s = hi ? 2.0 : 1.0;
    cairo_matrix_init_scale(&m, s, s);
    cairo_matrix_translate(&m, -origin.x, -origin.y);
    cairo_pattern_set_matrix(pattern, &m);
    // Exact pixel copies at matching scales; smooth when the scale is fractional.
    const double device = context->getScaleFactor() / s;
    cairo_pattern_set_filter(pattern, device == 1.0 ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
    cairo_set_source(cr, pattern);
    cairo_pattern_destroy(pattern);
    return cr;
}

void CBitmap::endPaint(CDrawContext* context)
{
    context->endCairo();
}

void CBitmap::draw(CDrawContext* context, const CRect& rect, const CPoint& offset, float alpha)
{
    cairo_t* cr = beginPaint(context, rect, CPoint(rect.left - offset.x, rect.top - offset.y));
    if (!cr)
        return;
    cairo_paint_with_alpha(cr, alpha * context->getGlobalAlpha());
    endPaint(context);
}

CNinePartTiledBitmap::CNinePartTiledBitmap(const CResourceDescription& desc,
                                           const CNinePartTiledDescription& o)
    : CBitmap(desc), offsets(o)
{
}

CNinePartTiledBitmap::CNinePartTiledBitmap(const void* pngData, size_t size,
                                           const CNinePartTiledDescription& o)
    : CBitmap(pngData, size), offsets(o)
{
}

void CNinePartTiledBitmap::draw(CDrawContext* context, const CRect& rect, const CPoint&, float alpha)
{
    const double w = getWidth(), h = getHeight();
    const double l = std::min(offsets.left, w), r = std::min(offsets.right, w - l);
    const double t = std::min(offsets.top, h), b = std::min(offsets.bottom, h - t);
    // Source columns/rows [start, size] and target columns/rows.
    const double srcX[3] = {0, l, w - r}, srcW[3] = {l, w - l - r, r};
    const double srcY[3] = {0, t, h - b}, srcH[3] = {t, h - t - b, b};
    const double dstX[3] = {rect.left, rect.left + l, rect.right - r};
    const double dstW[3] = {l, rect.getWidth() - l - r, r};
    const double dstY[3] = {rect.top, rect.top + t, rect.bottom - b};
    const double dstH[3] = {t, rect.getHeight() - t - b, b};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
        {
            if (srcW[col] <= 0 || srcH[row] <= 0 || dstW[col] <= 0 || dstH[row] <= 0)
                continue;
            const CRect target(dstX[col], dstY[row], dstX[col] + dstW[col], dstY[row] + dstH[row]);
            // Repeat the part by painting it tile by tile; parts are few and small.
            for (double y = target.top; y < target.bottom; y += srcH[row])
                for (double x = target.left; x < target.right; x += srcW[col])
                {
                    CRect tile(x, y, std::min(x + srcW[col], target.right),
                               std::min(y + srcH[row], target.bottom));
                    CBitmap::draw(context, tile, CPoint(srcX[col], srcY[row]), alpha);
                }
        }
}

} // namespace VSTGUI
