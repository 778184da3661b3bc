#include "shading.h"

void setColour(cairo_t* cr, const Rgba& colour)
{
    cairo_set_source_rgba(cr, colour.r, colour.g, colour.b, colour.a);
}

void setVerticalGradient(cairo_t* cr, double y0, double y1, const Rgba& top, const Rgba& bottom)
{
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgba(gradient, 0, top.r, top.g, top.b, top.a);
    cairo_pattern_add_color_stop_rgba(gradient, 1, bottom.r, bottom.g, bottom.b, bottom.a);
    cairo_set_source(cr, gradient);
    cairo_pattern_destroy(gradient);
}

void strokeInnerRim(cairo_t* cr, double y0, double y1, double width, double lightAlpha,
                    double shadeAlpha)
{
    cairo_save(cr);
    cairo_clip_preserve(cr);
    cairo_pattern_t* rim = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgba(rim, 0.0, 1, 1, 1, lightAlpha);
    cairo_pattern_add_color_stop_rgba(rim, 0.45, 1, 1, 1, 0);
    cairo_pattern_add_color_stop_rgba(rim, 0.55, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(rim, 1.0, 0, 0, 0, shadeAlpha);
    cairo_set_source(cr, rim);
    // Half the stroke falls outside and is clipped away.
    cairo_set_line_width(cr, 2 * width);
    cairo_stroke_preserve(cr);
    cairo_pattern_destroy(rim);
    cairo_restore(cr);
}

void engraveHorizontal(cairo_t* cr, double x0, double x1, double y, double width,
                       double grooveAlpha, double lipAlpha)
{
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_line_width(cr, width);
    cairo_move_to(cr, x0, y + width);
    cairo_line_to(cr, x1, y + width);
    setColour(cr, grey(255, lipAlpha));
    cairo_stroke(cr);
    cairo_move_to(cr, x0, y);
    cairo_line_to(cr, x1, y);
    setColour(cr, grey(0, grooveAlpha));
    cairo_stroke(cr);
    cairo_restore(cr);
}
