// VoltOctaveParameter: a control whose plain value is exponential in the
// normalized value (equal steps give equal ratios), computed with the
// fastLog2/fastPow2 approximations.
#pragma once

#include "vst3/parameters/curve_parameter.h"
#include "vst3/parameters/fast_math.h"

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

class VoltOctaveParameter : public CurveParameter
{
public:
    /// Requires 0 < minPlain < maxPlain; default and current value come from
    /// defaultValuePlain. [main]
    VoltOctaveParameter(const TChar* title, ParamID tag, const TChar* units, ParamValue minPlain,
                        ParamValue maxPlain, ParamValue defaultValuePlain, int32 stepCount,
                        int32 flags, UnitID unitID);

    /// About min * (max / min)^n. [any]
    ParamValue toPlain(ParamValue normalized) const override;
    /// About log2(plain / min) / log2(max / min); the minimum maps to -2.4e-7. [any]
    ParamValue toNormalized(ParamValue plain) const override;

    OBJ_METHODS(VoltOctaveParameter, CurveParameter)
};

}  // namespace Rive2ZOD3
}  // namespace Vst
}  // namespace Steinberg
