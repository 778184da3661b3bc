// CurveParameter: the common base of the parameters whose plain value follows a
// fixed curve over a plain range (LogParameter, VoltOctaveParameter). It holds
// the range and the text conversions; the derived class supplies the curve.
#pragma once

#include "public.sdk/source/vst/vstparameters.h"

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

class CurveParameter : public Parameter
{
public:
    /// Writes toPlain(normalized) with the parameter's precision. [main]
    void toString(ParamValue normalized, String128 text) const override;
    /// Parses a number (as toString writes it), limits it to the plain range and
    /// answers its normalized value within 0..1; false, leaving normalized alone,
    /// for text that is no finite number. [main]
    bool fromString(const TChar* text, ParamValue& normalized) const override;

    /// Plain range, in the manner of the SDK's RangeParameter. [main]
    virtual ParamValue getMin() const { return minPlain; }
    virtual void setMin(ParamValue value) { minPlain = value; }
    virtual ParamValue getMax() const { return maxPlain; }
    virtual void setMax(ParamValue value) { maxPlain = value; }

    OBJ_METHODS(CurveParameter, Parameter)

protected:
    /// Fills the info except the default value, which the derived constructor
    /// sets through initDefault once its own toNormalized is in place.
    CurveParameter(const TChar* title, ParamID tag, const TChar* units, ParamValue minPlainValue,
                   ParamValue maxPlainValue, int32 stepCount, int32 flags, UnitID unitID);

    /// Default and current normalized value = toNormalized(defaultValuePlain).
    void initDefault(ParamValue defaultValuePlain);

    ParamValue minPlain;
    ParamValue maxPlain;
};

}  // namespace Rive2ZOD3
}  // namespace Vst
}  // namespace Steinberg
