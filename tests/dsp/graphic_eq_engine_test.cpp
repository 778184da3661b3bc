// Tap combination: band selection by gain, silence at zero gain, decay windows,
// and taps outside the convolved range left alone.
#include "dsp/graphic_eq_engine.h"
#include "dsp_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
using namespace dsptest;

TEST(CombineBands, SingleUnitGainSelectsThatBand)
{
    CGraphicEqEngine engine(44100, 0, 2048, 2048, 64, 0);
    openAllBands(engine, 44100);
    for (int band = 0; band < 15; ++band)
    {
        std::vector<double> gains(15, 0.0);
        gains[static_cast<size_t>(band)] = 1.0;
        engine.setBandGains(gains.data());
        for (int n = 0; n < 2048; ++n)
            ASSERT_EQ(engine.taps()[n], engine.bandResponses(band)[n]) << "band " << band << " tap " << n;
    }
}

TEST(CombineBands, ZeroGainsGiveZeroTaps)
{
    CGraphicEqEngine engine(44100, 0, 2048, 2048, 64, 0);
    openAllBands(engine, 44100);
    engine.setBandGains(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    for (int n = 0; n < 2048; ++n)
        ASSERT_EQ(engine.taps()[n], 0.0) << n;
}

TEST(CombineBands, DecayWindows)
{
    CGraphicEqEngine engine(44100, 0, 2048, 2048, 64, 0);
    const struct { int band; double decayRate; double (*expected)(int n); } cases[] = {
        {3, 44100.0, [](int n) { return std::exp(-static_cast<double>(n)); }},
        {9, 0.0, [](int) { return 1.0; }},
    };
    for (const auto& c : cases)
    {
        engine.setBandDecay(c.band, c.decayRate, 44100);
        for (int n = 0; n < 2048; ++n)
            ASSERT_EQ(engine.windows(c.band)[n], c.expected(n)) << "band " << c.band << " n " << n;
    }
}

TEST(CombineBands, OnlyConvolvedTapsAreWritten)
{
    // filterLength 1024 from tap 512: taps 512..1535 are combined, the rest stay zero.
    CGraphicEqEngine engine(44100, 0, 2048, 1024, 64, 512);
    openAllBands(engine, 44100);
    EXPECT_EQ(engine.tapEnd(), 1536);
    for (int n = 0; n < 2048; ++n)
    {
        double sum = 0.0;
        for (int b = 0; b < 15; ++b)
            sum += engine.bandResponses(b)[n];
        const double want = (n >= 512 && n < 1536) ? sum : 0.0;
        ASSERT_NEAR(engine.taps()[n], want, 1e-15) << n;
    }
}
} // namespace
