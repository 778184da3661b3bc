// Canvas: an ARGB image surface of a logical size drawn at a pixel scale, with the
// cairo context the painters draw on in logical (1x) units.
#pragma once

#include <cairo.h>

#include <string>

class Canvas
{
public:
    /// Creates a transparent surface of (width x height) * scale pixels whose context maps
    /// logical units to pixels. Throws std::runtime_error when cairo cannot create it. [main]
    Canvas(int width, int height, double scale);
    ~Canvas();

    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* context() const { return m_pContext; }          ///< [main]
    cairo_surface_t* surface() const { return m_pSurface; }  ///< [main]
    int width() const { return m_nWidth; }                   ///< logical width [main]
    int height() const { return m_nHeight; }                 ///< logical height [main]
    double scale() const { return m_fScale; }                ///< pixels per logical unit [main]
    double hairline() const { return 1.0 / m_fScale; }      ///< one pixel in logical units [main]

    /// Draws `other` (same scale) with its top-left corner at logical (x, y). [main]
    void draw(const Canvas& other, double x, double y);

    /// Writes the surface as a PNG file; throws std::runtime_error naming the file on
    /// failure. [main]
    void writePng(const std::string& path) const;

private:
    int m_nWidth;
    int m_nHeight;
    double m_fScale;
    cairo_surface_t* m_pSurface = nullptr;
    cairo_t* m_pContext = nullptr;
};
