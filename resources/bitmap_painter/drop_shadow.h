// Soft shadows cast by a shape under light from the top.
#pragma once

#include "canvas.h"

#include <functional>

/// Traces a closed path on the given context, in logical units.
using PathTracer = std::function<void(cairo_t*)>;

/// Paints a blurred shadow of the shape `trace` draws, moved by (dx, dy) logical units,
/// blurred by about `blur` logical units and as dark as `opacity` (0..1) at its core. The
/// blur is computed at the canvas's pixel scale, so a 2x canvas gets a finer shadow. [main]
void paintDropShadow(Canvas& canvas, const PathTracer& trace, double dx, double dy,
                     double blur, double opacity);
