#include "vst2/vst2_time_info.h"

#include <cmath>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {
namespace {

bool has(const VstTimeInfo& info, int flag)
{
    return (info.flags & flag) != 0;
}

bool finite(double v)
{
    return std::isfinite(v);
}

} // namespace

void processContextFromTimeInfo(const VstTimeInfo* info, double sampleRate,
                                int64 samplesSinceResume, ProcessContext& context)
{
    context = ProcessContext {};
    context.sampleRate = sampleRate;
    context.tempo = 120.0;
    context.timeSigNumerator = 4;
    context.timeSigDenominator = 4;
    context.projectTimeSamples = samplesSinceResume;
    context.continousTimeSamples = samplesSinceResume;
    context.state = ProcessContext::kContTimeValid;
    if (info == nullptr)
        return;

    // Positions beyond what 64 bits hold are as broken as non-finite ones.
    if (finite(info->samplePos) && std::fabs(info->samplePos) < 9.0e18)
        context.projectTimeSamples = static_cast<int64>(info->samplePos);
    if (has(*info, kVstTransportPlaying))
        context.state |= ProcessContext::kPlaying;
    if (has(*info, kVstTransportRecording))
        context.state |= ProcessContext::kRecording;
    if (has(*info, kVstTransportCycleActive))
        context.state |= ProcessContext::kCycleActive;
    if (has(*info, kVstNanosValid) && finite(info->nanoSeconds)
        && std::fabs(info->nanoSeconds) < 9.0e18)
    {
        context.systemTime = static_cast<int64>(info->nanoSeconds);
        context.state |= ProcessContext::kSystemTimeValid;
    }
    if (has(*info, kVstPpqPosValid) && finite(info->ppqPos))
    {
        context.projectTimeMusic = info->ppqPos;
        context.state |= ProcessContext::kProjectTimeMusicValid;
    }
    if (has(*info, kVstTempoValid) && finite(info->tempo) && info->tempo > 0.0)
    {
        context.tempo = info->tempo;
        context.state |= ProcessContext::kTempoValid;
    }
    if (has(*info, kVstBarsValid) && finite(info->barStartPos))
    {
        context.barPositionMusic = info->barStartPos;
        context.state |= ProcessContext::kBarPositionValid;
    }
    if (has(*info, kVstCyclePosValid) && finite(info->cycleStartPos) && finite(info->cycleEndPos))
    {
        context.cycleStartMusic = info->cycleStartPos;
        context.cycleEndMusic = info->cycleEndPos;
        context.state |= ProcessContext::kCycleValid;
    }
    if (has(*info, kVstTimeSigValid) && info->timeSigNumerator > 0 && info->timeSigDenominator > 0)
    {
        context.timeSigNumerator = info->timeSigNumerator;
        context.timeSigDenominator = info->timeSigDenominator;
        context.state |= ProcessContext::kTimeSigValid;
    }
    if (has(*info, kVstClockValid))
    {
        context.samplesToNextClock = info->samplesToNextClock;
        context.state |= ProcessContext::kClockValid;
    }
}

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
