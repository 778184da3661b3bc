// PeakParameter: meter texts in decibels and its fixed info.
#include "vst3/parameters/peak_parameter.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using Steinberg::Vst::Rive2ZOD3::PeakParameter;

std::u16string text(const PeakParameter& p, ParamValue normalized)
{
    String128 s = {};
    p.toString(normalized, s);
    return std::u16string(reinterpret_cast<const char16_t*>(s));
}

struct PeakText
{
    ParamValue normalized;
    const char16_t* expected;
};

class PeakParameterText : public ::testing::TestWithParam<PeakText>
{
};

TEST_P(PeakParameterText, ShowsDecibels)
{
    const PeakParameter peak(ParameterInfo::kIsReadOnly, 3, u"Out L");
    EXPECT_EQ(text(peak, GetParam().normalized), GetParam().expected)
        << "n = " << GetParam().normalized;
}

INSTANTIATE_TEST_SUITE_P(Table, PeakParameterText,
                         ::testing::Values(PeakText{1.0, u"0.000"}, PeakText{0.5, u"-6.021"},
                                           PeakText{0.1, u"-20.000"},
                                           PeakText{0.00011, u"-79.172"},
                                           PeakText{0.0001, u"-\u221E"},
                                           PeakText{0.0, u"-\u221E"},
                                           PeakText{-1.0, u"-\u221E"}));

TEST(PeakParameter, InfoIsAReadOnlyMeterStartingAtFullScale)
{
    const PeakParameter peak(ParameterInfo::kIsReadOnly, 7, u"Meter");
    const ParameterInfo& info = peak.getInfo();
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(info.title)), u"Meter");
    EXPECT_EQ(info.units[0], 0);
    EXPECT_EQ(info.flags, ParameterInfo::kIsReadOnly);
    EXPECT_EQ(info.id, 7u);
    EXPECT_EQ(info.stepCount, 0);
    EXPECT_EQ(info.defaultNormalizedValue, 0.5);
    EXPECT_EQ(info.unitId, kRootUnitId);
    EXPECT_EQ(peak.getNormalized(), 1.0);
    EXPECT_EQ(peak.toPlain(0.25), 0.25);
    EXPECT_EQ(peak.toNormalized(0.75), 0.75);
}

TEST(PeakParameter, TextNeverSetsTheMeter)
{
    const PeakParameter peak(ParameterInfo::kIsReadOnly, 0, u"Meter");
    ParamValue n = 0.3;
    EXPECT_FALSE(peak.fromString(u"0.000", n));
    EXPECT_FALSE(peak.fromString(u"-6.021", n));
    EXPECT_EQ(n, 0.3);
}

TEST(PeakParameter, LongTitleIsCutTo127Characters)
{
    const std::u16string longTitle(300, u'x');
    const PeakParameter peak(0, 0, longTitle.c_str());
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(peak.getInfo().title)),
              std::u16string(127, u'x'));
}

}  // namespace
