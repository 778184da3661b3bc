// Processor: the host's parameter changes of a block, applied at its start on
// the audio thread: control values, the fixed parameters' actions and bypass.
#include "vst3/midi/param_update_queue.h"
#include "vst3/processor.h"
#include "vst3/processor_ids.h"

#include "pluginterfaces/vst/ivstparameterchanges.h"

#include <algorithm>
#include <cmath>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {
namespace {

// A MIDI data byte from a value 0..1: times 127, truncated.
uint32 midiByte(double v)
{
    return static_cast<uint32>(v * 127.0);
}

} // namespace

bool Processor::applyParameterChanges(ProcessData& data)
{
    IParameterChanges* changes = data.inputParameterChanges;
    const int32 queueCount = changes != nullptr ? changes->getParameterCount() : 0;
    bool changed = false;
    for (int32 k = 0; k < queueCount; ++k)
    {
        IParamValueQueue* queue = changes->getParameterData(k);
        if (queue == nullptr)
            continue;
        const int32 points = queue->getPointCount();
        if (points <= 0)
            continue;  // an empty queue carries nothing; the others still apply
        int32 offset = 0;
        ParamValue value = 0.0;
        if (queue->getPoint(points - 1, offset, value) != kResultOk || !std::isfinite(value))
            continue;
        value = std::min(std::max(value, 0.0), 1.0);
        changed = true;

        const ParamID id = queue->getParameterId();
        if (id < static_cast<ParamID>(controlCount()) && controls_[id] != nullptr)
        {
            CControlDescriptor& c = *controls_[id];
            const float linear = toLinear(c, value);
            if (sampleAccurate_ && id < updateQueues_.size() && updateQueues_[id] != nullptr)
            {
                updateQueues_[id]->prepare(queue, points, data.numSamples);
                c.paramUpdateQueue = updateQueues_[id].get();
            }
            else
            {
                c.paramUpdateQueue = nullptr;
            }
            plugIn_->setControlNormalized(id, linear, false);
        }
        else
        {
            applyFixedParameter(id, value);
        }
    }
    return changed;
}

void Processor::applyFixedParameter(ParamID id, double v)
{
    const double vf = static_cast<float>(v);  // the MIDI rows work on the value as float
    switch (id)
    {
    case ParamIds::kButton1:
    case ParamIds::kButton2:
    case ParamIds::kButton3:
        plugIn_->controlChanged(kButtonControlIdBase + (id - ParamIds::kButton1));
        break;
    case ParamIds::kJoystickX:
        plugIn_->setJoystickX(static_cast<float>(2.0 * v - 1.0), true);
        break;
    case ParamIds::kJoystickY:
        plugIn_->setJoystickY(static_cast<float>(2.0 * v - 1.0), true);
        break;
    case ParamIds::kBypass:
        bypass_ = v != 0.0;
        break;
    case ParamIds::kPitchBend:
    {
        const double b = 2.0 * vf - 1.0;
        const int32 bend = b == -1.0 ? -8192 : static_cast<int32>(b * 8191.0);
        plugIn_->pitchBend(0, bend, static_cast<float>(b));
        break;
    }
    case ParamIds::kModWheel:
        plugIn_->modWheel(0, midiByte(vf));
        break;
    case ParamIds::kMidiVolume:
        plugIn_->rawMidiMessage(0, 7, midiByte(vf), 0);
        break;
    case ParamIds::kMidiPan:
        plugIn_->rawMidiMessage(0, 10, midiByte(vf), 0);
        break;
    case ParamIds::kMidiExpression:
        plugIn_->rawMidiMessage(0, 11, midiByte(vf), 0);
        break;
    case ParamIds::kSustainPedal:
        plugIn_->rawMidiMessage(0, 64, vf > 0.5 ? 127 : 0, 0);
        break;
    case ParamIds::kChannelPressure:
        plugIn_->rawMidiMessage(0, 208, midiByte(vf), 0);
        break;
    case ParamIds::kAllNotesOff:
        plugIn_->noteOff(0, 0, 0, true);
        break;
    default:
        break;
    }
}

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
