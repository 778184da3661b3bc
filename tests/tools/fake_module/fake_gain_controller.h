#pragma once

#include "fake_gain_ids.h"

#include "public.sdk/source/vst/vsteditcontroller.h"

namespace fake_gain {

// The separate controller: "Gain", three read-only outputs and a program list.
class Controller : public Steinberg::Vst::EditControllerEx1
{
public:
    Steinberg::tresult PLUGIN_API initialize(Steinberg::FUnknown* context) override;
    Steinberg::tresult PLUGIN_API setComponentState(Steinberg::IBStream* state) override;
    Steinberg::tresult PLUGIN_API setParamNormalized(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue value) override;
};

} // namespace fake_gain
