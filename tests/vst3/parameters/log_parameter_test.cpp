// LogParameter: the 2.4-decade curve, its construction and its texts.
#include "vst3/parameters/log_parameter.h"

#include "conversion_case.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using Steinberg::Vst::Rive2ZOD3::LogParameter;

LogParameter makeFrequency(ParamValue defaultPlain = 1000.0)
{
    return LogParameter(u"Freq", 4, u"Hz", 20.0, 20000.0, defaultPlain, 0,
                        ParameterInfo::kCanAutomate, kRootUnitId);
}

using corvale_test::Conversion;

class LogParameterConversion : public ::testing::TestWithParam<Conversion>
{
};

TEST_P(LogParameterConversion, MatchesTheCurve)
{
    corvale_test::expectConversion(makeFrequency(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Range20To20000, LogParameterConversion,
                         ::testing::Values(Conversion{false, 20.0, 0.0039811, 1e-7},
                                           Conversion{false, 20000.0, 1.0, 0.0},
                                           Conversion{true, 0.0, 20.0, 0.0},
                                           Conversion{true, -0.5, 20.0, 0.0},
                                           Conversion{true, 1.0, 20000.0, 0.0},
                                           Conversion{true, 0.5, 17493.93, 0.005},
                                           // Not clamped below the minimum.
                                           Conversion{true, 0.001, -4975.0, 0.01}));

TEST(LogParameter, FollowsTheDecadeCurveAndRoundTrips)
{
    const LogParameter p = makeFrequency();
    for (ParamValue n = 0.004; n <= 1.0; n += 0.0371)
    {
        // Independent form of the curve, all in double.
        const ParamValue reference = 19980.0 * (std::log10(n) / 2.4 + 1.0) + 20.0;
        EXPECT_NEAR(p.toPlain(n), reference, 19980.0 * 1e-6) << "n = " << n;
        EXPECT_NEAR(p.toNormalized(p.toPlain(n)), n, 1e-5) << "n = " << n;
    }
}

TEST(LogParameter, ConstructionTakesTheDefaultThroughItsOwnCurve)
{
    const LogParameter p = makeFrequency(20.0);
    const ParameterInfo& info = p.getInfo();
    EXPECT_NEAR(info.defaultNormalizedValue, 0.0039811, 1e-7);
    EXPECT_EQ(p.getNormalized(), info.defaultNormalizedValue);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(info.title)), u"Freq");
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(info.units)), u"Hz");
    EXPECT_EQ(info.id, 4u);
    EXPECT_EQ(info.flags, ParameterInfo::kCanAutomate);
    EXPECT_EQ(info.stepCount, 0);
    EXPECT_EQ(p.getMin(), 20.0);
    EXPECT_EQ(p.getMax(), 20000.0);
}

TEST(LogParameter, NullUnitsLeaveTheUnitsEmpty)
{
    const LogParameter p(u"Freq", 0, nullptr, 20.0, 20000.0, 1000.0, 0, 1, 0);
    EXPECT_EQ(p.getInfo().units[0], 0);
}

TEST(LogParameter, TextUsesThePrecisionAndParsesBack)
{
    LogParameter p = makeFrequency();
    p.setPrecision(2);
    String128 s = {};
    p.toString(0.5, s);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(s)), u"17493.93");

    ParamValue n = -1.0;
    ASSERT_TRUE(p.fromString(s, n));
    EXPECT_NEAR(n, 0.5, 1e-6);

    p.setPrecision(0);
    p.toString(1.0, s);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(s)), u"20000");
}

TEST(LogParameter, RejectsTextThatIsNoNumberAndLimitsTheAnswer)
{
    const LogParameter p = makeFrequency();
    ParamValue n = 0.25;
    for (const char16_t* bad : {u"", u"abc", u"Hz 100", u"nan", u"inf", u"-inf"})
    {
        EXPECT_FALSE(p.fromString(bad, n)) << "text rejected";
        EXPECT_EQ(n, 0.25);
    }
    ASSERT_TRUE(p.fromString(u" 1e9", n));
    EXPECT_EQ(n, 1.0);
    ASSERT_TRUE(p.fromString(u"1000 Hz", n));
    EXPECT_NEAR(n, p.toNormalized(1000.0), 1e-12);
}

}  // namespace
