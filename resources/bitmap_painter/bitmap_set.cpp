#include "bitmap_set.h"

#include "fader_cap.h"
#include "fader_geometry.h"
#include "pointer_knob.h"
#include "slider_track.h"

const std::vector<BitmapSpec>& editorBitmaps()
{
    static const std::vector<BitmapSpec> bitmaps = {
        {"vsbackground", fader::kTrackWidth, fader::kTrackHeight, paintSliderTrack},
        {"vshandle", fader::kHandleWidth, fader::kHandleHeight, paintFaderCap},
        {"chickenhead2", knob::kFrameSize, knob::kFrameSize * knob::kFrameCount,
         paintPointerKnobStrip},
    };
    return bitmaps;
}

std::string bitmapFileName(const BitmapSpec& spec, int scale)
{
    std::string name = spec.name;
    if (scale != 1)
        name += "#" + std::to_string(scale) + "x";
    return name + ".png";
}

void writeEditorBitmaps(const std::string& folder)
{
    for (const BitmapSpec& spec : editorBitmaps())
    {
        // The 2x variants are drawn afresh at the finer resolution, never enlarged.
        for (int scale : {1, 2})
        {
            Canvas canvas(spec.width, spec.height, scale);
            spec.paint(canvas);
            canvas.writePng(folder + "/" + bitmapFileName(spec, scale));
        }
    }
}
