#include "vst3/parameters/peak_parameter.h"

#include "pluginterfaces/base/ustring.h"
#include "sdk/utf8_text.h"

#include <cmath>
#include <cstdio>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

PeakParameter::PeakParameter(int32 flags, ParamID tag, const TChar* title)
{
    if (title)
        UString(info.title, str16BufferSize(String128)).assign(title);
    info.flags = flags;
    info.id = tag;
    info.stepCount = 0;
    info.defaultNormalizedValue = 0.5;
    info.unitId = kRootUnitId;
    setNormalized(1.0);
}

void PeakParameter::toString(ParamValue normalized, String128 text) const
{
    char utf8[64];
    if (normalized > 0.0001)
    {
        const float decibels = 20.0f * std::log10(static_cast<float>(normalized));
        std::snprintf(utf8, sizeof utf8, "%.3f", static_cast<double>(decibels));
    }
    else
        std::snprintf(utf8, sizeof utf8, "%s", "-\xE2\x88\x9E");  // "-" and U+221E INFINITY
    utf8ToString128(utf8, text);
}

bool PeakParameter::fromString(const TChar* /*text*/, ParamValue& /*normalized*/) const
{
    return false;
}

}  // namespace Rive2ZOD3
}  // namespace Vst
}  // namespace Steinberg
