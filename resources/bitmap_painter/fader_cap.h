// The slider handle "vshandle": a dark fader cap with grip ridges and a white centre line.
#pragma once

#include "canvas.h"

/// Paints the cap on a canvas of fader::kHandleWidth x fader::kHandleHeight logical units.
/// Outside the cap and its shadow the canvas stays transparent, so the track's scale
/// shows beside the cap. [main]
void paintFaderCap(Canvas& canvas);
