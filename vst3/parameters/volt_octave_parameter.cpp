#include "vst3/parameters/volt_octave_parameter.h"

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

VoltOctaveParameter::VoltOctaveParameter(const TChar* title, ParamID tag, const TChar* units,
                                         ParamValue minPlainValue, ParamValue maxPlainValue,
                                         ParamValue defaultValuePlain, int32 stepCount,
                                         int32 flags, UnitID unitID)
: CurveParameter(title, tag, units, minPlainValue, maxPlainValue, stepCount, flags, unitID)
{
    initDefault(defaultValuePlain);
}

// The float roundings below are part of the curve: the component's own
// conversions use the same steps, so both agree to the bit.
ParamValue VoltOctaveParameter::toPlain(ParamValue normalized) const
{
    const float octaves = fastLog2(static_cast<float>(maxPlain / minPlain));
    const float t = fastPow2(static_cast<float>(octaves * normalized));
    const float u = static_cast<float>(t * minPlain);
    const float v = static_cast<float>((u - minPlain) / static_cast<float>(maxPlain - minPlain));
    return minPlain + (maxPlain - minPlain) * v;
}

ParamValue VoltOctaveParameter::toNormalized(ParamValue plain) const
{
    const float p = static_cast<float>(plain);
    const float position = fastLog2(static_cast<float>(p / minPlain));
    const float octaves = fastLog2(static_cast<float>(maxPlain / minPlain));
    return position / octaves;
}

}  // namespace Rive2ZOD3
}  // namespace Vst
}  // namespace Steinberg
