// Processor: the audio path. Everything here runs on the host's audio thread
// and neither locks nor allocates.
#include "vst3/midi/midi_event_delivery.h"
#include "vst3/midi/midi_event_list.h"
#include "vst3/midi/param_update_queue.h"
#include "vst3/processor.h"

#include "pluginterfaces/vst/ivstevents.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"
#include "pluginterfaces/vst/vstspeaker.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <xmmintrin.h>
#endif

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {
namespace {

// Two shared silent channels that stand in for an instrument's input.
float gSilence[2][32] = {};
float* gSilentInputs[2] = {gSilence[0], gSilence[1]};

// Flushes denormals to zero (FTZ and DAZ) for the scope of a process call and
// restores the host's setting afterwards.
class DenormalGuard
{
public:
#if defined(__x86_64__) || defined(__i386__)
    DenormalGuard() : m_saved(_mm_getcsr()) { _mm_setcsr(m_saved | 0x8040u); }
    ~DenormalGuard() { _mm_setcsr(m_saved); }

private:
    unsigned int m_saved;
#endif
};

} // namespace

tresult PLUGIN_API Processor::process(ProcessData& data)
{
    if (plugIn_ == nullptr)
        return kResultFalse;
    DenormalGuard denormals;

    // Main-thread writes first, then the host's changes of this block on top.
    drainMailbox();
    applyParameterChanges(data);

    AudioBusBuffers* in = data.numInputs > 0 ? data.inputs : nullptr;
    AudioBusBuffers* out = data.numOutputs > 0 ? data.outputs : nullptr;
    const bool buffersMissing = out == nullptr || out->channelBuffers32 == nullptr
                                || (!isInstrument() && (in == nullptr || in->channelBuffers32 == nullptr));
    if (data.numSamples <= 0 || buffersMissing || data.symbolicSampleSize != kSample32)
    {
        // Nothing to play: the changes are applied, the audio is left alone.
        releaseUpdateQueues();
        publishCurrentValues();
        return data.symbolicSampleSize == kSample32 ? kResultOk : kResultFalse;
    }

    SpeakerArrangement arr = 0;
    getBusArrangement(kOutput, 0, arr);
    uint32 channels = channelsOf(arr);
    channels = std::min<uint32>(channels, 2);
    channels = std::min<uint32>(channels, static_cast<uint32>(std::max(out->numChannels, 0)));
    if (!isInstrument())
        channels = std::min<uint32>(channels, static_cast<uint32>(std::max(in->numChannels, 0)));

    HostInfo info;
    HostMessage message;
    const double timeStep = plugIn_->m_nSampleRate > 0 ? 1.0 / plugIn_->m_nSampleRate : 0.0;
    if (data.processContext != nullptr)
    {
        const ProcessContext& ctx = *data.processContext;
        info.samplePosition = static_cast<uint64_t>(static_cast<uint32_t>(ctx.projectTimeSamples));
        info.seconds = static_cast<double>(info.samplePosition) * timeStep;
        info.tempo = ctx.tempo;
        info.timeSigNumerator = static_cast<float>(ctx.timeSigNumerator);
        info.timeSigDenominator = ctx.timeSigDenominator;
        message.hostInfo = &info;
        message.updateCount = -1;
        plugIn_->receiveHostMessage(CPlugIn::kTransport, &message);
    }

    const bool bypassed = !isInstrument() && bypass_;
    bypassFade_.setBypassed(bypassed);
    processFrames(data, channels, info, message, timeStep);
    writeMeters(data, bypassed || plugIn_->m_bProcessBuffers);
    releaseUpdateQueues();
    publishCurrentValues();
    return kResultOk;
}

void Processor::processFrames(ProcessData& data, uint32 channels, HostInfo& info,
                              HostMessage& message, double timeStep)
{
    IEventList* events = data.inputEvents;
    const int32 eventCount = events != nullptr ? events->getEventCount() : 0;
    if (midiEventList_ != nullptr)
        midiEventList_->bind(events);

    AudioBus* aux = sidechainEnabled_ ? audioBus(kInput, 1) : nullptr;
    const bool auxActive = aux != nullptr && aux->isActive() && data.numInputs > 1
                           && data.inputs[1].channelBuffers32 != nullptr;
    AuxInputInfo auxInfo;
    float** dst = data.outputs[0].channelBuffers32;
    float** src = isInstrument() ? nullptr : data.inputs[0].channelBuffers32;
    const int32 n = data.numSamples;
    // While only the plug-in's output plays, the dry delay line just keeps the input's
    // history; it is fed before anything is written, as the host may process in place.
    // Otherwise each piece of the block takes its dry frames as it goes (runWithFade).
    const bool wetOnly = isInstrument() || bypassFade_.wetOnly();
    if (!isInstrument() && wetOnly)
        bypassDelay_.feed(src, channels, static_cast<uint32>(n));

    if (plugIn_->m_bProcessBuffers)
    {
        if (auxActive)
        {
            auxInfo.valid = true;
            auxInfo.channelCount = data.inputs[1].numChannels;
            auxInfo.channelBuffers = data.inputs[1].channelBuffers32;
            plugIn_->receiveSideChain(&auxInfo);
        }
        // The shared silence is 32 samples long; a longer instrument block gets
        // its output buffers, cleared, as its silent input.
        float** inputs = src;
        if (isInstrument())
        {
            inputs = gSilentInputs;
            if (n > 32)
            {
                for (uint32 c = 0; c < channels; ++c)
                    std::memset(dst[c], 0, sizeof(float) * static_cast<size_t>(n));
                inputs = dst;
            }
        }
        if (wetOnly)
        {
            plugIn_->processBuffers(inputs, dst, channels, static_cast<uint32_t>(n));
            return;
        }
        for (int32 first = 0; first < n; first += kFadePiece)
        {
            const int32 count = std::min(kFadePiece, n - first);
            float* in[2] = {};
            float* out[2] = {};
            for (uint32 c = 0; c < channels && c < 2; ++c)
            {
                in[c] = inputs[c] + first;
                out[c] = dst[c] + first;
            }
            bypassDelay_.process(src, first, static_cast<uint32>(count), dryFrames_, channels);
            plugIn_->processBuffers(in, out, channels, static_cast<uint32_t>(count));
            bypassFade_.mix(dryFrames_, dst, channels, first, count);
        }
        return;
    }

    float auxFrame[2] = {0.0f, 0.0f};
    Event event {};
    int32 readPosition = 0;
    bool pending = eventCount >= 1 && events->getEvent(0, event) == kResultOk;
    HostMessage perFrame;
    perFrame.hostInfo = message.hostInfo;
    perFrame.updateCount = message.updateCount;
    FrameRun run;
    run.inputs = src;
    run.outputs = dst;
    run.channels = channels;
    run.hostInfo = &info;
    run.transport = &perFrame;
    run.timeStep = timeStep;

    // Frame by frame, as far as MIDI events and side-chain frames need it; the frames
    // between them go to the plug-in as one run.
    for (int32 i = 0; i < n;)
    {
        if (auxActive)
        {
            const AudioBusBuffers& bus = data.inputs[1];
            auxFrame[0] = bus.channelBuffers32[0][i];
            if (bus.numChannels == 2)
                auxFrame[1] = bus.channelBuffers32[1][i];
            auxInfo.valid = true;
            auxInfo.channelCount = bus.numChannels;
            auxInfo.frame = auxFrame;
            plugIn_->receiveSideChain(&auxInfo);
        }
        // Events come in list order. One listed out of order, or past the block's
        // end, is delivered as soon as its frame has come (at the latest on the
        // last frame) rather than dropped with everything after it: a lost note-off
        // would leave a note hanging.
        while (pending && (event.sampleOffset <= i || i + 1 == n))
        {
            handleMidiEvent(plugIn_, event);
            ++readPosition;
            pending = events->getEvent(readPosition, event) == kResultOk;
        }
        // A pending event lies after frame i and before the last frame.
        int32 stop = n;
        if (auxActive)
            stop = i + 1;
        else if (pending)
            stop = std::min(event.sampleOffset, n - 1);
        run.first = i;
        run.count = stop - i;
        if (wetOnly)
            plugIn_->processFrameRun(run);
        else
            runWithFade(run);
        i = stop;
    }
}

void Processor::runWithFade(FrameRun& run)
{
    const int32 end = run.first + run.count;
    for (int32 first = run.first; first < end; first += kFadePiece)
    {
        const int32 count = std::min(kFadePiece, end - first);
        bypassDelay_.process(run.inputs, first, static_cast<uint32>(count), dryFrames_, run.channels);
        run.first = first;
        run.count = count;
        plugIn_->processFrameRun(run);
        bypassFade_.mix(dryFrames_, run.outputs, run.channels, first, count);
    }
}

void Processor::writeMeters(ProcessData& data, bool zero)
{
    if (plugIn_ == nullptr || data.outputParameterChanges == nullptr)
        return;
    for (size_t k = 0; k < meterControls_.size(); ++k)
    {
        const int32 position = meterControls_[k];
        const CControlDescriptor* c = position >= 0 && position < controlCount()
                                          ? controls_[static_cast<size_t>(position)]
                                          : nullptr;
        if (c == nullptr)
            continue;
        int32 queueIndex = 0;
        IParamValueQueue* queue =
            data.outputParameterChanges->addParameterData(static_cast<ParamID>(position), queueIndex);
        if (queue == nullptr || c->meterVariable == nullptr)
            continue;
        int32 pointIndex = 0;
        queue->addPoint(static_cast<int32>(k), zero ? 0.0 : *c->meterVariable, pointIndex);
    }
}

void Processor::releaseUpdateQueues()
{
    for (auto& q : updateQueues_)
        if (q != nullptr)
            q->release();
}

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
