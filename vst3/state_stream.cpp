#include "vst3/state_stream.h"

#include "framework/plugin.h"

#include "base/source/fstreamer.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {
namespace {

bool hasField(const StateField& f)
{
    return f.dataType >= kDataInt && f.dataType <= kDataUInt;
}

// Clamps a finite value into [lo, hi] in double, so that a double beyond the
// float range cannot become infinite on the way.
float clampToRange(double v, float lo, float hi)
{
    const double a = std::min(lo, hi);
    const double b = std::max(lo, hi);
    return static_cast<float>(std::min(std::max(v, a), b));
}

// Truncates toward zero with saturation: the cast alone is undefined out of range.
template <typename Int>
Int truncateSaturated(float v)
{
    const double lo = static_cast<double>(std::numeric_limits<Int>::min());
    const double hi = static_cast<double>(std::numeric_limits<Int>::max());
    const double t = std::trunc(static_cast<double>(v));
    if (!(t > lo))
        return std::numeric_limits<Int>::min();
    if (t >= hi)
        return std::numeric_limits<Int>::max();
    return static_cast<Int>(t);
}

} // namespace

std::vector<StateField> stateLayoutOf(const CPlugIn& plugIn)
{
    std::vector<StateField> layout;
    const int32_t count = plugIn.m_controls.count();
    layout.resize(static_cast<size_t>(count > 0 ? count : 0));
    for (int32_t i = 0; i < count; ++i)
    {
        const CControlDescriptor* c = plugIn.m_controls.at(i);
        if (c == nullptr)
            continue;
        layout[static_cast<size_t>(i)] = StateField {c->dataType, c->minValue, c->maxValue};
    }
    return layout;
}

bool readComponentState(IBStream* stream, const std::vector<StateField>& layout, StateValues& out)
{
    if (stream == nullptr)
        return false;
    IBStreamer s(stream, kLittleEndian);
    if (!s.readInt64(out.version))
        return false;
    out.controls.assign(layout.size(), 0.0f);
    for (size_t i = 0; i < layout.size(); ++i)
    {
        const StateField& f = layout[i];
        if (!hasField(f))
            continue;
        double v = 0.0;
        switch (f.dataType)
        {
        case kDataInt:
        {
            int32 x = 0;
            if (!s.readInt32(x))
                return false;
            v = x;
            break;
        }
        case kDataFloat:
        {
            float x = 0.0f;
            if (!s.readFloat(x))
                return false;
            v = x;
            break;
        }
        case kDataDouble:
        {
            double x = 0.0;
            if (!s.readDouble(x))
                return false;
            v = x;
            break;
        }
        default:
        {
            uint32 x = 0;
            if (!s.readInt32u(x))
                return false;
            v = x;
            break;
        }
        }
        if (!std::isfinite(v))
            return false;
        out.controls[i] = clampToRange(v, f.minValue, f.maxValue);
    }

    int16 bypass = 0;
    if (!s.readInt16(bypass))
        return false;
    out.bypass = bypass != 0;

    out.hasJoystick = static_cast<uint64_t>(out.version) >= 1;
    if (out.hasJoystick)
    {
        float x = 0.0f;
        float y = 0.0f;
        if (!s.readFloat(x) || !s.readFloat(y))
            return false;
        if (!std::isfinite(x) || !std::isfinite(y))
            return false;
        out.joystickX = clampToRange(x, -1.0f, 1.0f);
        out.joystickY = clampToRange(y, -1.0f, 1.0f);
    }
    return true;
}

bool writeComponentState(IBStream* stream, const std::vector<StateField>& layout,
                         const StateValues& values)
{
    if (stream == nullptr)
        return false;
    IBStreamer s(stream, kLittleEndian);
    if (!s.writeInt64(1))
        return false;
    for (size_t i = 0; i < layout.size(); ++i)
    {
        const float v = i < values.controls.size() ? values.controls[i] : 0.0f;
        bool ok = true;
        switch (layout[i].dataType)
        {
        case kDataInt:
            ok = s.writeInt32(truncateSaturated<int32>(v));
            break;
        case kDataFloat:
            ok = s.writeFloat(v);
            break;
        case kDataDouble:
            ok = s.writeDouble(static_cast<double>(v));
            break;
        case kDataUInt:
            ok = s.writeInt32u(truncateSaturated<uint32>(v));
            break;
        default:
            break;
        }
        if (!ok)
            return false;
    }
    return s.writeInt16(values.bypass ? 1 : 0) && s.writeFloat(values.joystickX)
           && s.writeFloat(values.joystickY);
}

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
