// The response plot: axes, grid, labels and curve.
#include "response_plot.h"

#include "tool_error.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

namespace corvale::render {
namespace {

constexpr double kMinHz = 20.0;
constexpr double kMaxHz = 20000.0;

struct Frame
{
    double left, top, width, height;
    double dbLow, dbHigh;

    double x(double hz) const
    {
        return left + width * std::log10(hz / kMinHz) / std::log10(kMaxHz / kMinHz);
    }
    double y(double db) const { return top + height * (dbHigh - db) / (dbHigh - dbLow); }
};

std::string frequencyLabel(double hz)
{
    char text[16];
    if (hz >= 1000.0)
        std::snprintf(text, sizeof text, "%gk", hz / 1000.0);
    else
        std::snprintf(text, sizeof text, "%g", hz);
    return text;
}

void drawText(cairo_t* cr, const std::string& text, double x, double y, double alignX,
              double alignY)
{
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    cairo_move_to(cr, x - ext.width * alignX - ext.x_bearing,
                  y - ext.height * alignY - ext.y_bearing);
    cairo_show_text(cr, text.c_str());
}

void drawGrid(cairo_t* cr, const Frame& f)
{
    cairo_set_font_size(cr, 11.0);
    cairo_set_line_width(cr, 1.0);
    for (double decade = 10.0; decade <= 10000.0; decade *= 10.0)
    {
        for (int m = 1; m <= 9; ++m)
        {
            const double hz = decade * m;
            if (hz < kMinHz || hz > kMaxHz)
                continue;
            const bool labelled = m == 1 || m == 2 || m == 5;
            cairo_set_source_rgb(cr, labelled ? 0.75 : 0.88, labelled ? 0.75 : 0.88,
                                 labelled ? 0.75 : 0.88);
            cairo_move_to(cr, std::round(f.x(hz)) + 0.5, f.top);
            cairo_line_to(cr, std::round(f.x(hz)) + 0.5, f.top + f.height);
            cairo_stroke(cr);
            if (labelled)
            {
                cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
                drawText(cr, frequencyLabel(hz), f.x(hz), f.top + f.height + 6.0, 0.5, 0.0);
            }
        }
    }
    const double step = (f.dbHigh - f.dbLow) > 60.0 ? 12.0 : 6.0;
    for (double db = f.dbLow; db <= f.dbHigh + 1e-9; db += step)
    {
        const bool zero = std::fabs(db) < 1e-9;
        cairo_set_source_rgb(cr, zero ? 0.45 : 0.8, zero ? 0.45 : 0.8, zero ? 0.45 : 0.8);
        cairo_move_to(cr, f.left, std::round(f.y(db)) + 0.5);
        cairo_line_to(cr, f.left + f.width, std::round(f.y(db)) + 0.5);
        cairo_stroke(cr);
        char text[16];
        std::snprintf(text, sizeof text, "%+g dB", db);
        cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
        drawText(cr, zero ? "0 dB" : text, f.left - 6.0, f.y(db), 1.0, 0.5);
    }
    cairo_set_source_rgb(cr, 0.3, 0.3, 0.3);
    cairo_rectangle(cr, f.left + 0.5, f.top + 0.5, f.width, f.height);
    cairo_stroke(cr);
    drawText(cr, "Frequency (Hz)", f.left + f.width / 2.0, f.top + f.height + 26.0, 0.5, 0.0);
}

void drawCurve(cairo_t* cr, const Frame& f, const std::vector<ResponsePoint>& response)
{
    cairo_save(cr);
    cairo_rectangle(cr, f.left, f.top, f.width, f.height);
    cairo_clip(cr);
    cairo_set_source_rgb(cr, 0.1, 0.35, 0.8);
    cairo_set_line_width(cr, 2.0);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    bool first = true;
    for (const auto& p : response)
    {
        const double db = std::clamp(p.gainDb, f.dbLow - 10.0, f.dbHigh + 10.0);
        if (first)
            cairo_move_to(cr, f.x(p.freqHz), f.y(db));
        else
            cairo_line_to(cr, f.x(p.freqHz), f.y(db));
        first = false;
    }
    cairo_stroke(cr);
    cairo_restore(cr);
}

} // namespace

void plotResponse(const std::vector<ResponsePoint>& response, const std::string& title,
                  const std::string& pngPath, int widthPx, int heightPx)
{
    double lowest = 0.0, highest = 0.0;
    for (const auto& p : response)
    {
        lowest = std::min(lowest, p.gainDb);
        highest = std::max(highest, p.gainDb);
    }
    Frame f {70.0, 40.0, widthPx - 90.0, heightPx - 90.0, -24.0, 24.0};
    f.dbLow = std::max(-96.0, std::min(f.dbLow, std::floor(lowest / 6.0) * 6.0));
    f.dbHigh = std::min(48.0, std::max(f.dbHigh, std::ceil(highest / 6.0) * 6.0));

    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, widthPx, heightPx), cairo_surface_destroy);
    std::unique_ptr<cairo_t, decltype(&cairo_destroy)> context(cairo_create(surface.get()),
                                                               cairo_destroy);
    cairo_t* cr = context.get();
    cairo_set_source_rgb(cr, 1.0, 1.0, 1.0);
    cairo_paint(cr);
    cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    drawGrid(cr, f);
    drawCurve(cr, f, response);
    cairo_set_font_size(cr, 14.0);
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    drawText(cr, title, f.left + f.width / 2.0, 14.0, 0.5, 0.0);

    cairo_surface_flush(surface.get());
    const cairo_status_t status = cairo_surface_write_to_png(surface.get(), pngPath.c_str());
    if (status != CAIRO_STATUS_SUCCESS)
        throw ToolError("cannot write PNG '" + pngPath + "': " + cairo_status_to_string(status));
}

} // namespace corvale::render
