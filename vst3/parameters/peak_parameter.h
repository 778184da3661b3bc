// PeakParameter: a read-only meter value, shown in decibels. The host cannot
// set it from text.
#pragma once

#include "public.sdk/source/vst/vstparameters.h"

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

class PeakParameter : public Parameter
{
public:
    /// Meter parameter with the identity conversions, default 0.5, starting at
    /// 1.0; the wrapper passes kIsReadOnly as flags. [main]
    PeakParameter(int32 flags, ParamID tag, const TChar* title);

    /// 20 log10(n) with three decimals, or "-∞" at and below 0.0001. [main]
    void toString(ParamValue normalized, String128 text) const override;
    /// Always false: meters are not set from text. [main]
    bool fromString(const TChar* text, ParamValue& normalized) const override;

    OBJ_METHODS(PeakParameter, Parameter)
};

}  // namespace Rive2ZOD3
}  // namespace Vst
}  // namespace Steinberg
