// fastLog2 / fastPow2 against their published values and against the C
// library's log2 / exp2.
#include "vst3/parameters/fast_math.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Steinberg::Vst::Rive2ZOD3::fastLog2;
using Steinberg::Vst::Rive2ZOD3::fastPow2;

struct KnownValue
{
    const char* name;
    float (*function)(float);
    float input;
    float expected;
    float tolerance;  // 0 = bit-exact
};

class FastMathKnownValues : public ::testing::TestWithParam<KnownValue>
{
};

TEST_P(FastMathKnownValues, MatchesReference)
{
    const KnownValue& c = GetParam();
    const float actual = c.function(c.input);
    if (c.tolerance == 0.0f)
        EXPECT_EQ(actual, c.expected) << c.name;
    else
        EXPECT_NEAR(actual, c.expected, c.tolerance) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, FastMathKnownValues,
    ::testing::Values(KnownValue{"pow2(3)", fastPow2, 3.0f, 8.0f, 0.0f},
                      KnownValue{"pow2(0)", fastPow2, 0.0f, 1.0f, 0.0f},
                      KnownValue{"log2(8)", fastLog2, 8.0f, 2.9999974f, 2e-7f},
                      KnownValue{"log2(1)", fastLog2, 1.0f, -2.4e-6f, 1e-7f}));

TEST(FastMath, Log2StaysCloseToTheLibraryLog2)
{
    // Positive normal floats over many octaves, including non-powers of two.
    for (float v = 1.0e-30f; v < 1.0e30f; v *= 1.37f)
        ASSERT_NEAR(fastLog2(v), std::log2(v), 2e-4) << "v = " << v;
}

TEST(FastMath, Pow2StaysCloseToTheLibraryExp2)
{
    for (float x = -125.0f; x < 127.0f; x += 0.173f)
    {
        const double reference = std::exp2(static_cast<double>(x));
        ASSERT_NEAR(fastPow2(x) / reference, 1.0, 1e-4) << "x = " << x;
    }
}

TEST(FastMath, Pow2OutsideTheFloatRangeIsDefined)
{
    EXPECT_TRUE(std::isinf(fastPow2(128.0f)));
    EXPECT_TRUE(std::isinf(fastPow2(1.0e20f)));
    EXPECT_TRUE(std::isnan(fastPow2(std::nanf(""))));
    // Below -126 the input is clamped: the smallest normal power.
    EXPECT_NEAR(fastPow2(-1000.0f), std::ldexp(1.0f, -126), std::ldexp(1.0f, -130));
    EXPECT_GT(fastPow2(-1.0e30f), 0.0f);
}

}  // namespace
