// CBitmap: a PNG image for views (backgrounds, handles, filmstrips), held as a
// cairo image surface, with an optional double-resolution version drawn at
// scale factors of 1.5 and above. Sizes are logical (the 1x image's pixels).
#pragma once

#include "gui/base/cbaseobject.h"
#include "gui/base/crect.h"
#include "gui/resources/resource_store.h"

#include <cairo.h>

#include <cstddef>

namespace VSTGUI {

class CDrawContext;

class CBitmap : public CBaseObject
{
public:
    /// Loads the embedded PNG named by `desc`, and its "name#2x.png" (or
    /// "name_2x.png") companion when there is one. Check isLoaded(). [UI thread]
    explicit CBitmap(const CResourceDescription& desc);
    /// Decodes PNG bytes. Check isLoaded(). [UI thread]
    CBitmap(const void* pngData, size_t size);
    /// Takes over a cairo image surface (may be null: not loaded).
    explicit CBitmap(cairo_surface_t* surface);
    ~CBitmap() override;
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;

    bool isLoaded() const { return surface != nullptr; }
    double getWidth() const { return width; }
    double getHeight() const { return height; }
    CPoint getSize() const { return {width, height}; }

    /// Adds the double-resolution image (twice the size in each direction).
    /// False when the PNG is unreadable or not exactly twice the size. [UI thread]
    bool addHighResolution(const void* pngData, size_t size);
    bool hasHighResolution() const { return surface2x != nullptr; }

    /// Draws the bitmap with its pixel `offset` at `rect`'s top-left, clipped to
    /// `rect`, honouring the PNG's alpha, times `alpha`. [UI thread]
    virtual void draw(CDrawContext* context, const CRect& rect, const CPoint& offset = CPoint(),
                      float alpha = 1.0f);

    /// The surface used at `scaleFactor` (for tests and the window layer).
    cairo_surface_t* getSurface(double scaleFactor = 1.0) const;

    /// Decodes PNG bytes into an image surface; null when they are not a PNG. [any]
    static cairo_surface_t* decodePNG(const void* data, size_t size);

protected:
    /// Sets the pattern of the right resolution as source, in logical units.
    /// Returns the cairo context to paint with, or null.
    cairo_t* beginPaint(CDrawContext* context, const CRect& clip, const CPoint& origin);
    void endPaint(CDrawContext* context);

private:
    cairo_surface_t* surface = nullptr;
    cairo_surface_t* surface2x = nullptr;
    double width = 0.0;
    double height = 0.0;
};

/// Edge widths of a nine-part bitmap: corners are drawn as they are, edges and
/// the middle are repeated to fill the target.
struct CNinePartTiledDescription
{
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
};

class CNinePartTiledBitmap : public CBitmap
{
public:
    CNinePartTiledBitmap(const CResourceDescription& desc, const CNinePartTiledDescription& offsets);
    CNinePartTiledBitmap(const void* pngData, size_t size, const CNinePartTiledDescription& offsets);

    const CNinePartTiledDescription& getPartOffsets() const { return offsets; }
    void setPartOffsets(const CNinePartTiledDescription& o) { offsets = o; }

    /// Fills `rect` with the nine parts (`offset` is not used). [UI thread]
    void draw(CDrawContext* context, const CRect& rect, const CPoint& offset = CPoint(),
              float alpha = 1.0f) override;

private:
    CNinePartTiledDescription offsets;
};

} // namespace VSTGUI
