// The bitmaps the painter draws, judged from their pixels alone: sizes at 1x and 2x, a knob
// strip whose pointer turns clockwise from lower left to lower right, a handle that lets
// the track show beside it, and a track whose scale marks sit exactly where the slider
// puts the handle's centre line for those values.
#include "png_image.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace {

const std::string kResourceDir = CORVALE_RESOURCE_DIR;

std::string fileName(const std::string& name, int scale)
{
    return kResourceDir + "/" + name + (scale == 1 ? "" : "#" + std::to_string(scale) + "x") + ".png";
}

struct PixelRun
{
    int first, last;
    double centre() const { return (first + last + 1) / 2.0; }  // in pixel-edge units
};

// Consecutive indices for which `pick` holds, grouped into runs.
template <typename Pick>
std::vector<PixelRun> runsOf(int count, Pick pick)
{
    std::vector<PixelRun> runs;
    for (int i = 0; i < count; ++i)
    {
        if (!pick(i))
            continue;
        if (!runs.empty() && runs.back().last == i - 1)
            runs.back().last = i;
        else
            runs.push_back({i, i});
    }
    return runs;
}

// Direction of the pointer's white line in one frame of the strip, in degrees from +x
// toward +y (y downward): the brightness-weighted centroid of the near-white pixels,
// seen from the frame's centre.
double pointerDegrees(const PngImage& strip, int frame, int size)
{
    double sumX = 0, sumY = 0, weight = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
        {
            const double luma = strip.lumaOverPanel(x, frame * size + y);
            if (luma <= 220)
                continue;
            const double w = luma - 220;
            sumX += w * (x + 0.5 - size / 2.0);
            sumY += w * (y + 0.5 - size / 2.0);
            weight += w;
        }
    EXPECT_GT(weight, 0) << "frame " << frame << " shows no pointer line";
    return std::atan2(sumY, sumX) * 180.0 / M_PI;
}

// Row of the handle's centre line, in pixels from its top: the bright run down its middle.
double handleCentreRow(const PngImage& handle)
{
    const int x = handle.width() / 2;
    const std::vector<PixelRun> bright =
        runsOf(handle.height(), [&](int y) { return handle.lumaOverPanel(x, y) > 200; });
    EXPECT_EQ(bright.size(), 1u) << "the handle should have one centre line";
    return bright.empty() ? -1 : bright.front().centre();
}

} // namespace

TEST(EditorBitmaps, SizesAtOneAndTwoTimes)
{
    struct Size
    {
        const char* name;
        int width, height;
    };
    for (const Size& s : {Size{"vsbackground", 32, 95}, Size{"vshandle", 32, 15},
                          Size{"chickenhead2", 42, 3360}})
        for (int scale : {1, 2})
        {
            const PngImage image(fileName(s.name, scale));
            ASSERT_TRUE(image.ok()) << fileName(s.name, scale);
            EXPECT_EQ(image.width(), s.width * scale) << s.name << " at " << scale << "x";
            EXPECT_EQ(image.height(), s.height * scale) << s.name << " at " << scale << "x";
        }
}

TEST(EditorBitmaps, KnobStripHasEightyDistinctFramesTurningClockwise)
{
    const int frames = 80;
    const double start = 135.0, range = 270.0, step = range / (frames - 1);
    for (int scale : {1, 2})
    {
        SCOPED_TRACE(std::to_string(scale) + "x");
        const PngImage strip(fileName("chickenhead2", scale));
        ASSERT_TRUE(strip.ok());
        const int size = 42 * scale;
        ASSERT_EQ(strip.height(), frames * size);

        std::set<std::vector<uint8_t>> distinct;
        for (int f = 0; f < frames; ++f)
        {
            std::vector<uint8_t> bytes;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                {
                    const Rgba8 p = strip.at(x, f * size + y);
                    bytes.insert(bytes.end(), {p.r, p.g, p.b, p.a});
                }
            distinct.insert(bytes);
        }
        EXPECT_EQ(distinct.size(), static_cast<size_t>(frames));

        double previous = pointerDegrees(strip, 0, size);
        if (previous < 0)
            previous += 360;
        EXPECT_NEAR(previous, start, 2.5) << "frame 0 should point lower left";
        for (int f = 1; f < frames; ++f)
        {
            double angle = pointerDegrees(strip, f, size);
            while (angle < previous - 180)
                angle += 360;
            // Whole pixels quantise the 1x line's direction by up to a degree and a half,
            // less than half a step: every step must still turn clockwise.
            EXPECT_GT(angle - previous, 0.0) << "frame " << f;
            EXPECT_LT(angle - previous, 2.0 * step) << "frame " << f;
            previous = angle;
        }
        EXPECT_NEAR(previous, start + range, 2.5) << "the last frame should point lower right";
    }
}

TEST(EditorBitmaps, HandleLetsTheTrackShowBesideTheCap)
{
    for (int scale : {1, 2})
    {
        SCOPED_TRACE(std::to_string(scale) + "x");
        const PngImage handle(fileName("vshandle", scale));
        ASSERT_TRUE(handle.ok());
        const int w = handle.width(), h = handle.height();
        // The outer columns and the corners show the track's scale marks.
        for (int y = 0; y < h; ++y)
            for (int x : {0, 1, 2 * scale, w - 1 - 2 * scale, w - 2, w - 1})
                EXPECT_EQ(handle.at(x, y).a, 0) << "at " << x << ", " << y;
        EXPECT_EQ(handle.at(w / 2, 0).a, 0);
        // The cap itself is solid, and its centre line is in the middle of the bitmap.
        for (int x = w / 4; x < 3 * w / 4; ++x)
            EXPECT_EQ(handle.at(x, h / 2).a, 255) << "at " << x;
        EXPECT_DOUBLE_EQ(handleCentreRow(handle), h / 2.0);
    }
}

TEST(EditorBitmaps, TrackIsOpaqueWithThePanelsGreyAtItsBorder)
{
    for (int scale : {1, 2})
    {
        const PngImage track(fileName("vsbackground", scale));
        ASSERT_TRUE(track.ok());
        for (int y = 0; y < track.height(); ++y)
            for (int x = 0; x < track.width(); ++x)
            {
                const Rgba8 p = track.at(x, y);
                ASSERT_EQ(p.a, 255) << "at " << x << ", " << y << " (" << scale << "x)";
                const bool border = x == 0 || y == 0 || x == track.width() - 1
                                    || y == track.height() - 1;
                if (border)
                {
                    ASSERT_TRUE(p.r == 127 && p.g == 127 && p.b == 127)
                        << "a seam on the panel at " << x << ", " << y << " (" << scale << "x)";
                }
            }
    }
}

TEST(EditorBitmaps, ScaleMarksMeetTheHandleCentreAtTheirValues)
{
    // The slider (vertical, value 1 at the top) puts the handle's top at
    // floor((1 - v) * (trackHeight - handleHeight)) for the normalised value v; the band
    // runs from -12 dB (v = 0) to +12 dB (v = 1), marked every 3 dB.
    for (int scale : {1, 2})
    {
        SCOPED_TRACE(std::to_string(scale) + "x");
        const PngImage track(fileName("vsbackground", scale));
        const PngImage handle(fileName("vshandle", scale));
        ASSERT_TRUE(track.ok() && handle.ok());
        const int range = 95 - 15;
        const double centre = handleCentreRow(handle);

        std::set<double> expected;
        for (int db = -12; db <= 12; db += 3)
        {
            const double v = (db + 12) / 24.0;
            expected.insert(scale * std::floor((1 - v) * range) + centre);
        }
        // Marks left of the slot: rows with pixels clearly darker than the panel.
        const int left = 12 * scale;
        const std::vector<PixelRun> marks = runsOf(track.height(), [&](int y) {
            for (int x = 0; x < left; ++x)
                if (track.lumaOverPanel(x, y) < 105)
                    return true;
            return false;
        });
        std::set<double> found;
        for (const PixelRun& r : marks)
            found.insert(r.centre());
        EXPECT_EQ(found, expected);
    }
}

TEST(EditorBitmaps, DoubleResolutionIsRedrawnNotEnlarged)
{
    for (const char* name : {"vsbackground", "vshandle", "chickenhead2"})
    {
        SCOPED_TRACE(name);
        const PngImage one(fileName(name, 1));
        const PngImage two(fileName(name, 2));
        ASSERT_TRUE(one.ok() && two.ok());
        // Averaged down, the 2x image is the 1x one up to anti-aliasing differences.
        double difference = 0;
        int nonUniformBlocks = 0;
        for (int y = 0; y < one.height(); ++y)
            for (int x = 0; x < one.width(); ++x)
            {
                double mean[4] = {0, 0, 0, 0};
                std::set<uint32_t> block;
                for (int dy = 0; dy < 2; ++dy)
                    for (int dx = 0; dx < 2; ++dx)
                    {
                        const Rgba8 p = two.at(2 * x + dx, 2 * y + dy);
                        const double a = p.a / 255.0;
                        mean[0] += p.r * a / 4;
                        mean[1] += p.g * a / 4;
                        mean[2] += p.b * a / 4;
                        mean[3] += p.a / 4.0;
                        block.insert(uint32_t(p.r) << 24 | p.g << 16 | p.b << 8 | p.a);
                    }
                const Rgba8 q = one.at(x, y);
                const double a = q.a / 255.0;
                difference += std::abs(mean[0] - q.r * a) + std::abs(mean[1] - q.g * a)
                              + std::abs(mean[2] - q.b * a) + std::abs(mean[3] - q.a);
                nonUniformBlocks += block.size() > 1;
            }
        const double pixels = one.width() * one.height();
        // Anti-aliasing alone stays near 2 of 255 per channel; the 2x cap adds grip ridges
        // the 1x one has no room for. A shape drawn at the wrong size or place gives 10+.
        EXPECT_LT(difference / (4 * pixels), 6.0) << "mean difference per channel, of 255";
        EXPECT_GT(nonUniformBlocks / pixels, 0.02) << "the 2x image has no finer detail";
    }
}
