// Shared palette and shading: every bitmap is lit from straight above and sits on the
// editor's mid-grey panel, so light and colours are defined once here.
#pragma once

#include <cairo.h>

/// A colour with components 0..1.
struct Rgba
{
    double r, g, b, a;
};

/// A neutral grey of level 0..255 (the panel is 127). [any]
constexpr Rgba grey(double level, double alpha = 1.0)
{
    return {level / 255.0, level / 255.0, level / 255.0, alpha};
}

constexpr Rgba kPanel = grey(127);
constexpr Rgba kWhite = grey(255);
constexpr Rgba kBlack = grey(0);

/// Sets `colour` as the context's source. [main]
void setColour(cairo_t* cr, const Rgba& colour);

/// Sets a vertical gradient from `top` at y = y0 to `bottom` at y = y1 as the source, so
/// a shape filled with it reads as lit from above whatever its rotation. [main]
void setVerticalGradient(cairo_t* cr, double y0, double y1, const Rgba& top, const Rgba& bottom);

/// Strokes the current path with a rim light: bright along its upper edges, dark along
/// its lower ones, clipped to the inside of the path so the outline stays sharp. Keeps
/// the path. [main]
void strokeInnerRim(cairo_t* cr, double y0, double y1, double width, double lightAlpha,
                    double shadeAlpha);

/// Draws an engraved line from (x0, y) to (x1, y), `width` thick: a dark groove with a
/// faint highlight right below it, where light from above catches the lower lip. [main]
void engraveHorizontal(cairo_t* cr, double x0, double x1, double y, double width,
                       double grooveAlpha, double lipAlpha);
