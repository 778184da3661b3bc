// The component state stream: version (int64), one field per control in list
// order (int32, float, double or uint32 by the control's data type), bypass
// (int16) and, from version 1 on, the joystick X and Y (floats); little-endian.
// Reading checks the whole stream before anything is applied.
#pragma once

#include "pluginterfaces/base/ibstream.h"

#include <cstdint>
#include <vector>

class CPlugIn;

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

/// What the stream holds for one control position.
struct StateField
{
    int32_t dataType = 4;  ///< 0 int32, 1 float, 2 double, 3 uint32; anything else: no field
    float minValue = 0.0f;
    float maxValue = 0.0f;
};

/// The decoded content of a stream, or the content to write.
struct StateValues
{
    int64 version = 1;
    std::vector<float> controls;  ///< plain value per control position (unused where no field)
    bool bypass = false;
    bool hasJoystick = true;
    float joystickX = 0.0f;
    float joystickY = 0.0f;
};

/// The stream's layout for a plug-in: one StateField per control position. [main]
std::vector<StateField> stateLayoutOf(const CPlugIn& plugIn);

/// Reads and checks a whole stream. False (values unspecified) when the stream is cut
/// short or holds a non-finite number; finite values are clamped to their range;
/// anything after the last field is ignored. [main]
bool readComponentState(IBStream* stream, const std::vector<StateField>& layout, StateValues& out);

/// Writes a stream of version 1 from the values; false as soon as a write fails. [main]
bool writeComponentState(IBStream* stream, const std::vector<StateField>& layout,
                         const StateValues& values);

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
