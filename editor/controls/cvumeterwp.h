// CVuMeterWP: the framework's level meter. Its value (from the meter parameter it
// is bound to) goes through a CMeterDetector once per repaint, and the result is
// drawn either as an LED bar (the on and off bitmaps split at the level, a whole
// LED at a time, filling from either end) or as a filmstrip meter (one frame of a
// tall bitmap of stacked frames, as for a needle meter).
//
// The editor repaints the whole frame at a fixed rate and the detector's times
// are set for that rate, so the meter does not ask for repaints of its own.
#pragma once

#include "editor/controls/cmeterdetector.h"
#include "gui/cvumeter.h"

namespace VSTGUI {

class CVuMeterWP : public CVuMeter
{
public:
    /// [UI thread] `inverted`: the bar fills from the opposite end, the filmstrip runs
    /// the other way. `analogMeter`: a filmstrip meter instead of an LED bar.
    CVuMeterWP(const CRect& size, CBitmap* onBitmap, CBitmap* offBitmap, int32_t ledCount,
               bool inverted, bool analogMeter, int32_t style = kVertical);
    ~CVuMeterWP() override;
    CView* newCopy() const override { return new CVuMeterWP(*this); }

    /// [UI thread] Steps the detector once and draws the level it answers. Nothing
    /// without an on bitmap.
    void draw(CDrawContext* context) override;
    /// [UI thread] Stores the value clamped to the range, as any control.
    void setValue(float val) override;

    /// The bar fills from the opposite end; the filmstrip runs from a high frame down.
    bool inverted;
    /// A filmstrip meter instead of an LED bar.
    bool analogMeter;
    /// Filmstrip, inverted: Z; level 0 shows about frame Z - Z / frameCount, level 1 frame 0.
    double zeroFrame = 52.0;
    /// Filmstrip: the height of one frame in pixels; 0 or less shows the first frame.
    double frameHeight = 65.0;
    /// Filmstrip: the number of frames; fewer than one shows the first frame.
    double frameCount = 80.0;
    /// Smooths the value once per draw; a default detector passes it through unchanged.
    CMeterDetector detector;

private:
    void drawFilmstrip(CDrawContext* context);
    void drawLedBar(CDrawContext* context, CBitmap* onBitmap);
    /// The falling level (never more than the decrease step below the last one), stepped
    /// through the detector.
    float detectedLevel();
};

} // namespace VSTGUI
