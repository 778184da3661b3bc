// SingleComponentEffect: one object that is the edit controller, the component
// and the audio processor of an effect. It keeps the four bus lists and the
// process setup, answers the bus and sample-size queries and routes interface
// queries; a product class derives from it and overrides what it needs.
#pragma once

#include "base/source/fobject.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "public.sdk/source/vst/vstbus.h"
#include "public.sdk/source/vst/vsteditcontroller.h"

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

/// The controller side. IEditController::setState/getState share their names with
/// IComponent's; this layer pins the controller's pair to kNotImplemented (the
/// controller keeps no state of its own) so that no override can catch both.
class ControllerStateStub : public EditControllerEx1
{
public:
    tresult PLUGIN_API setState(IBStream*) final { return kNotImplemented; }  ///< [main]
    tresult PLUGIN_API getState(IBStream*) final { return kNotImplemented; }  ///< [main]
};

/// The component side's state calls, forwarded under names of their own.
class ComponentStateThunk : public IComponent
{
public:
    tresult PLUGIN_API setState(IBStream* state) final { return setProcessorState(state); }
    tresult PLUGIN_API getState(IBStream* state) final { return getProcessorState(state); }

protected:
    /// IComponent::setState: loads the component state. [main]
    virtual tresult setProcessorState(IBStream* state) = 0;
    /// IComponent::getState: saves the component state. [main]
    virtual tresult getProcessorState(IBStream* state) = 0;
};

class SingleComponentEffect : public ControllerStateStub,
                              public ComponentStateThunk,
                              public IAudioProcessor,
                              public IProcessContextRequirements
{
public:
    SingleComponentEffect();
    ~SingleComponentEffect() override;

    // IPluginBase (one override serves the controller's and the component's base). [main]
    tresult PLUGIN_API initialize(FUnknown* context) override;
    tresult PLUGIN_API terminate() override;

    // IComponent [main]
    tresult PLUGIN_API getControllerClassId(TUID) override { return kNotImplemented; }
    tresult PLUGIN_API setIoMode(IoMode) override { return kNotImplemented; }
    int32 PLUGIN_API getBusCount(MediaType type, BusDirection dir) override;
    tresult PLUGIN_API getBusInfo(MediaType type, BusDirection dir, int32 index,
                                  BusInfo& bus) override;
    tresult PLUGIN_API getRoutingInfo(RoutingInfo&, RoutingInfo&) override { return kNotImplemented; }
    tresult PLUGIN_API activateBus(MediaType type, BusDirection dir, int32 index,
                                   TBool state) override;
    tresult PLUGIN_API setActive(TBool) override { return kResultOk; }
    tresult setProcessorState(IBStream*) override { return kNotImplemented; }
    tresult getProcessorState(IBStream*) override { return kNotImplemented; }

    // IAudioProcessor [main] unless marked
    /// Assigns the given arrangements to the first buses; any arrangement is taken here.
    tresult PLUGIN_API setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                          SpeakerArrangement* outputs, int32 numOuts) override;
    /// Arrangement of an audio bus; kInvalidArgument for an unknown one. [any]
    tresult PLUGIN_API getBusArrangement(BusDirection dir, int32 index,
                                         SpeakerArrangement& arr) override;
    /// Only 32-bit float samples are processed.
    tresult PLUGIN_API canProcessSampleSize(int32 symbolicSampleSize) override;
    uint32 PLUGIN_API getLatencySamples() override { return 0; }
    /// Stores the setup when its sample size can be processed.
    tresult PLUGIN_API setupProcessing(ProcessSetup& setup) override;
    tresult PLUGIN_API setProcessing(TBool) override { return kNotImplemented; }
    tresult PLUGIN_API process(ProcessData&) override { return kNotImplemented; }  ///< [audio]
    uint32 PLUGIN_API getTailSamples() override { return kNoTail; }

    // IProcessContextRequirements [main]
    uint32 PLUGIN_API getProcessContextRequirements() override { return 0; }

    OBJ_METHODS(SingleComponentEffect, EditControllerEx1)
    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
    REFCOUNT_METHODS(EditControllerEx1)

protected:
    /// Appends an owned bus and returns it (the list keeps it alive). [main]
    AudioBus* addAudioInput(const TChar* name, SpeakerArrangement arr, BusType type = kMain,
                            int32 flags = BusInfo::kDefaultActive);
    AudioBus* addAudioOutput(const TChar* name, SpeakerArrangement arr, BusType type = kMain,
                             int32 flags = BusInfo::kDefaultActive);
    EventBus* addEventInput(const TChar* name, int32 channels = 16, BusType type = kMain,
                            int32 flags = BusInfo::kDefaultActive);
    /// Removes every bus of every list. [main]
    void removeAllBusses();
    /// The list of one media type and direction, or null. [any]
    BusList* getBusList(MediaType type, BusDirection dir);
    /// The audio bus at index in that direction, or null. [any]
    AudioBus* audioBus(BusDirection dir, int32 index);

    BusList audioInputs {kAudio, kInput};
    BusList audioOutputs {kAudio, kOutput};
    BusList eventInputs {kEvent, kInput};
    BusList eventOutputs {kEvent, kOutput};
    ProcessSetup processSetup {};
};

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
