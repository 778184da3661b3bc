// Processor: the component state, program changes, the linked-control pass and
// the main thread's hand-over of values to the audio thread.
#include "vst3/processor.h"
#include "vst3/processor_ids.h"

#include <cmath>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

tresult Processor::getProcessorState(IBStream* state)
{
    StateValues values;
    values.controls.resize(controls_.size());
    for (int32 i = 0; i < controlCount(); ++i)
        values.controls[static_cast<size_t>(i)] = mailbox_.read(i);
    values.bypass = mailbox_.read(bypassSlot()) != 0.0f;
    values.joystickX = mailbox_.read(joystickXSlot());
    values.joystickY = mailbox_.read(joystickYSlot());
    return writeComponentState(state, stateLayout_, values) ? kResultOk : kResultFalse;
}

tresult Processor::setProcessorState(IBStream* state)
{
    StateValues values;
    if (plugIn_ == nullptr || !readComponentState(state, stateLayout_, values))
        return kResultFalse;
    beginMainWrites();
    for (int32 i = 0; i < controlCount(); ++i)
    {
        const StateField& f = stateLayout_[static_cast<size_t>(i)];
        if (f.dataType >= kDataInt && f.dataType <= kDataUInt)
            postControlPlain(i, values.controls[static_cast<size_t>(i)]);
    }
    postBypass(values.bypass);
    if (values.hasJoystick)
        postJoystick(values.joystickX, values.joystickY);
    endMainWrites();
    return kResultOk;
}

tresult PLUGIN_API Processor::setComponentState(IBStream* state)
{
    StateValues values;
    if (plugIn_ == nullptr || !readComponentState(state, stateLayout_, values))
        return kResultFalse;
    for (int32 i = 0; i < controlCount(); ++i)
    {
        const StateField& f = stateLayout_[static_cast<size_t>(i)];
        if (f.dataType >= kDataInt && f.dataType <= kDataUInt)
            setParamFromPlain(static_cast<ParamID>(i), values.controls[static_cast<size_t>(i)]);
    }
    if (Parameter* p = parameters.getParameter(ParamIds::kBypass))
        EditControllerEx1::setParamNormalized(ParamIds::kBypass,
                                              p->toNormalized(values.bypass ? 1.0 : 0.0));
    if (values.hasJoystick)
    {
        setParamFromPlain(ParamIds::kJoystickX, values.joystickX * 0.5 + 0.5);
        setParamFromPlain(ParamIds::kJoystickY, values.joystickY * 0.5 + 0.5);
    }
    syncLinkedControls();
    return kResultOk;
}

tresult Processor::setParamFromPlain(ParamID id, ParamValue plain)
{
    Parameter* p = parameters.getParameter(id);
    if (p == nullptr)
        return kResultFalse;
    return EditControllerEx1::setParamNormalized(id, p->toNormalized(plain));
}

int32 Processor::controlIndexForId(uint32 controlId) const
{
    for (int32 i = 0; plugIn_ != nullptr && i < controlCount(); ++i)
    {
        const CControlDescriptor* c = controls_[static_cast<size_t>(i)];
        if (c != nullptr && c->controlId == controlId)
            return i;
    }
    return -1;
}

void Processor::applyProgram(ParamValue value)
{
    Parameter* list = parameters.getParameter(ParamIds::kFactoryPresets);
    if (list == nullptr || plugIn_ == nullptr)
        return;
    const double plain = list->toPlain(value);
    const int32 program = plain > 0.0 ? static_cast<int32>(plain) : 0;
    if (program >= CPlugIn::kPresetSlots)
        return;

    beginMainWrites();
    for (int32 i = 0; i < controlCount(); ++i)
    {
        const CControlDescriptor* c = controls_[static_cast<size_t>(i)];
        if (c == nullptr)
            continue;
        const float preset = static_cast<float>(c->presetValues[program]);
        const float n = (preset - c->minValue) / (c->maxValue - c->minValue);
        float p = n;
        if (c->logScale)
            p = static_cast<float>((static_cast<double>(std::pow(10.0f, n)) - 1.0) / 9.0);
        else if (c->voltOctave)
            p = linearToVoltOctave(preset, *c);

        // The plain value setControlNormalized(i, n) would store, handed to the
        // audio thread; integers are rounded as that call rounds them.
        float v = (c->maxValue - c->minValue) * n + c->minValue;
        if (c->dataType == kDataInt)
            v = std::floor(v + 0.5f);
        postControlPlain(i, v);
        EditControllerEx1::setParamNormalized(static_cast<ParamID>(i), p);
        notifyEditorParameter(static_cast<ParamID>(i), p);
    }

    const double x = plugIn_->m_joystickX.presetValues[program];
    const double y = plugIn_->m_joystickY.presetValues[program];
    const double a = (x - y) / 1.41421356 / 1.414;
    const double b = (x + y) / 1.41421356 / 1.414;
    postJoystick(static_cast<float>(a), static_cast<float>(b));
    endMainWrites();
    EditControllerEx1::setParamNormalized(ParamIds::kJoystickX, a * 0.5 + 0.5);
    notifyEditorParameter(ParamIds::kJoystickX, a * 0.5 + 0.5);
    EditControllerEx1::setParamNormalized(ParamIds::kJoystickY, b * 0.5 + 0.5);
    notifyEditorParameter(ParamIds::kJoystickY, b * 0.5 + 0.5);

    if (componentHandler != nullptr)
        componentHandler->restartComponent(kParamValuesChanged);
    syncLinkedControls();
}

void Processor::syncLinkedControls()
{
    if (plugIn_ == nullptr)
        return;
    for (int32 i = 0; i < controlCount(); ++i)
    {
        const ParamID id = static_cast<ParamID>(i);
        const double plain = normalizedParamToPlain(id, getParamNormalized(id));
        const CControlDescriptor* c = controls_[static_cast<size_t>(i)];
        if (c == nullptr)
            continue;
        LinkedUpdate* list = nullptr;
        if (!plugIn_->getLinkedUpdates(c->controlId, static_cast<float>(plain), &list, true))
            continue;
        for (LinkedUpdate* u = list; u != nullptr; u = u->next)
        {
            const int32 j = controlIndexForId(u->controlId);
            if (j < 0)
                continue;
            const ParamValue n = plainParamToNormalized(static_cast<ParamID>(j), u->plainValue);
            setParamNormalized(static_cast<ParamID>(j), n);
            performEdit(static_cast<ParamID>(j), n);
        }
        plugIn_->clearLinkedUpdates(&list);
    }
}

void Processor::beginMainWrites()
{
    mailbox_.beginBatch();
}

void Processor::postControlPlain(int32 position, float value)
{
    mailbox_.post(position, value);
}

void Processor::postBypass(bool on)
{
    mailbox_.post(bypassSlot(), on ? 1.0f : 0.0f);
}

void Processor::postJoystick(float x, float y)
{
    mailbox_.post(joystickXSlot(), x);
    mailbox_.post(joystickYSlot(), y);
}

void Processor::endMainWrites()
{
    mailbox_.endBatch();
    // Not processing: nobody else will take the values, so apply them here.
    if (!active_)
    {
        drainMailbox();
        publishCurrentValues();
    }
}

void Processor::drainMailbox()
{
    if (plugIn_ == nullptr)
        return;
    mailbox_.drain([this](int32_t slot, float value) {
        if (slot < controlCount())
            plugIn_->setControlPlain(static_cast<uint32_t>(slot), value);
        else if (slot == bypassSlot())
            bypass_ = value != 0.0f;
        else if (slot == joystickXSlot())
            plugIn_->setJoystickX(value, true);
        else if (slot == joystickYSlot())
            plugIn_->setJoystickY(value, true);
    });
}

void Processor::publishCurrentValues()
{
    if (plugIn_ == nullptr)
        return;
    for (int32 i = 0; i < controlCount(); ++i)
        mailbox_.publish(i, plugIn_->getControlValue(static_cast<uint32_t>(i)));
    mailbox_.publish(bypassSlot(), bypass_ ? 1.0f : 0.0f);
    float x = 0.0f;
    float y = 0.0f;
    plugIn_->getJoystick(&x, &y);
    mailbox_.publish(joystickXSlot(), x);
    mailbox_.publish(joystickYSlot(), y);
}

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
