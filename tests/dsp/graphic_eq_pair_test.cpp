// The pair of channel engines sharing one tap bank against two engines of their own:
// bit for bit, whatever the run lengths and wherever the gains change, and the right
// channel's restart after the left one ran alone.
#include "dsp/graphic_eq_pair.h"
#include "dsp_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace {
using namespace dsptest;

std::vector<double> randomGains(std::mt19937& rng)
{
    std::uniform_real_distribution<double> dB(-12.0, 12.0);
    std::vector<double> gains(15);
    for (double& g : gains)
        g = std::pow(10.0, dB(rng) / 20.0);
    return gains;
}

struct Twins
{
    Twins(int rate, int size)
        : pair(rate, size, size, 64, 0),
          left(rate, 0, size, size, 64, 0),
          right(rate, 1, size, size, 64, 0)
    {
        for (int b = 0; b < 15; ++b)
        {
            pair.setBandDecay(b, 0.0, rate);
            left.setBandDecay(b, 0.0, rate);
            right.setBandDecay(b, 0.0, rate);
        }
    }
    void setGains(const std::vector<double>& gains)
    {
        pair.setBandGains(gains.data());
        left.setBandGains(gains.data());
        right.setBandGains(gains.data());
    }
    CGraphicEqPair pair;
    CGraphicEqEngine left;
    CGraphicEqEngine right;
};

class PairAgainstSeparateEngines : public ::testing::TestWithParam<int>
{};

TEST_P(PairAgainstSeparateEngines, SameOutputsBitForBit)
{
    const int rate = GetParam();
    const int size = rate <= 48000 ? 2048 : 4096;
    Twins t(rate, size);
    std::mt19937 rng(11u);
    std::uniform_int_distribution<int> runLength(1, 300);
    const std::vector<double> xl = randomSignal(20000, 1u), xr = randomSignal(20000, 2u);
    std::vector<double> yl(xl.size()), yr(xr.size());
    for (int done = 0; done < static_cast<int>(xl.size());)
    {
        // New gains between runs: at block boundaries and in mid-block alike.
        if (rng() % 4 == 0)
            t.setGains(randomGains(rng));
        const int n = std::min(runLength(rng), static_cast<int>(xl.size()) - done);
        t.pair.process(
            n, [&](int c, int i) { return (c == 0 ? xl : xr)[static_cast<size_t>(done + i)]; },
            [&](int c, int i, double y) { (c == 0 ? yl : yr)[static_cast<size_t>(done + i)] = y; });
        for (int i = 0; i < n; ++i)
        {
            const size_t k = static_cast<size_t>(done + i);
            t.left.processSample(xl[k]);
            t.right.processSample(xr[k]);
            ASSERT_EQ(yl[k], t.left.currentOutput()) << "left, sample " << k;
            ASSERT_EQ(yr[k], t.right.currentOutput()) << "right, sample " << k;
        }
        done += n;
        ASSERT_EQ(t.pair.left().pos(), t.left.pos());
        ASSERT_EQ(t.pair.right().partOffset(), t.right.partOffset());
    }
    EXPECT_GT(peak(yl), 0.1);
}

INSTANTIATE_TEST_SUITE_P(Rates, PairAgainstSeparateEngines, ::testing::Values(44100, 96000));

// The left channel runs alone for a while (a mono bus); when both run again the right one
// starts from silence in step with the left. Once the silence has left its filter, it
// gives what an engine fed silence for the same stretch gives.
TEST(GraphicEqPair, RightChannelRestartsInStepAfterTheLeftRanAlone)
{
    for (const int gap : {100, 64 * 40 + 17})
    {
        Twins t(44100, 2048);
        std::mt19937 rng(5u);
        t.setGains(randomGains(rng));
        const std::vector<double> x = randomSignal(20000, 3u);
        auto in = [&](int start) {
            return [&x, start](int, int i) { return x[static_cast<size_t>(start + i)]; };
        };
        double y[2] = {};
        auto out = [&y](int c, int, double v) { y[c] = v; };
        int n = 0;
        for (; n < 3000; ++n)
        {
            t.pair.process(1, in(n), out);
            t.left.processSample(x[static_cast<size_t>(n)]);
            t.right.processSample(x[static_cast<size_t>(n)]);
        }
        for (; n < 3000 + gap; ++n)
        {
            t.pair.processLeft(1, in(n), out);
            t.left.processSample(x[static_cast<size_t>(n)]);
            t.right.processSample(0.0);
            ASSERT_EQ(y[0], t.left.currentOutput()) << n;
        }
        EXPECT_EQ(t.pair.right().pos(), 3000 % 64) << "the right channel stood still";
        const int forgotten = n + 2048 + 127 + 2 * 64;
        for (; n < 20000; ++n)
        {
            t.pair.process(1, in(n), out);
            t.left.processSample(x[static_cast<size_t>(n)]);
            t.right.processSample(x[static_cast<size_t>(n)]);
            ASSERT_EQ(y[0], t.left.currentOutput()) << n;
            ASSERT_TRUE(std::isfinite(y[1]));
            if (n >= forgotten)
            {
                ASSERT_EQ(y[1], t.right.currentOutput()) << "gap " << gap << ", sample " << n;
            }
        }
    }
}
} // namespace
