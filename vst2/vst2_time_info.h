// The host's VST 2 time information (audioMasterGetTime) as the VST 3 process
// context of a block, so that a component sees the same transport under both
// entries: tempo, time signature, project position in samples and in quarter
// notes, bar start, cycle, and whether the host is playing or recording.
#pragma once

#include "vst2/vst2_abi.h"

#include "pluginterfaces/vst/ivstprocesscontext.h"

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

/// What the adapter asks audioMasterGetTime for (the value argument).
constexpr VstIntPtr kVst2TimeInfoRequest = kVstPpqPosValid | kVstTempoValid | kVstBarsValid
                                           | kVstCyclePosValid | kVstTimeSigValid | kVstClockValid
                                           | kVstNanosValid;

/// Fills `context` for one block. `info` is the host's answer (null when it has
/// none): each field counts only when the host marks it valid and it is a finite
/// number in range; without a tempo or time signature the context holds 120 and
/// 4/4, not marked valid, as VST 3 components expect some value there. The
/// project position falls back to `samplesSinceResume`, which is also the
/// continuous time. The SMPTE fields are left out: the header this adapter is
/// built on does not pin down where they sit in the record. [audio]
void processContextFromTimeInfo(const VstTimeInfo* info, double sampleRate,
                                int64 samplesSinceResume, ProcessContext& context);

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
