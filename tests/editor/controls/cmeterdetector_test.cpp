// CMeterDetector: coefficients against the time-constant formula worked out here in
// double precision, the attack and release curves against their closed forms, the
// three modes, the 60 dB scale, the clamp and the cut of subnormal levels.
#include "editor/controls/cmeterdetector.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace VSTGUI;

namespace {

/// exp(ln(share) / steps per time constant): the share of a step left after one step.
double expectedCoefficient(bool analog, double rate, double timeMs)
{
    const double share = analog ? 0.367 : 0.01;
    return std::exp(std::log(share) / (rate * timeMs / 1000.0));
}

/// Relative agreement within a few float roundings.
void expectCloseToFloat(float actual, double expected, const char* what)
{
    EXPECT_NEAR(actual, expected, 4.0 * 1.2e-7 * std::max(1e-30, std::fabs(expected))) << what;
}

} // namespace

TEST(MeterDetector, CoefficientsFollowTheTimeConstant)
{
    const struct
    {
        float rate, attackMs, releaseMs;
        bool analog;
    } cases[] = {
        {20.f, 10.f, 500.f, true}, // a descriptor's defaults at the editor's repaint rate
        {20.f, 10.f, 500.f, false},   {20.f, 300.f, 1500.f, true},
        {44100.f, 1.f, 100.f, false}, {30.f, 33.3f, 2000.f, true},
    };
    for (const auto& c : cases)
    {
        CMeterDetector d;
        d.prepare(c.rate, c.attackMs, c.releaseMs, c.analog, 0, false);
        expectCloseToFloat(d.getAttackCoefficient(),
                           expectedCoefficient(c.analog, c.rate, c.attackMs), "attack");
        expectCloseToFloat(d.getReleaseCoefficient(),
                           expectedCoefficient(c.analog, c.rate, c.releaseMs), "release");
        EXPECT_EQ(d.getRate(), c.rate);
        EXPECT_EQ(d.getAttackTimeMs(), c.attackMs);
        EXPECT_EQ(d.getReleaseTimeMs(), c.releaseMs);
        EXPECT_EQ(d.hasAnalogTimeConstant(), c.analog);
    }
    // The ballistics of a descriptor's defaults at 20 repaints a second.
    CMeterDetector d;
    d.prepare(20.f, 10.f, 500.f, true, 0, false);
    EXPECT_NEAR(d.getAttackCoefficient(), 0.0067, 0.00005);
    EXPECT_NEAR(d.getReleaseCoefficient(), 0.905, 0.0005);
    // No time (or a negative one): an immediate response, never a runaway coefficient.
    d.prepare(20.f, 0.f, -5.f, true, 0, false);
    EXPECT_EQ(d.getAttackCoefficient(), 0.f);
    EXPECT_EQ(d.getReleaseCoefficient(), 0.f);
}

TEST(MeterDetector, PeakModeRisesAndFallsAtItsCoefficientsPace)
{
    CMeterDetector d;
    d.prepare(20.f, 300.f, 1000.f, true, CMeterDetector::kPeak, false);
    const double a = expectedCoefficient(true, 20, 300);
    const double r = expectedCoefficient(true, 20, 1000);
    // Held input x from rest: x (1 - a^n). Then silence: e0 r^n.
    for (int n = 1; n <= 40; ++n)
    {
        const float out = d.detect(n % 2 ? 0.5f : -0.5f); // the magnitude counts
        EXPECT_NEAR(out, 0.5 * (1.0 - std::pow(a, n)), 1e-5) << "attack step " << n;
    }
    const double top = d.getEnvelope();
    for (int n = 1; n <= 40; ++n)
        EXPECT_NEAR(d.detect(0.f), top * std::pow(r, n), 1e-5) << "release step " << n;

    d.prepare(20.f, 300.f, 1000.f, true, CMeterDetector::kPeak, false);
    EXPECT_EQ(d.getEnvelope(), 0.f); // prepare empties it
    d.detect(1.f);
    d.reset();
    EXPECT_EQ(d.getEnvelope(), 0.f);
}

TEST(MeterDetector, SquareModesSettleOnThePowerOrItsRoot)
{
    const struct
    {
        int32_t mode;
        float envelope, output;
    } cases[] = {
        {CMeterDetector::kPeak, 0.5f, 0.5f},
        {CMeterDetector::kMeanSquare, 0.25f, 0.25f},
        {CMeterDetector::kRootMeanSquare, 0.25f, 0.5f},
    };
    for (const auto& c : cases)
    {
        CMeterDetector d;
        d.prepare(20.f, 10.f, 500.f, true, c.mode, false);
        float out = 0.f;
        for (int n = 0; n < 50; ++n)
            out = d.detect(0.5f);
        EXPECT_NEAR(d.getEnvelope(), c.envelope, 1e-6) << c.mode;
        EXPECT_NEAR(out, c.output, 1e-6) << c.mode;
    }
}

TEST(MeterDetector, LogOutputSpansSixtyDecibels)
{
    const struct
    {
        float level;
        double expected;
    } cases[] = {
        {1.f, 1.0},    {0.1f, 2.0 / 3.0}, {0.5f, (20.0 * std::log10(0.5) + 60.0) / 60.0},
        {0.001f, 0.0}, {0.0001f, 0.0},    {0.f, 0.0},
    };
    for (const auto& c : cases)
    {
        CMeterDetector d;
        d.prepare(20.f, 0.f, 0.f, false, CMeterDetector::kPeak, true); // no smoothing
        EXPECT_NEAR(d.detect(c.level), c.expected, 1e-6) << c.level;
    }
}

TEST(MeterDetector, TheEnvelopeStaysWithinZeroToOneWithoutSubnormals)
{
    CMeterDetector d;
    d.prepare(20.f, 10.f, 500.f, true, CMeterDetector::kRootMeanSquare, false);
    EXPECT_EQ(d.detect(3.f), 1.f);
    EXPECT_EQ(d.getEnvelope(), 1.f);
    d.prepare(20.f, 0.f, 0.f, true, CMeterDetector::kPeak, false);
    EXPECT_EQ(d.detect(-3.f), 1.f);

    // A long release passes through the subnormal range; each level there becomes 0.
    d.prepare(20.f, 0.f, 500.f, true, CMeterDetector::kPeak, false);
    d.detect(1e-30f);
    bool reachedZero = false;
    for (int n = 0; n < 2000 && !reachedZero; ++n)
    {
        d.detect(0.f);
        EXPECT_NE(std::fpclassify(d.getEnvelope()), FP_SUBNORMAL) << n;
        reachedZero = d.getEnvelope() == 0.f;
    }
    EXPECT_TRUE(reachedZero);

    // Values no meter should get leave it working.
    d.prepare(20.f, 10.f, 500.f, true, CMeterDetector::kRootMeanSquare, false);
    for (float bad : {NAN, INFINITY, -INFINITY, 1e30f})
    {
        const float out = d.detect(bad);
        EXPECT_TRUE(out >= 0.f && out <= 1.f) << bad;
    }
    d.prepare(20.f, 0.f, 0.f, true, CMeterDetector::kPeak, false);
    d.detect(NAN);
    EXPECT_EQ(d.detect(0.5f), 0.5f);
}
