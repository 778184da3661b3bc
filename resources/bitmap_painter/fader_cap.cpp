#include "fader_cap.h"

#include "drop_shadow.h"
#include "fader_geometry.h"
#include "shading.h"

#include <cmath>

namespace {

constexpr double kCapHalfWidth = 12.0;
constexpr double kCapHalfHeight = 5.5;
constexpr double kCorner = 2.0;
constexpr double kLeft = fader::kHandleCentreX - kCapHalfWidth;
constexpr double kRight = fader::kHandleCentreX + kCapHalfWidth;
constexpr double kTop = fader::kHandleCentreY - kCapHalfHeight;
constexpr double kBottom = fader::kHandleCentreY + kCapHalfHeight;

void traceCap(cairo_t* cr)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, kRight - kCorner, kTop + kCorner, kCorner, -M_PI / 2, 0);
    cairo_arc(cr, kRight - kCorner, kBottom - kCorner, kCorner, 0, M_PI / 2);
    cairo_arc(cr, kLeft + kCorner, kBottom - kCorner, kCorner, M_PI / 2, M_PI);
    cairo_arc(cr, kLeft + kCorner, kTop + kCorner, kCorner, M_PI, 1.5 * M_PI);
    cairo_close_path(cr);
}

// Ridges across the grip on either side of the centre line: each a dark groove with a
// lit lower lip. A 2x canvas gets twice as many, half as thick.
void paintGrip(Canvas& canvas)
{
    cairo_t* cr = canvas.context();
    const double line = canvas.hairline();
    const double pitch = 2.0 * line;
    const double x0 = kLeft + 2.5;
    const double x1 = kRight - 2.5;
    const int ridges = static_cast<int>(std::lround(2.0 / pitch));
    for (int i = 0; i < ridges; ++i)
    {
        const double offset = 2.0 + i * pitch;
        const double above = fader::kHandleCentreY - offset - line / 2;
        const double below = fader::kHandleCentreY + offset - line / 2;
        engraveHorizontal(cr, x0, x1, above, line, 0.55, 0.16);
        engraveHorizontal(cr, x0, x1, below, line, 0.55, 0.16);
    }
}

void paintCentreLine(Canvas& canvas)
{
    cairo_t* cr = canvas.context();
    cairo_save(cr);
    cairo_set_line_width(cr, 1.0);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_move_to(cr, kLeft + 1.0, fader::kHandleCentreY);
    cairo_line_to(cr, kRight - 1.0, fader::kHandleCentreY);
    setColour(cr, grey(246));
    cairo_stroke(cr);
    cairo_restore(cr);
}

} // namespace

void paintFaderCap(Canvas& canvas)
{
    cairo_t* cr = canvas.context();
    // With the light straight above, the shadow falls below the cap and barely spreads
    // sideways; beyond that the track must show untouched.
    cairo_save(cr);
    cairo_rectangle(cr, kLeft - 1.0, kTop, kRight - kLeft + 2.0, canvas.height() - kTop);
    cairo_clip(cr);
    paintDropShadow(canvas, traceCap, 0.0, 1.0, 0.8, 0.55);
    cairo_restore(cr);

    traceCap(cr);
    setVerticalGradient(cr, kTop, kBottom, grey(92), grey(22));
    cairo_fill_preserve(cr);
    strokeInnerRim(cr, kTop, kBottom, canvas.hairline(), 0.5, 0.45);
    // A fine dark outline keeps the cap apart from the dark slot it slides over.
    cairo_set_line_width(cr, canvas.hairline());
    setColour(cr, grey(8, 0.6));
    cairo_stroke(cr);

    cairo_save(cr);
    traceCap(cr);
    cairo_clip(cr);
    paintGrip(canvas);
    paintCentreLine(canvas);
    cairo_restore(cr);
}
