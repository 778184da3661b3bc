// The parameter classes as the SDK's edit controller holds them: owned by its
// ParameterContainer, found by ID and asked through the base-class interface.
#include "vst3/parameters/log_parameter.h"
#include "vst3/parameters/peak_parameter.h"
#include "vst3/parameters/volt_octave_parameter.h"

#include "public.sdk/source/vst/vstparameters.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
namespace corvale = Steinberg::Vst::Rive2ZOD3;

// The controller's parameter calls (getParamStringByValue and friends) are
// one-line forwards to these lookups.
class Controller
{
public:
    Controller()
    {
        parameters.addParameter(new corvale::PeakParameter(ParameterInfo::kIsReadOnly, 0, u"Out"));
        parameters.addParameter(new corvale::LogParameter(u"Freq", 1, u"Hz", 20.0, 20000.0,
                                                          1000.0, 0, ParameterInfo::kCanAutomate,
                                                          kRootUnitId));
        parameters.addParameter(new corvale::VoltOctaveParameter(
            u"Cutoff", 2, u"Hz", 20.0, 20480.0, 640.0, 0, ParameterInfo::kCanAutomate,
            kRootUnitId));
    }

    int32 getParameterCount() const { return parameters.getParameterCount(); }
    Parameter* find(ParamID id) const { return parameters.getParameter(id); }
    tresult getParamStringByValue(ParamID id, ParamValue v, String128 s) const
    {
        Parameter* p = find(id);
        if (!p)
            return kResultFalse;
        p->toString(v, s);
        return kResultTrue;
    }
    tresult getParamValueByString(ParamID id, TChar* s, ParamValue& v) const
    {
        Parameter* p = find(id);
        return p && p->fromString(s, v) ? kResultTrue : kResultFalse;
    }

private:
    ParameterContainer parameters;
};

std::u16string stringByValue(Controller& c, ParamID id, ParamValue v)
{
    String128 s = {};
    EXPECT_EQ(c.getParamStringByValue(id, v, s), kResultTrue);
    return std::u16string(reinterpret_cast<const char16_t*>(s));
}

TEST(ParameterClassesInTheSdkContainer, InfoAndValuesReachTheHost)
{
    Controller c;
    ASSERT_EQ(c.getParameterCount(), 3);
    ASSERT_NE(c.find(0), nullptr);
    EXPECT_EQ(c.find(0)->getInfo().flags, ParameterInfo::kIsReadOnly);
    EXPECT_EQ(c.find(0)->getNormalized(), 1.0);
    EXPECT_NEAR(c.find(1)->getNormalized(), c.find(1)->toNormalized(1000.0), 1e-12);
    EXPECT_NEAR(c.find(2)->toPlain(0.5), 640.0, 0.02);
    // The host's clamp applies: a normalized value below 0 becomes 0.
    c.find(2)->setNormalized(c.find(2)->toNormalized(20.0));
    EXPECT_EQ(c.find(2)->getNormalized(), 0.0);
}

TEST(ParameterClassesInTheSdkContainer, TextsRoundTrip)
{
    Controller c;
    EXPECT_EQ(stringByValue(c, 0, 0.5), u"-6.021");
    EXPECT_EQ(stringByValue(c, 0, 0.0), u"-\u221E");

    // Default precision 4.
    const std::u16string freq = stringByValue(c, 1, 0.5);
    ASSERT_EQ(freq.size(), 10u);  // "17493.93" at the default four decimals
    EXPECT_EQ(freq.substr(0, 7), u"17493.9");
    ParamValue n = 0.0;
    std::u16string editable = freq;
    ASSERT_EQ(c.getParamValueByString(1, reinterpret_cast<TChar*>(editable.data()), n), kResultTrue);
    EXPECT_NEAR(n, 0.5, 1e-6);

    std::u16string meterText = u"0.000";
    EXPECT_EQ(c.getParamValueByString(0, reinterpret_cast<TChar*>(meterText.data()), n),
              kResultFalse);
}

}  // namespace
