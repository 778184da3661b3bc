// Block convolution: the engine's output against a direct convolution written
// here, its latency, how a gain change reaches the output, and the optimised
// block-end path against the per-sample reference convolution.
#include "dsp/graphic_eq_engine.h"
#include "dsp/reference_convolution.h"
#include "dsp_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace
{
using namespace dsptest;

struct Config
{
    int sampleRate;
    int designSize;
    int filterLength;
    int blockSize;
    int firstTap;
};

const Config k44k{44100, 2048, 2048, 64, 0};
const Config k96k{96000, 4096, 4096, 64, 0};

std::vector<double> randomGains(unsigned seed)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> dB(-12.0, 12.0);
    std::vector<double> gains(15);
    for (double& g : gains)
        g = std::pow(10.0, dB(rng) / 20.0);
    return gains;
}

// paired: every even-indexed sample equals the following one (no Nyquist content per block).
std::vector<double> randomInput(int count, unsigned seed, bool paired)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    std::vector<double> x(static_cast<size_t>(count));
    for (int n = 0; n < count; ++n)
        x[static_cast<size_t>(n)] = (paired && n % 2 == 1) ? x[static_cast<size_t>(n - 1)] : dist(rng);
    return x;
}

// The expected output after each input sample: sum_i taps[i] * x[n - (2B-1) - i], and for
// inputs with Nyquist content, minus the alternating component each 2B-point block result
// drops: (-1)^j * (N_t + N_{t-1}) / 2B at output time T = B*t + j, where
// N_t = sum_p Xnyq(block t-p) * Hnyq(partition p).
std::vector<double> directConvolution(const double* taps, const Config& c, const std::vector<double>& x,
                                      bool dropBlockNyquist)
{
    const int B = c.blockSize;
    const int P = c.filterLength / B;
    const int count = static_cast<int>(x.size());
    auto alternatingSum = [B](const double* v) {
        double sum = 0.0;
        for (int n = 0; n < B; ++n)
            sum += (n % 2 == 0) ? v[n] : -v[n];
        return sum;
    };
    std::vector<double> tapNyquist(static_cast<size_t>(P));
    for (int p = 0; p < P; ++p)
        tapNyquist[static_cast<size_t>(p)] = alternatingSum(taps + c.firstTap + p * B);
    const int blocks = count / B + 1;
    std::vector<double> blockNyquist(static_cast<size_t>(blocks), 0.0);
    for (int t = 0; t < blocks; ++t)
    {
        for (int p = 0; p < P && p <= t; ++p)
        {
            if ((t - p + 1) * B <= count)
                blockNyquist[static_cast<size_t>(t)] += alternatingSum(x.data() + (t - p) * B) * tapNyquist[static_cast<size_t>(p)];
        }
    }
    std::vector<double> y(static_cast<size_t>(count), 0.0);
    for (int n = 0; n < count; ++n)
    {
        const int T = n - (2 * B - 1);
        if (T < 0)
            continue;
        double sum = 0.0;
        for (int i = 0; i < c.filterLength && i <= T; ++i)
            sum += taps[c.firstTap + i] * x[static_cast<size_t>(T - i)];
        if (dropBlockNyquist)
        {
            const int t = T / B, j = T % B;
            const double dropped = blockNyquist[static_cast<size_t>(t)] + (t > 0 ? blockNyquist[static_cast<size_t>(t - 1)] : 0.0);
            sum -= ((j % 2 == 0) ? 1.0 : -1.0) * dropped / (2 * B);
        }
        y[static_cast<size_t>(n)] = sum;
    }
    return y;
}

struct DirectCase
{
    Config config;
    bool paired;
};

class AgainstDirectConvolution : public ::testing::TestWithParam<DirectCase>
{
};

// Taps set before the first sample are in effect from the first output on.
TEST_P(AgainstDirectConvolution, OutputMatchesWithinRounding)
{
    const DirectCase dc = GetParam();
    const Config& c = dc.config;
    CGraphicEqEngine engine(c.sampleRate, 0, c.designSize, c.filterLength, c.blockSize, c.firstTap);
    openAllBands(engine, c.sampleRate);
    engine.setBandGains(randomGains(5u).data());
    const std::vector<double> x = randomInput(3000, 7u, dc.paired);
    // Paired input is filtered exactly: compare with the plain convolution, no Nyquist term.
    const std::vector<double> want = directConvolution(engine.taps(), c, x, !dc.paired);
    const double tolerance = 1e-12 * peak(want);
    for (size_t n = 0; n < x.size(); ++n)
    {
        engine.processSample(x[n]);
        ASSERT_NEAR(engine.currentOutput(), want[n], tolerance) << "after input " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(Inputs, AgainstDirectConvolution,
                         ::testing::Values(DirectCase{k44k, true}, DirectCase{k44k, false},
                                           DirectCase{k96k, true}, DirectCase{k96k, false},
                                           DirectCase{{44100, 2048, 1024, 32, 512}, false}));

TEST(BlockConvolution, FreshEngineIsSilent)
{
    CGraphicEqEngine engine(44100, 0, 2048, 2048, 64, 0);
    EXPECT_EQ(engine.currentOutput(), 0.0);
    for (double sample : randomInput(3000, 3u, false))
    {
        engine.processSample(sample);
        ASSERT_EQ(engine.currentOutput(), 0.0);
    }
}

TEST(BlockConvolution, ImpulseAppearsAfter127Samples)
{
    CGraphicEqEngine engine(44100, 0, 2048, 2048, 64, 0);
    openAllBands(engine, 44100);
    const int m = 64 * 40;   // first sample of a block, taps loaded long before
    for (int n = 0; n < m + 200; ++n)
    {
        engine.processSample(n == m ? 1.0 : 0.0);
        if (n < m + 127)
        {
            ASSERT_EQ(engine.currentOutput(), 0.0) << n;
        }
        if (n == m + 127)
        {
            EXPECT_NE(engine.currentOutput(), 0.0);
        }
    }
}

struct GainChangeCase
{
    int change;   // the new gains apply before this input sample
    int settled;  // from change + settled on, outputs equal an engine that always had them
    bool tight;   // the output after change + settled - 1 still differs
};

class GainChange : public ::testing::TestWithParam<GainChangeCase>
{
};

TEST_P(GainChange, CompleteAfterOnePassOverThePartitions)
{
    const GainChangeCase gc = GetParam();
    CGraphicEqEngine changed(44100, 0, 2048, 2048, 64, 0);
    CGraphicEqEngine always(44100, 0, 2048, 2048, 64, 0);
    openAllBands(changed, 44100);
    openAllBands(always, 44100);
    const std::vector<double> oldGains = randomGains(17u);
    const std::vector<double> newGains = randomGains(19u);
    changed.setBandGains(oldGains.data());
    always.setBandGains(newGains.data());
    const std::vector<double> x = randomInput(gc.change + gc.settled + 256, 23u, false);
    for (int n = 0; n < static_cast<int>(x.size()); ++n)
    {
        if (n == gc.change)
            changed.setBandGains(newGains.data());
        changed.processSample(x[static_cast<size_t>(n)]);
        always.processSample(x[static_cast<size_t>(n)]);
        if (n >= gc.change + gc.settled)
        {
            ASSERT_EQ(changed.currentOutput(), always.currentOutput()) << "after input " << n;
        }
        if (gc.tight && n == gc.change + gc.settled - 1)
        {
            EXPECT_NE(changed.currentOutput(), always.currentOutput());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(ChangePoints, GainChange,
                         ::testing::Values(GainChangeCase{64 * 40, 2175, true},
                                           GainChangeCase{64 * 40 + 1, 2238, true},
                                           GainChangeCase{64 * 40 + 37, 2238, false},
                                           // Every place in the block convolution's batches of blocks.
                                           GainChangeCase{64 * 41, 2175, true},
                                           GainChangeCase{64 * 42, 2175, true},
                                           GainChangeCase{64 * 43 + 1, 2238, true},
                                           GainChangeCase{64 * 45 + 63, 2238, false}));

class AgainstReference : public ::testing::TestWithParam<Config>
{
};

// The block-end path (bin-major delay line, cached partition spectra, split-array
// transforms) against the per-sample reference, with gains changing mid-block.
TEST_P(AgainstReference, OptimisedPathMatchesPerSampleReference)
{
    const Config c = GetParam();
    CGraphicEqEngine engine(c.sampleRate, 0, c.designSize, c.filterLength, c.blockSize, c.firstTap);
    CReferenceConvolution reference(engine.taps(), c.filterLength, c.blockSize, c.firstTap);
    openAllBands(engine, c.sampleRate);
    const std::vector<double> x = randomInput(6000, 29u, false);
    std::vector<double> got, want;
    for (int n = 0; n < static_cast<int>(x.size()); ++n)
    {
        if (n % 1337 == 100)
            engine.setBandGains(randomGains(static_cast<unsigned>(n)).data());
        engine.processSample(x[static_cast<size_t>(n)]);
        reference.processSample(x[static_cast<size_t>(n)]);
        got.push_back(engine.currentOutput());
        want.push_back(reference.currentOutput());
        ASSERT_EQ(engine.pos(), reference.pos());
        ASSERT_EQ(engine.partOffset(), reference.partOffset());
    }
    const double tolerance = 1e-12 * peak(want);
    for (size_t n = 0; n < x.size(); ++n)
        ASSERT_NEAR(got[n], want[n], tolerance) << "after input " << n;
}

INSTANTIATE_TEST_SUITE_P(Sizes, AgainstReference,
                         ::testing::Values(k44k, k96k, Config{44100, 2048, 1024, 32, 512}));
} // namespace
