#include "fake_gain_processor.h"

#include "base/source/fstreamer.h"
#include "pluginterfaces/vst/ivstevents.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"

#include <cmath>

namespace fake_gain {

using namespace Steinberg;
using namespace Steinberg::Vst;

Processor::Processor()
{
    setControllerClass(kControllerUid);
}

tresult PLUGIN_API Processor::initialize(FUnknown* context)
{
    const tresult result = Component::initialize(context);
    if (result == kResultOk) {
        audioInputs.push_back(owned(new AudioBus(STR16("In"), kMain, BusInfo::kDefaultActive, SpeakerArr::kStereo)));
        audioOutputs.push_back(owned(new AudioBus(STR16("Out"), kMain, BusInfo::kDefaultActive, SpeakerArr::kStereo)));
        eventInputs.push_back(owned(new EventBus(STR16("Events"), kMain, BusInfo::kDefaultActive, 16)));
    }
    return result;
}

tresult PLUGIN_API Processor::setState(IBStream* state)
{
    IBStreamer s(state, kLittleEndian);
    char magic[4] {};
    float gain = 0;
    if (s.readRaw(magic, 4) != 4 || magic[0] != 'F' || magic[1] != 'G' || magic[2] != 'N' || magic[3] != '1'
        || !s.readFloat(gain))
        return kResultFalse;
    gain_ = gain;
    return kResultOk;
}

tresult PLUGIN_API Processor::getState(IBStream* state)
{
    IBStreamer s(state, kLittleEndian);
    char magic[4] = {'F', 'G', 'N', '1'};
    return s.writeRaw(magic, 4) == 4 && s.writeFloat(gain_) ? kResultOk : kResultFalse;
}

tresult PLUGIN_API Processor::setActive(TBool state)
{
    if (state) {
        for (auto& channel : delay_)
            for (float& v : channel)
                v = 0.0f;
        delayPos_ = 0;
    }
    return kResultOk;
}

tresult PLUGIN_API Processor::setBusArrangements(SpeakerArrangement* inputs, int32 numIns, SpeakerArrangement* outputs,
                                                 int32 numOuts)
{
    if (numIns != 1 || numOuts != 1 || inputs[0] != outputs[0]
        || (inputs[0] != SpeakerArr::kStereo && inputs[0] != SpeakerArr::kMono))
        return kResultFalse;
    arrangement_ = inputs[0];
    return kResultTrue;
}

tresult PLUGIN_API Processor::getBusArrangement(BusDirection, int32 index, SpeakerArrangement& arr)
{
    if (index != 0)
        return kInvalidArgument;
    arr = arrangement_;
    return kResultOk;
}

tresult PLUGIN_API Processor::canProcessSampleSize(int32 size)
{
    return size == kSample32 ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API Processor::setupProcessing(ProcessSetup& setup)
{
    return setup.symbolicSampleSize == kSample32 ? kResultOk : kResultFalse;
}

void Processor::applyChanges(IParameterChanges* changes)
{
    if (changes == nullptr)
        return;
    for (int32 i = 0; i < changes->getParameterCount(); ++i) {
        IParamValueQueue* queue = changes->getParameterData(i);
        int32 offset = 0;
        ParamValue value = 0;
        if (queue == nullptr || queue->getPoint(queue->getPointCount() - 1, offset, value) != kResultOk)
            continue;
        if (queue->getParameterId() == kGainId)
            gain_ = static_cast<float>(value * 2.0);
        else if (queue->getParameterId() == kProgramId)
            gain_ = kProgramGains[static_cast<int>(std::lround(value * 2.0))];
    }
}

tresult PLUGIN_API Processor::process(ProcessData& data)
{
    applyChanges(data.inputParameterChanges);
    float peak = 0.0f;
    if (data.numInputs > 0 && data.numOutputs > 0 && data.numSamples > 0) {
        const int32 channels = data.outputs[0].numChannels;
        int pos = delayPos_;
        for (int32 i = 0; i < data.numSamples; ++i) {
            for (int32 c = 0; c < channels && c < 2; ++c) {
                const float in = data.inputs[0].channelBuffers32[c][i];
                const float out = delay_[c][pos] * gain_;
                delay_[c][pos] = in;
                data.outputs[0].channelBuffers32[c][i] = out;
                peak = std::fmax(peak, std::fabs(out));
            }
            pos = (pos + 1) % kLatency;
        }
        delayPos_ = pos;
    }
    if (IParameterChanges* out = data.outputParameterChanges) {
        int32 index = 0;
        if (IParamValueQueue* q = out->addParameterData(kLevelId, index))
            q->addPoint(0, peak, index);
        if (data.processContext != nullptr)
            if (IParamValueQueue* q = out->addParameterData(kPositionId, index))
                q->addPoint(0, static_cast<double>(data.processContext->projectTimeSamples) / 1e7, index);
        const int32 events = data.inputEvents != nullptr ? data.inputEvents->getEventCount() : 0;
        if (IParamValueQueue* q = out->addParameterData(kEventsId, index))
            q->addPoint(0, events / 100.0, index);
    }
    return kResultOk;
}

} // namespace fake_gain
