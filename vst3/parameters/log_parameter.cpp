#include "vst3/parameters/log_parameter.h"

#include <cmath>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

namespace {
// 1 / 2.4: the curve spans 2.4 decades of the normalized value.
constexpr double kDecadesInverse = 0.4166666666666667;
}  // namespace

LogParameter::LogParameter(const TChar* title, ParamID tag, const TChar* units,
                           ParamValue minPlainValue, ParamValue maxPlainValue,
                           ParamValue defaultValuePlain, int32 stepCount, int32 flags,
                           UnitID unitID)
: CurveParameter(title, tag, units, minPlainValue, maxPlainValue, stepCount, flags, unitID)
{
    initDefault(defaultValuePlain);
}

ParamValue LogParameter::toPlain(ParamValue normalized) const
{
    const float n = static_cast<float>(normalized);
    float a = 0.0f;
    if (n > 0.0f)
        a = static_cast<float>(std::log10(n) * kDecadesInverse + 1.0);
    return (maxPlain - minPlain) * a + minPlain;
}

ParamValue LogParameter::toNormalized(ParamValue plain) const
{
    const float l = static_cast<float>((plain - minPlain) / (maxPlain - minPlain));
    const float exponentBase = l - 1.0f;
    return static_cast<float>(std::pow(10.0, exponentBase / kDecadesInverse));
}

}  // namespace Rive2ZOD3
}  // namespace Vst
}  // namespace Steinberg
