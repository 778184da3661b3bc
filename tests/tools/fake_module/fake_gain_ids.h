#pragma once

// Identifiers shared by the fake gain module's processor, controller and factory, and
// by the tests that load it.
#include "pluginterfaces/base/funknown.h"
#include "pluginterfaces/vst/vsttypes.h"

namespace fake_gain {

constexpr Steinberg::Vst::ParamID kGainId = 0;     // 0..2 plain, normalised × 2
constexpr Steinberg::Vst::ParamID kLevelId = 1;    // read-only: output peak of the last block
constexpr Steinberg::Vst::ParamID kPositionId = 2; // read-only: projectTimeSamples / 1e7
constexpr Steinberg::Vst::ParamID kEventsId = 3;   // read-only: input event count / 100
constexpr Steinberg::Vst::ParamID kProgramId = 100;
constexpr Steinberg::int32 kLatency = 5;
constexpr float kProgramGains[] = {1.0f, 0.5f, 0.0f}; // "Unity", "Half", "Mute"

static const Steinberg::FUID kProcessorUid(0x1A2B3C4D, 0x11112222, 0x33334444, 0x55556666);
static const Steinberg::FUID kControllerUid(0x1A2B3C4D, 0x77778888, 0x9999AAAA, 0xBBBBCCCC);

} // namespace fake_gain
