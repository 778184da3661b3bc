// VoltOctaveParameter: equal normalized steps give equal plain ratios.
#include "vst3/parameters/volt_octave_parameter.h"

#include "conversion_case.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using Steinberg::Vst::Rive2ZOD3::VoltOctaveParameter;

// Ten octaves: 20 Hz to 20480 Hz.
VoltOctaveParameter makeTenOctaves(ParamValue defaultPlain = 640.0)
{
    return VoltOctaveParameter(u"Cutoff", 2, u"Hz", 20.0, 20480.0, defaultPlain, 0,
                               ParameterInfo::kCanAutomate, kRootUnitId);
}

using corvale_test::Conversion;

class VoltOctaveConversion : public ::testing::TestWithParam<Conversion>
{
};

TEST_P(VoltOctaveConversion, MatchesTheApproximatedCurve)
{
    corvale_test::expectConversion(makeTenOctaves(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Range20To20480, VoltOctaveConversion,
                         ::testing::Values(Conversion{false, 640.0, 0.4999998, 1e-7},
                                           Conversion{false, 20.0, -2.4e-7, 1e-8},
                                           Conversion{true, 0.5, 640.0098, 1e-4},
                                           Conversion{true, 1.0, 20480.31, 0.005},
                                           Conversion{true, 0.0, 20.0, 1e-3}));

TEST(VoltOctaveParameter, IsExponentialWithinTheApproximation)
{
    const VoltOctaveParameter p = makeTenOctaves();
    for (ParamValue n = 0.0; n <= 1.0; n += 0.0437)
    {
        const ParamValue reference = 20.0 * std::pow(1024.0, n);
        EXPECT_NEAR(p.toPlain(n) / reference, 1.0, 1e-4) << "n = " << n;
        // fastLog2 is within 2e-4; over ten octaves that is 2e-5 of the range.
        EXPECT_NEAR(p.toNormalized(reference), n, 2e-5) << "n = " << n;
    }
}

TEST(VoltOctaveParameter, ConstructionTakesTheDefaultThroughItsOwnCurve)
{
    const VoltOctaveParameter p = makeTenOctaves(20.0);
    EXPECT_NEAR(p.getInfo().defaultNormalizedValue, -2.4e-7, 1e-8);
    EXPECT_EQ(p.getNormalized(), p.getInfo().defaultNormalizedValue);
    EXPECT_EQ(p.getInfo().id, 2u);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(p.getInfo().units)), u"Hz");
    EXPECT_EQ(p.getMin(), 20.0);
    EXPECT_EQ(p.getMax(), 20480.0);
}

TEST(VoltOctaveParameter, TextRoundTripsAndOutOfRangeTextIsLimited)
{
    VoltOctaveParameter p = makeTenOctaves();
    p.setPrecision(1);
    String128 s = {};
    p.toString(0.5, s);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(s)), u"640.0");

    ParamValue n = -1.0;
    ASSERT_TRUE(p.fromString(s, n));
    EXPECT_NEAR(n, 0.5, 1e-5);
    // Zero and negative plain values lie below the range's bottom, not in it.
    ASSERT_TRUE(p.fromString(u"0", n));
    EXPECT_EQ(n, 0.0);
    ASSERT_TRUE(p.fromString(u"-5", n));
    EXPECT_EQ(n, 0.0);
    ASSERT_TRUE(p.fromString(u"100000", n));
    EXPECT_EQ(n, 1.0);
}

}  // namespace
