#include "pointer_knob.h"

#include "drop_shadow.h"
#include "shading.h"

#include <cmath>

namespace {

constexpr double kCentre = knob::kFrameSize / 2.0;
constexpr double kSkirtRadius = 13.5;
constexpr double kTickInner = 18.0;
constexpr double kTickOuter = 20.3;
constexpr double kTipRadius = 17.0;
constexpr int kScaleSteps = 10;

double radians(double degrees)
{
    return degrees * M_PI / 180.0;
}

// The pointer's outline with its axis along +x, centred on the origin: a tapering blade
// to the tip, slightly waisted, and a shorter rounded tail behind the shaft.
void tracePointerShape(cairo_t* cr)
{
    const double tipBulb = 1.7;
    const double tipX = kTipRadius - tipBulb;
    const double shoulder = 5.8;
    const double tail = 8.0;
    const double k = 0.5523;  // cubic approximation of a quarter ellipse
    cairo_new_sub_path(cr);
    cairo_move_to(cr, tipX, -tipBulb);
    cairo_arc(cr, tipX, 0, tipBulb, -M_PI / 2, M_PI / 2);
    cairo_curve_to(cr, 11.0, 2.3, 5.0, shoulder, 0, shoulder);
    cairo_curve_to(cr, -tail * k, shoulder, -tail, shoulder * k, -tail, 0);
    cairo_curve_to(cr, -tail, -shoulder * k, -tail * k, -shoulder, 0, -shoulder);
    cairo_curve_to(cr, 5.0, -shoulder, 11.0, -2.3, tipX, -tipBulb);
    cairo_close_path(cr);
}

PathTracer pointerAt(double angle)
{
    return [angle](cairo_t* cr) {
        cairo_save(cr);
        cairo_translate(cr, kCentre, kCentre);
        cairo_rotate(cr, angle);
        tracePointerShape(cr);
        cairo_restore(cr);  // the path keeps its device coordinates
    };
}

void traceSkirt(cairo_t* cr)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, kCentre, kCentre, kSkirtRadius, 0, 2 * M_PI);
}

void paintScale(Canvas& canvas)
{
    cairo_t* cr = canvas.context();
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int pass = 0; pass < 2; ++pass)
    {
        // First the lit lower lip, then the groove over it.
        const double drop = pass == 0 ? 0.7 : 0.0;
        setColour(cr, pass == 0 ? grey(255, 0.22) : grey(20, 0.8));
        for (int step = 0; step <= kScaleSteps; ++step)
        {
            const double a = radians(knob::kStartDegrees + knob::kRangeDegrees * step / kScaleSteps);
            const bool major = step == 0 || step == kScaleSteps / 2 || step == kScaleSteps;
            const double inner = major ? kTickInner - 0.8 : kTickInner;
            cairo_set_line_width(cr, major ? 1.4 : 1.0);
            cairo_move_to(cr, kCentre + inner * std::cos(a), kCentre + inner * std::sin(a) + drop);
            cairo_line_to(cr, kCentre + kTickOuter * std::cos(a),
                          kCentre + kTickOuter * std::sin(a) + drop);
            cairo_stroke(cr);
        }
    }
    cairo_restore(cr);
}

// A turned aluminium skirt: bright where it faces the light, with faint concentric
// machining rings that only the 2x canvas resolves.
void paintSkirt(Canvas& canvas)
{
    cairo_t* cr = canvas.context();
    const double top = kCentre - kSkirtRadius;
    const double bottom = kCentre + kSkirtRadius;
    paintDropShadow(canvas, traceSkirt, 0.0, 1.3, 1.1, 0.55);
    traceSkirt(cr);
    // The brightest part of the skirt stays well below the pointer's white line, which
    // must read as the one bright mark on the knob.
    setVerticalGradient(cr, top, bottom, grey(198), grey(108));
    cairo_fill_preserve(cr);

    cairo_save(cr);
    cairo_clip(cr);
    cairo_set_line_width(cr, canvas.hairline());
    for (double r = 2.0; r < kSkirtRadius; r += 2.0 * canvas.hairline() + 0.5)
    {
        cairo_new_sub_path(cr);
        cairo_arc(cr, kCentre, kCentre, r, 0, 2 * M_PI);
    }
    setColour(cr, grey(255, 0.07));
    cairo_stroke(cr);
    cairo_restore(cr);

    traceSkirt(cr);
    strokeInnerRim(cr, top, bottom, 0.8, 0.25, 0.35);
    cairo_set_line_width(cr, canvas.hairline());
    setColour(cr, grey(40, 0.7));
    cairo_stroke(cr);
}

void paintPointer(Canvas& canvas, double angle)
{
    cairo_t* cr = canvas.context();
    const PathTracer pointer = pointerAt(angle);
    paintDropShadow(canvas, pointer, 0.0, 1.4, 0.7, 0.6);

    pointer(cr);
    setVerticalGradient(cr, kCentre - kTipRadius, kCentre + kTipRadius, grey(82), grey(8));
    cairo_fill_preserve(cr);
    strokeInnerRim(cr, kCentre - kTipRadius, kCentre + kTipRadius, 0.7, 0.75, 0.55);
    cairo_new_path(cr);

    // A soft sheen on the upper face of the bakelite.
    cairo_save(cr);
    pointer(cr);
    cairo_clip(cr);
    cairo_pattern_t* sheen = cairo_pattern_create_radial(kCentre, kCentre - 7, 0,
                                                         kCentre, kCentre - 7, 10);
    cairo_pattern_add_color_stop_rgba(sheen, 0, 1, 1, 1, 0.16);
    cairo_pattern_add_color_stop_rgba(sheen, 1, 1, 1, 1, 0);
    cairo_set_source(cr, sheen);
    cairo_paint(cr);
    cairo_pattern_destroy(sheen);
    cairo_restore(cr);

    // The inlaid white line that shows the setting.
    cairo_save(cr);
    cairo_translate(cr, kCentre, kCentre);
    cairo_rotate(cr, angle);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 1.8);
    cairo_move_to(cr, 3.5, 0);
    cairo_line_to(cr, kTipRadius - 2.3, 0);
    setColour(cr, kWhite);
    cairo_stroke(cr);
    cairo_restore(cr);
}

} // namespace

double knob::frameAngle(int index)
{
    return radians(kStartDegrees + kRangeDegrees * index / (kFrameCount - 1));
}

void paintPointerKnob(Canvas& canvas, double angle)
{
    paintScale(canvas);
    paintSkirt(canvas);
    paintPointer(canvas, angle);
}

void paintPointerKnobStrip(Canvas& canvas)
{
    for (int i = 0; i < knob::kFrameCount; ++i)
    {
        // Each frame on its own canvas, so shadows never spill into a neighbour.
        Canvas frame(knob::kFrameSize, knob::kFrameSize, canvas.scale());
        paintPointerKnob(frame, knob::frameAngle(i));
        canvas.draw(frame, 0, static_cast<double>(i) * knob::kFrameSize);
    }
}
