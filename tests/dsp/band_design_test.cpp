// Band design: the DFT of each band response against the LC ladder's response
// obtained independently by nodal analysis of the circuit.
#include "dsp/graphic_eq_engine.h"
#include "dsp_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstring>
#include <vector>

namespace
{
using namespace dsptest;

struct Ladder
{
    double C1, C2, L1, L2;   // C3 = C1, L3 = L1
};

const Ladder kLadders[15] = {
    {2.28474e-5, 2.46374e-6, 1.77389, 16.4501},      {1.44084e-5, 1.5555e-6, 1.11996, 10.374},
    {9.09041e-6, 9.81388e-7, 0.7066, 6.5451},        {5.73655e-6, 6.19083e-7, 0.44574, 4.13032},
    {3.61979e-6, 3.90605e-7, 0.281236, 2.60625},     {2.28376e-6, 2.46482e-7, 0.177467, 1.6443},
    {1.44092e-6, 1.5552e-7, 0.111975, 1.03746},      {9.09197e-7, 9.81218e-8, 0.0706477, 0.654622},
    {5.73655e-7, 6.19121e-8, 0.0445767, 0.413032},   {3.61954e-7, 3.90637e-8, 0.0281259, 0.260607},
    {2.28378e-7, 2.46476e-8, 0.0177463, 0.164432},   {1.44096e-7, 1.55517e-8, 0.0111972, 0.103749},
    {9.09188e-8, 9.81237e-9, 0.00706491, 0.0654615}, {5.73657e-8, 6.19122e-9, 0.00445768, 0.0413033},
    {3.61953e-8, 3.90639e-9, 0.0028126, 0.0260606},
};

// Load voltage over source voltage: 600-ohm source into L1||C1, series L2-C2, then
// L1||C1||600-ohm load.
Complex ladderByNodalAnalysis(const Ladder& c, double freqHz)
{
    const double R = 600.0;
    const Complex s(0.0, 2.0 * 3.14159265358979323846 * freqHz);
    const Complex shuntIn = 1.0 / (1.0 / (s * c.L1) + s * c.C1);
    const Complex series = s * c.L2 + 1.0 / (s * c.C2);
    const Complex shuntOut = 1.0 / (1.0 / (s * c.L1) + s * c.C1 + 1.0 / R);
    const Complex right = series + shuntOut;
    const Complex nodeA = 1.0 / (1.0 / shuntIn + 1.0 / right);
    return nodeA / (R + nodeA) * shuntOut / right;
}

std::vector<Complex> dft(const CTapArray& response)
{
    return fftwForward(std::vector<double>(response.values(), response.values() + response.count()));
}

struct DesignCase
{
    int sampleRate;
    int designSize;
};

class BandDesign : public ::testing::TestWithParam<DesignCase>
{
};

// Every bin 1..M-1 of every band's DFT is designSize * (0.8192 / designSize) * H_k.
TEST_P(BandDesign, ResponseSpectrumIsScaledLadderResponse)
{
    const DesignCase dc = GetParam();
    const CGraphicEqEngine engine(dc.sampleRate, 0, dc.designSize, dc.designSize, 64, 0);
    const int M = dc.designSize / 2;
    for (int b = 0; b < 15; ++b)
    {
        const std::vector<Complex> X = dft(engine.bandResponses(b));
        double worst = 0.0;
        for (int k = 1; k < M; ++k)
        {
            const Complex H = ladderByNodalAnalysis(kLadders[b], static_cast<double>(k) * dc.sampleRate / dc.designSize);
            worst = std::max(worst, std::abs(X[static_cast<size_t>(k)] - 0.8192 * H));
        }
        // |H| peaks at 0.5, so this is relative to the band's passband.
        EXPECT_LT(worst, 1e-11) << "band " << b << " at " << dc.sampleRate << " Hz / " << dc.designSize;
    }
}

// The top bin's imaginary part lands on the even taps only: bins 0 and M of the
// response are both -designSize * beta, beta = (0.8192 / designSize) * Im H_M.
TEST_P(BandDesign, TopBinAddsConstantToEvenTaps)
{
    const DesignCase dc = GetParam();
    const CGraphicEqEngine engine(dc.sampleRate, 0, dc.designSize, dc.designSize, 64, 0);
    const int M = dc.designSize / 2;
    for (int b = 0; b < 15; ++b)
    {
        const std::vector<Complex> X = dft(engine.bandResponses(b));
        const double beta = 0.8192 / dc.designSize * ladderByNodalAnalysis(kLadders[b], dc.sampleRate / 2.0).imag();
        EXPECT_NEAR(X[0].real(), -dc.designSize * beta, 1e-12) << "band " << b;
        EXPECT_NEAR(X[static_cast<size_t>(M)].real(), -dc.designSize * beta, 1e-12) << "band " << b;
    }
}

INSTANTIATE_TEST_SUITE_P(Rates, BandDesign,
                         ::testing::Values(DesignCase{44100, 2048}, DesignCase{96000, 4096}));

TEST(BandDesignAt44100, PeakGains)
{
    const CGraphicEqEngine engine(44100, 0, 2048, 2048, 64, 0);
    const struct { int band; double peak; double tolerance; } cases[] = {
        {8, 0.5, 1e-9},    // bin 46 (990.5 Hz) sits near the 995.3 Hz resonance
        {0, 0.483, 5e-4},  // no bin falls on 25 Hz
    };
    for (const auto& c : cases)
    {
        const std::vector<Complex> X = dft(engine.bandResponses(c.band));
        double peak = 0.0;
        for (int k = 1; k < 1024; ++k)
            peak = std::max(peak, std::abs(X[static_cast<size_t>(k)]) / 0.8192);
        EXPECT_NEAR(peak, c.peak, c.tolerance) << "band " << c.band;
    }
}

TEST(BandDesignAt44100, Band14TopBinOffset)
{
    const CGraphicEqEngine engine(44100, 0, 2048, 2048, 64, 0);
    const double beta = -dft(engine.bandResponses(14))[0].real() / 2048.0;
    EXPECT_NEAR(beta, 4.2e-6, 0.1e-6);
}

TEST(BandDesignAt44100, DesignIsRepeatable)
{
    const CGraphicEqEngine first(44100, 0, 2048, 2048, 64, 0);
    const CGraphicEqEngine second(44100, 1, 2048, 2048, 64, 0);
    for (int b = 0; b < 15; ++b)
        EXPECT_EQ(std::memcmp(first.bandResponses(b).values(), second.bandResponses(b).values(),
                              sizeof(double) * 2048), 0) << "band " << b;
}
} // namespace
