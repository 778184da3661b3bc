// CVuMeterWP: where the LED bar splits in each orientation (and which bitmap pixels
// show there), the two-LED switch, the falling level, and the filmstrip's frame.
// Drawn headless; each drawing of the frame is one repaint, so one detector step.
#include "editor/controls/cvumeterwp.h"
#include "gui/cframe.h"
#include "gui_test_support.h"

#include <gtest/gtest.h>

#include <cairo.h>

#include <functional>

using namespace VSTGUI;

namespace {

using Painter = std::function<CColor(int x, int y)>;

/// A w x h bitmap whose pixel (x, y) has the colour `paint` gives.
SharedPointer<CBitmap> makeBitmap(int w, int h, const Painter& paint)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(s);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            const CColor c = paint(x, y);
            cairo_set_source_rgb(cr, c.red / 255.0, c.green / 255.0, c.blue / 255.0);
            cairo_rectangle(cr, x, y, 1, 1);
            cairo_fill(cr);
        }
    cairo_destroy(cr);
    return owned(new CBitmap(s));
}

// Quarters of distinct colours, so a pixel drawn from the wrong place shows.
CColor onPixel(int x, int y)
{
    return CColor(x < 40 ? 0 : 120, y < 40 ? 200 : 250, 0);
}
CColor offPixel(int x, int y)
{
    return CColor(y < 40 ? 200 : 250, 0, x < 40 ? 0 : 120);
}

struct MeterFixture
{
    MeterFixture(int w, int h, int32_t leds, bool inverted, int32_t style)
        : frame(owned(new CFrame(CRect(0, 0, 100, 100), nullptr))),
          on(makeBitmap(w, h, onPixel)),
          off(makeBitmap(w, h, offPixel))
    {
        meter = new CVuMeterWP(CRect(0, 0, w, h), on, off, leds, inverted, false, style);
        frame->addView(meter);
    }
    /// Draws the frame; true when every pixel of the meter shows the on bitmap exactly
    /// where `lit(x, y)` and the off bitmap elsewhere, each at its own position.
    ::testing::AssertionResult shows(const std::function<bool(int x, int y)>& lit)
    {
        test::Canvas canvas(*frame);
        const CRect r = meter->getViewSize();
        for (int y = 0; y < r.getHeight(); ++y)
            for (int x = 0; x < r.getWidth(); ++x)
            {
                const CColor want = lit(x, y) ? onPixel(x, y) : offPixel(x, y);
                if (!test::Canvas::near(canvas.at(x, y), want, 2))
                    return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ")";
            }
        return ::testing::AssertionSuccess();
    }

    SharedPointer<CFrame> frame;
    SharedPointer<CBitmap> on;
    SharedPointer<CBitmap> off;
    CVuMeterWP* meter = nullptr;
};

} // namespace

TEST(VuMeterWP, TenLedsHalfLitOnAnEightyFivePixelBitmap)
{
    // Value 0.5, detector output 0.5: k = 5 LEDs, d = 43 pixels (42.5 rounded up).
    MeterFixture f(10, 85, 10, false, kVertical);
    f.meter->setValue(0.5f);
    EXPECT_TRUE(f.shows([](int, int y) { return y >= 43; }));
    EXPECT_FALSE(f.meter->wantsIdle()); // repaints come from the editor's rate
}

TEST(VuMeterWP, EachOrientationFillsFromItsEnd)
{
    // 85 x 85, 10 LEDs, value 0.3: three LEDs lit. Plain bars split at 26 pixels from
    // their start (3 of 10), inverted ones where 7 of 10 are left: 60 pixels.
    const struct
    {
        int32_t style;
        bool inverted;
        std::function<bool(int, int)> lit;
        const char* what;
    } cases[] = {
        {kHorizontal, false, [](int x, int) { return x < 26; }, "horizontal: from the left"},
        {kHorizontal, true, [](int x, int) { return x >= 60; },
         "inverted horizontal: from the right"},
        {kVertical, false, [](int, int y) { return y >= 60; }, "vertical: from the bottom"},
        {kVertical, true, [](int, int y) { return y < 26; }, "inverted vertical: from the top"},
    };
    for (const auto& c : cases)
    {
        MeterFixture f(85, 85, 10, c.inverted, c.style);
        f.meter->setValue(0.3f);
        EXPECT_TRUE(f.shows(c.lit)) << c.what;
    }
}

TEST(VuMeterWP, TwoLedsSwitchAtHalfWithoutSmoothing)
{
    MeterFixture f(10, 85, 2, false, kVertical);
    // A slow detector and the falling level would both delay a bar; the switch has neither.
    f.meter->detector.prepare(20.f, 500.f, 500.f, true, CMeterDetector::kPeak, false);
    const struct
    {
        float value;
        bool allOn;
    } steps[] = {{0.49f, false}, {0.5f, true},  {1.f, true},
                 {0.2f, false},  {0.75f, true}, {0.f, false}};
    for (const auto& s : steps)
    {
        f.meter->setValue(s.value);
        const bool allOn = s.allOn;
        EXPECT_TRUE(f.shows([allOn](int, int) { return allOn; })) << s.value;
    }
}

TEST(VuMeterWP, TheShownLevelFallsByTheDecreaseStepAndRisesThroughTheDetector)
{
    MeterFixture f(10, 100, 10, false, kVertical); // 10 pixels per LED
    f.meter->setValue(1.f);
    EXPECT_TRUE(f.shows([](int, int) { return true; }));
    f.meter->setValue(0.f);
    // Each repaint the level may fall by 0.1 at most: 0.9, 0.8, 0.7 ...
    for (int lit = 9; lit >= 7; --lit)
        EXPECT_TRUE(f.shows([lit](int, int y) { return y >= 100 - 10 * lit; })) << lit;

    // With a detector, a jump shows step by step: attack coefficient
    // exp(ln 0.367 / (20 x 0.5)) = 0.9047, so the first repaint shows 0.0953 (1 LED)
    // and the second 0.181 (2 LEDs).
    f.meter->detector.prepare(20.f, 500.f, 500.f, true, CMeterDetector::kPeak, false);
    f.meter->setValue(1.f);
    EXPECT_TRUE(f.shows([](int, int y) { return y >= 90; }));
    EXPECT_TRUE(f.shows([](int, int y) { return y >= 80; }));
}

TEST(VuMeterWP, FilmstripShowsTheFrameForTheLevel)
{
    // 20 frames of 10 x 10; frame i is painted (10 i, 255 - 10 i, 0).
    const int kFrames = 20;
    SharedPointer<CBitmap> strip = makeBitmap(10, 10 * kFrames, [](int, int y) {
        return CColor(static_cast<uint8_t>(10 * (y / 10)),
                      static_cast<uint8_t>(255 - 10 * (y / 10)), 0);
    });
    const struct
    {
        bool inverted;
        double frameHeight;
        double zeroFrame;
        float minimum;
        float value;
        int frame;
    } cases[] = {
        {false, 10, 52, 0.f, 0.f, 0},
        {false, 10, 52, 0.f, 0.5f, 9},  // floor(19 x 0.5)
        {false, 10, 52, 0.f, 0.26f, 4}, // floor(19 x 0.26)
        {false, 10, 52, 0.f, 1.f, 19},
        {true, 10, 12, 0.f, 0.f, 11}, // from about Z - Z / N = 11.4
        {true, 10, 12, 0.f, 0.5f, 5}, // floor(19 x 0.3)
        {true, 10, 12, 0.f, 1.f, 0},
        {false, 0, 52, 0.f, 0.8f, 0},    // no frame height: the first frame
        {false, 10, 52, -1.f, -0.5f, 0}, // a value below zero: the first frame
    };
    for (const auto& c : cases)
    {
        SharedPointer<CFrame> frame = owned(new CFrame(CRect(0, 0, 20, 20), nullptr));
        auto* meter = new CVuMeterWP(CRect(0, 0, 10, 10), strip, nullptr, kFrames, c.inverted, true,
                                     kVertical);
        meter->frameHeight = c.frameHeight;
        meter->zeroFrame = c.zeroFrame;
        meter->frameCount = kFrames;
        meter->setMin(c.minimum);
        meter->setValue(c.value);
        meter->setOldValue(c.value);
        frame->addView(meter);
        test::Canvas canvas(*frame);
        const CColor want(static_cast<uint8_t>(10 * c.frame),
                          static_cast<uint8_t>(255 - 10 * c.frame), 0);
        EXPECT_TRUE(test::Canvas::near(canvas.at(5, 5), want, 2))
            << "value " << c.value << (c.inverted ? " inverted" : "") << ", frame height "
            << c.frameHeight << ": red " << int(canvas.at(5, 5).red);
        // The whole view shows that one frame.
        EXPECT_EQ(canvas.countDiffering(CRect(0, 0, 10, 10), canvas.at(5, 5), 2), 0);
    }

    // Frames under a pixel high leave nothing to align to (and nothing to divide by).
    SharedPointer<CFrame> frame = owned(new CFrame(CRect(0, 0, 20, 20), nullptr));
    auto* meter = new CVuMeterWP(CRect(0, 0, 10, 10), strip, nullptr, kFrames, false, true,
                                 kVertical);
    meter->frameHeight = 0.5;
    meter->setValue(0.8f);
    frame->addView(meter);
    test::Canvas canvas(*frame);
    EXPECT_FALSE(meter->isDirty());
}
