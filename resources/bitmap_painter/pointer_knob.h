// The gain knob "chickenhead2": a black pointer ("chicken-head") knob on a round skirt
// inside an engraved scale, as a filmstrip of frames across its travel.
#pragma once

#include "canvas.h"

namespace knob {

constexpr int kFrameSize = 42;
constexpr int kFrameCount = 80;
constexpr double kStartDegrees = 135.0;  // y grows downward: lower left
constexpr double kRangeDegrees = 270.0;  // clockwise through the top to lower right

/// Angle of the pointer in frame `index`, in radians, measured as cairo does (from +x
/// toward +y, y downward). [any]
double frameAngle(int index);

} // namespace knob

/// Paints one frame, the pointer at `angle` radians, on a canvas of knob::kFrameSize
/// square logical units. The light stays above whatever the angle. [main]
void paintPointerKnob(Canvas& canvas, double angle);

/// Paints the whole strip, frame i below frame i - 1, on a canvas of knob::kFrameSize x
/// knob::kFrameSize * knob::kFrameCount logical units. [main]
void paintPointerKnobStrip(Canvas& canvas);
