// Vst2Adapter: parameter values between the host, the processor and the
// controller, activation and processReplacing.
#include "vst2/vst2_adapter.h"
#include "vst2/vst2_time_info.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {
namespace {

void clearOutputs(float** outputs, int32 channels, int numSamples)
{
    for (int32 c = 0; c < channels; ++c)
        if (outputs[c] != nullptr)
            std::memset(outputs[c], 0, sizeof(float) * static_cast<size_t>(numSamples));
}

} // namespace

void Vst2Adapter::setParameter(int index, float value)
{
    if (index < 0 || index >= parameterMap_.count() || !std::isfinite(value))
        return;
    value = value < 0.0f ? 0.0f : (value > 1.0f ? 1.0f : value);
    pending_.post(index, value, true);
}

float Vst2Adapter::getParameter(int index) const
{
    if (index < 0 || index >= parameterMap_.count())
        return 0.0f;
    return pending_.value(index);
}

void Vst2Adapter::setBypass(bool on)
{
    if (parameterMap_.hasBypass())
        pending_.post(bypassSlot(), on ? 1.0f : 0.0f, true);
}

void Vst2Adapter::flushToController()
{
    for (int32 slot = 0; slot < pending_.slotCount(); ++slot)
    {
        float value = 0.0f;
        if (!pending_.takeForController(slot, value))
            continue;
        ParamID id = 0;
        if (slot == bypassSlot())
            id = parameterMap_.bypassId();
        else if (!parameterMap_.idOf(slot, id))
            continue;
        controller_->setParamNormalized(id, value);
    }
}

void Vst2Adapter::reloadFromController()
{
    // A value still on its way to the controller is newer than what it holds.
    for (int32 index = 0; index < parameterMap_.count(); ++index)
    {
        ParamID id = 0;
        if (parameterMap_.idOf(index, id) && !pending_.pendingForController(index))
            pending_.mirror(index, static_cast<float>(controller_->getParamNormalized(id)));
    }
    if (parameterMap_.hasBypass() && !pending_.pendingForController(bypassSlot()))
        pending_.mirror(bypassSlot(), static_cast<float>(controller_->getParamNormalized(parameterMap_.bypassId())));
}

void Vst2Adapter::applySetup()
{
    ProcessSetup setup {};
    setup.processMode = kRealtime;
    setup.symbolicSampleSize = kSample32;
    setup.maxSamplesPerBlock = blockSize_;
    setup.sampleRate = sampleRate_;
    processor_->setupProcessing(setup);
}

void Vst2Adapter::setMains(bool on)
{
    if (on == active_)
        return;
    if (on)
    {
        applySetup();
        component_->setActive(true);
        processor_->setProcessing(true);
        samplesSinceResume_ = 0;
        active_ = true;
    }
    else
    {
        processor_->setProcessing(false);
        component_->setActive(false);
        active_ = false;
    }
}

void Vst2Adapter::collectChanges()
{
    inputChanges_.clear();
    for (int32 slot = 0; slot < pending_.slotCount(); ++slot)
    {
        float value = 0.0f;
        if (!pending_.takeForProcessor(slot, value))
            continue;
        ParamID id = 0;
        if (slot == bypassSlot())
        {
            if (!parameterMap_.hasBypass())
                continue;
            id = parameterMap_.bypassId();
        }
        else if (!parameterMap_.idOf(slot, id))
        {
            continue;
        }
        inputChanges_.set(id, value);
    }
}

void Vst2Adapter::receiveEvents(const VstEvents* events)
{
    // Each call replaces what an earlier one left for the next block.
    events_.clear();
    midiChanges_.clear();
    if (events == nullptr)
        return;
    for (int i = 0; i < events->numEvents; ++i)
    {
        const VstEvent* e = events->events[i];
        if (e == nullptr || e->type != kVstMidiType)
            continue;
        const auto& midi = *reinterpret_cast<const VstMidiEvent*>(e);
        ParamID id = kNoParamId;
        ParamValue value = 0.0;
        if (midiControllers_.route(midi, id, value))
        {
            midiChanges_.set(id, value, midi.deltaFrames);
            continue;
        }
        Event converted {};
        if (convertMidiEvent(midi, converted))
            events_.insert(converted);
    }
}

void Vst2Adapter::mergeMidiChanges(int32 numSamples)
{
    const int32 last = std::max(numSamples - 1, 0);
    for (int32 q = 0; q < midiChanges_.getParameterCount(); ++q)
    {
        IParamValueQueue* queue = midiChanges_.getParameterData(q);
        const ParamID id = queue->getParameterId();
        int32 offset = 0;
        ParamValue value = 0.0;
        for (int32 p = 0; p < queue->getPointCount(); ++p)
            if (queue->getPoint(p, offset, value) == kResultOk)
                inputChanges_.set(id, value, std::min(std::max(offset, 0), last));
        // The controller (and the host reading the parameter) follows on the
        // next idle with the value the block ends on; the processor has it now.
        if (queue->getPointCount() > 0)
            pending_.postForController(parameterMap_.indexOf(id), static_cast<float>(value));
    }
    midiChanges_.clear();
}

void Vst2Adapter::flushToProcessorWhileInactive()
{
    if (active_)
        return;  // the audio thread takes them with its next block
    collectChanges();
    if (inputChanges_.getParameterCount() == 0)
        return;
    ProcessData data;
    data.processMode = kRealtime;
    data.symbolicSampleSize = kSample32;
    data.numSamples = 0;
    data.inputParameterChanges = &inputChanges_;
    processor_->process(data);
    inputChanges_.clear();
}

void Vst2Adapter::processReplacing(float** inputs, float** outputs, int numSamples)
{
    if (numSamples <= 0 || outputs == nullptr)
        return;
    if (!active_ || inputs == nullptr)
    {
        // Not resumed: nothing may be prepared here, so the block is silent.
        clearOutputs(outputs, effect_.numOutputs, numSamples);
        events_.clear();
        midiChanges_.clear();
        return;
    }

    collectChanges();
    mergeMidiChanges(numSamples);
    outputChanges_.clear();
    events_.clampOffsets(numSamples);
    const auto* time = reinterpret_cast<const VstTimeInfo*>(
        callHost(audioMasterGetTime, 0, kVst2TimeInfoRequest));
    processContextFromTimeInfo(time, sampleRate_, samplesSinceResume_, context_);

    AudioBusBuffers in {};
    in.numChannels = effect_.numInputs;
    in.channelBuffers32 = inputs;
    AudioBusBuffers out {};
    out.numChannels = effect_.numOutputs;
    out.channelBuffers32 = outputs;

    ProcessData data;
    data.processMode = kRealtime;
    data.symbolicSampleSize = kSample32;
    data.numSamples = numSamples;
    data.numInputs = 1;
    data.numOutputs = 1;
    data.inputs = &in;
    data.outputs = &out;
    data.inputParameterChanges = &inputChanges_;
    data.outputParameterChanges = &outputChanges_;
    data.inputEvents = &events_;
    data.processContext = &context_;
    if (processor_->process(data) != kResultOk)
        clearOutputs(outputs, effect_.numOutputs, numSamples);
    events_.clear();
    samplesSinceResume_ += numSamples;
}

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
