// Fixed identities of the module: the class ID of the one class and the
// parameter IDs that do not come from a control position. Parameter IDs are
// stored by hosts in sessions and automation, so none of these may change.
#pragma once

#include "product_identity.h"

#include "pluginterfaces/base/funknown.h"
#include "pluginterfaces/vst/vsttypes.h"

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

/// The class ID as an FUID built from the product's four words, laid out in this
/// platform's byte order, which is what hosts on this platform exchange. [any]
inline FUID processorClassId()
{
    const auto& words = ProductIdentity::kClassIdWords;
    return FUID(words[0], words[1], words[2], words[3]);
}

namespace ParamIds {
constexpr ParamID kButton1 = 32768;
constexpr ParamID kButton2 = 32769;
constexpr ParamID kButton3 = 32770;
constexpr ParamID kJoystickX = 32773;
constexpr ParamID kJoystickY = 32774;
constexpr ParamID kPitchBend = 2048;
constexpr ParamID kModWheel = 2049;
constexpr ParamID kMidiVolume = 2050;
constexpr ParamID kMidiPan = 2051;
constexpr ParamID kMidiExpression = 2052;
constexpr ParamID kSustainPedal = 2053;
constexpr ParamID kChannelPressure = 2054;
constexpr ParamID kAllNotesOff = 2055;
constexpr ParamID kBypass = 2056;
constexpr ParamID kFactoryPresets = 0x70727374;  ///< "prst"
} // namespace ParamIds

namespace UnitIds {
constexpr UnitID kRootUnit = 1;      ///< "RootUnit", parent 0
constexpr UnitID kPresetsUnit = 0;   ///< "PresetsUnit", parent 1, owns the program list
} // namespace UnitIds

/// The controls' IDs 50..52 that the three assignable buttons announce.
constexpr uint32 kButtonControlIdBase = 50;

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
