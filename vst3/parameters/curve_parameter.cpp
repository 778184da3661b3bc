#include "vst3/parameters/curve_parameter.h"

#include "pluginterfaces/base/ustring.h"
#include "sdk/utf8_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

CurveParameter::CurveParameter(const TChar* title, ParamID tag, const TChar* units,
                               ParamValue minPlainValue, ParamValue maxPlainValue,
                               int32 stepCount, int32 flags, UnitID unitID)
: minPlain(minPlainValue), maxPlain(maxPlainValue)
{
    if (title)
        UString(info.title, str16BufferSize(String128)).assign(title);
    if (units)
        UString(info.units, str16BufferSize(String128)).assign(units);
    info.stepCount = stepCount;
    info.flags = flags;
    info.id = tag;
    info.unitId = unitID;
}

void CurveParameter::initDefault(ParamValue defaultValuePlain)
{
    info.defaultNormalizedValue = valueNormalized = toNormalized(defaultValuePlain);
}

void CurveParameter::toString(ParamValue normalized, String128 text) const
{
    char utf8[128];
    std::snprintf(utf8, sizeof utf8, "%.*lf", static_cast<int>(precision), toPlain(normalized));
    utf8ToString128(utf8, text);
}

bool CurveParameter::fromString(const TChar* text, ParamValue& normalized) const
{
    char utf8[256];
    utf16ToUtf8(text, utf8, sizeof utf8);
    char* end = nullptr;
    const double plain = std::strtod(utf8, &end);
    // "nan" and "inf" parse, but no control has such a value.
    if (end == utf8 || !std::isfinite(plain))
        return false;
    // Limited to the range first, as the SDK's RangeParameter does: the curves
    // are not defined below the range (fastLog2 of a negative ratio).
    const ParamValue limited = plain < getMin() ? getMin() : (plain > getMax() ? getMax() : plain);
    const ParamValue n = toNormalized(limited);
    if (std::isnan(n))
        return false;
    normalized = n < 0.0 ? 0.0 : (n > 1.0 ? 1.0 : n);
    return true;
}

}  // namespace Rive2ZOD3
}  // namespace Vst
}  // namespace Steinberg
