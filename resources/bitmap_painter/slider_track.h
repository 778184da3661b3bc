// The slider background "vsbackground": a recessed slot with an engraved dB scale.
#pragma once

#include "canvas.h"

/// Paints the track on a canvas of fader::kTrackWidth x fader::kTrackHeight logical units.
/// The track is opaque and its border is the panel's grey, so it sits seamlessly on the
/// panel. [main]
void paintSliderTrack(Canvas& canvas);
