#pragma once

#include "fake_gain_ids.h"

#include "public.sdk/source/vst/vstcomponent.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"

namespace fake_gain {

// A gain with a fixed latency of kLatency samples, separate from its controller.
class Processor : public Steinberg::Vst::Component, public Steinberg::Vst::IAudioProcessor
{
public:
    Processor();

    Steinberg::tresult PLUGIN_API initialize(Steinberg::FUnknown* context) override;
    Steinberg::tresult PLUGIN_API setState(Steinberg::IBStream* state) override;
    Steinberg::tresult PLUGIN_API getState(Steinberg::IBStream* state) override;
    Steinberg::tresult PLUGIN_API setActive(Steinberg::TBool state) override;

    Steinberg::tresult PLUGIN_API setBusArrangements(Steinberg::Vst::SpeakerArrangement* inputs, Steinberg::int32 numIns,
                                                     Steinberg::Vst::SpeakerArrangement* outputs,
                                                     Steinberg::int32 numOuts) override;
    Steinberg::tresult PLUGIN_API getBusArrangement(Steinberg::Vst::BusDirection dir, Steinberg::int32 index,
                                                    Steinberg::Vst::SpeakerArrangement& arr) override;
    Steinberg::tresult PLUGIN_API canProcessSampleSize(Steinberg::int32 size) override;
    Steinberg::uint32 PLUGIN_API getLatencySamples() override { return kLatency; }
    Steinberg::tresult PLUGIN_API setupProcessing(Steinberg::Vst::ProcessSetup& setup) override;
    Steinberg::tresult PLUGIN_API setProcessing(Steinberg::TBool) override { return Steinberg::kResultOk; }
    Steinberg::tresult PLUGIN_API process(Steinberg::Vst::ProcessData& data) override;
    Steinberg::uint32 PLUGIN_API getTailSamples() override { return 0; }

    OBJ_METHODS(Processor, Component)
    DEFINE_INTERFACES
        DEF_INTERFACE(IAudioProcessor)
    END_DEFINE_INTERFACES(Component)
    REFCOUNT_METHODS(Component)

private:
    void applyChanges(Steinberg::Vst::IParameterChanges* changes);

    float gain_ = 1.0f;
    Steinberg::Vst::SpeakerArrangement arrangement_ = Steinberg::Vst::SpeakerArr::kStereo;
    float delay_[2][kLatency] = {};
    int delayPos_ = 0;
};

} // namespace fake_gain
