// Where the fader's parts meet. The slider draws its handle bitmap one pixel left of the
// track's left edge (handle offset -1, 0) and moves the handle's top over
// track height - handle height pixels, value 1 at the top. The handle's centre line and
// the track's scale must meet at the same rows, so both bitmaps read them from here.
#pragma once

namespace fader {

constexpr int kTrackWidth = 32;
constexpr int kTrackHeight = 95;
constexpr int kHandleWidth = 32;
constexpr int kHandleHeight = 15;
constexpr int kHandleOffsetX = -1;

/// Handle travel in pixels: the handle's top runs from 0 (value 1) to this (value 0).
constexpr int kTravel = kTrackHeight - kHandleHeight;

/// Middle of the handle, in handle coordinates; its centre line is drawn here.
constexpr double kHandleCentreX = kHandleWidth / 2.0;
constexpr double kHandleCentreY = kHandleHeight / 2.0;

/// Middle of the slot, in track coordinates: under the handle's centre.
constexpr double kSlotCentreX = kHandleCentreX + kHandleOffsetX;

constexpr double kMinDb = -12.0;
constexpr double kMaxDb = 12.0;

/// Row, in track coordinates, of the handle's centre line when it shows `db`. The scale
/// steps are whole pixels (10 per 3 dB), so this is exact for the marked values. [any]
constexpr double trackYForDb(double db)
{
    return kHandleCentreY + (kMaxDb - db) / (kMaxDb - kMinDb) * kTravel;
}

} // namespace fader
