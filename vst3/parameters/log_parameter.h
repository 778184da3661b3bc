// LogParameter: a control whose plain value follows a logarithmic curve of the
// normalized value, spanning 2.4 decades (the minimum sits at 10^-2.4).
#pragma once

#include "vst3/parameters/curve_parameter.h"

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

class LogParameter : public CurveParameter
{
public:
    /// Requires minPlain < maxPlain; default and current value come from
    /// defaultValuePlain. [main]
    LogParameter(const TChar* title, ParamID tag, const TChar* units, ParamValue minPlain,
                 ParamValue maxPlain, ParamValue defaultValuePlain, int32 stepCount, int32 flags,
                 UnitID unitID);

    /// (max - min) * (log10(n) / 2.4 + 1) + min, not clamped: n below 10^-2.4
    /// gives values below the minimum; n <= 0 gives the minimum. [any]
    ParamValue toPlain(ParamValue normalized) const override;
    /// 10^((l - 1) * 2.4) with l the linear position of plain in the range. [any]
    ParamValue toNormalized(ParamValue plain) const override;

    OBJ_METHODS(LogParameter, CurveParameter)
};

}  // namespace Rive2ZOD3
}  // namespace Vst
}  // namespace Steinberg
