#include "slider_track.h"

#include "fader_geometry.h"
#include "shading.h"

#include <cmath>

namespace {

constexpr double kSlotHalfWidth = 2.0;
constexpr double kSlotTop = 3.0;
constexpr double kSlotBottom = 92.0;
constexpr double kTickGap = 3.5;     // from the slot's side to the tick's inner end
constexpr double kMajorTick = 5.0;   // every 6 dB
constexpr double kMinorTick = 3.0;   // the 3 dB steps between
constexpr double kCentreLineReach = 14.0;  // the 0 dB line, each side of the slot centre

void traceSlot(cairo_t* cr)
{
    const double left = fader::kSlotCentreX - kSlotHalfWidth;
    const double width = 2 * kSlotHalfWidth;
    const double radius = kSlotHalfWidth;
    cairo_new_sub_path(cr);
    cairo_arc(cr, left + radius, kSlotTop + radius, radius, M_PI, 2 * M_PI);
    cairo_arc(cr, left + width - radius, kSlotBottom - radius, radius, 0, M_PI);
    cairo_close_path(cr);
}

void paintScale(Canvas& canvas)
{
    cairo_t* cr = canvas.context();
    const double cx = fader::kSlotCentreX;
    const double line = 1.0;
    for (int step = 0; step <= 8; ++step)
    {
        const double db = fader::kMaxDb - 3.0 * step;
        // Centre the groove on the handle's centre row.
        const double y = fader::trackYForDb(db);
        const bool major = step % 2 == 0;
        const double inner = kSlotHalfWidth + kTickGap;
        const double outer = inner + (major ? kMajorTick : kMinorTick);
        const double reach = db == 0.0 ? kCentreLineReach : outer;
        const double groove = db == 0.0 ? 0.8 : major ? 0.62 : 0.45;
        engraveHorizontal(cr, cx - reach, cx - inner, y, line, groove, 0.2);
        engraveHorizontal(cr, cx + inner, cx + reach, y, line, groove, 0.2);
    }
}

void paintSlot(Canvas& canvas)
{
    cairo_t* cr = canvas.context();
    // The lower lip of the recess catches the light.
    cairo_save(cr);
    cairo_translate(cr, 0, 1.0);
    traceSlot(cr);
    setColour(cr, grey(255, 0.28));
    cairo_fill(cr);
    cairo_restore(cr);

    traceSlot(cr);
    setVerticalGradient(cr, kSlotTop, kSlotBottom, grey(14), grey(34));
    cairo_fill(cr);

    // Inside, the far wall of the recess shades the top end more.
    traceSlot(cr);
    setVerticalGradient(cr, kSlotTop, kSlotTop + 6.0, grey(0, 0.5), grey(0, 0));
    cairo_fill(cr);
}

} // namespace

void paintSliderTrack(Canvas& canvas)
{
    cairo_t* cr = canvas.context();
    setColour(cr, kPanel);
    cairo_paint(cr);
    paintScale(canvas);
    paintSlot(canvas);
}
