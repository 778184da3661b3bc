// PluginInstance: one plug-in created from a bundle and driven as a DAW
// drives it, for the tests, the benchmarks and corvale-render.
#pragma once

#include "host/component_handler.h"
#include "host/event_list.h"
#include "host/host_application.h"
#include "host/module_loader.h"
#include "host/param_change_fifo.h"
#include "host/parameter_changes.h"

#include "base/source/fobject.h"
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstmessage.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"

#include <memory>
#include <string>
#include <vector>

namespace corvale::host {

/// How the instance is set up for processing.
struct ProcessConfig
{
    double sampleRate = 44100.0;
    Steinberg::int32 maxBlockSize = 512;
    Steinberg::int32 channels = 2; ///< 1 (mono) or 2 (stereo), input and output alike
    bool offline = false;          ///< kOffline instead of kRealtime
};

/// One plug-in instance driven as a DAW drives it: created through the module's factory,
/// initialised with our host context, its controller found (the component itself for a
/// single-component effect, otherwise created and connected), set up, activated and
/// processed with parameter changes, events and a process context.
///
/// Typical use:
///   PluginInstance p; if (!p.load(bundlePath) || !p.prepare({48000, 512, 2})) fail(p.error());
///   p.setParameter(8, 0.75); p.process(in, out, 512);
class PluginInstance
{
public:
    PluginInstance();
    ~PluginInstance();
    PluginInstance(const PluginInstance&) = delete;
    PluginInstance& operator=(const PluginInstance&) = delete;

    // --- life cycle ---------------------------------------------------------------

    /// [main] Loads the bundle at `path` and creates its first audio effect class.
    bool load(const std::string& path);
    /// [main] Creates `cls` from an already loaded module (kept alive by the instance).
    bool create(std::shared_ptr<ModuleLoader> module, const ModuleLoader::ClassEntry& cls);
    /// [main] Tears down in DAW order: stop processing, deactivate, disconnect, terminate,
    /// release; the module is unloaded when nothing else holds it. Safe to repeat.
    void destroy();
    /// [any] True between a successful load()/create() and destroy().
    bool isCreated() const { return component_ != nullptr; }
    /// [any] The reason of the last failure, as one line.
    const std::string& error() const { return error_; }
    /// [any] The class this instance was created from.
    const ModuleLoader::ClassEntry& classInfo() const { return classInfo_; }

    /// [main] setupProcessing, bus arrangements (mono or stereo), bus activation,
    /// setActive(true), setProcessing(true). Calling it again re-prepares with the new config.
    bool prepare(const ProcessConfig& config);
    /// [main] setProcessing(false) and setActive(false); safe to repeat.
    void unprepare();
    /// [any] True after a successful prepare().
    bool isPrepared() const { return prepared_; }
    /// [any] The configuration of the last prepare().
    const ProcessConfig& config() const { return config_; }

    // --- parameters (controller) --------------------------------------------------

    /// [main] Every parameter the controller reports, in its order.
    std::vector<Steinberg::Vst::ParameterInfo> parameters() const;
    /// [main] Finds a parameter by exact title, else by decimal ID; false when neither fits.
    bool findParameter(const std::string& titleOrId, Steinberg::Vst::ParameterInfo& out) const;
    /// [main] The controller's current normalised value.
    Steinberg::Vst::ParamValue normalized(Steinberg::Vst::ParamID id) const;
    /// [main] The controller's conversions between normalised and plain values.
    Steinberg::Vst::ParamValue normalizedToPlain(Steinberg::Vst::ParamID id,
                                                 Steinberg::Vst::ParamValue v) const;
    Steinberg::Vst::ParamValue plainToNormalized(Steinberg::Vst::ParamID id,
                                                 Steinberg::Vst::ParamValue plain) const;
    /// [main] The controller's display text for a normalised value (getParamStringByValue).
    std::string valueText(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue normalized) const;
    /// [main] Sets a parameter as a DAW does: on the controller (setParamNormalized) and as a
    /// change at offset 0 of the next process block. False when the controller refuses it.
    bool setParameter(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue normalized);

    // --- programs -----------------------------------------------------------------

    /// [main] The program-change parameter (flag kIsProgramChange); false when there is none.
    bool programParameter(Steinberg::Vst::ParameterInfo& out) const;
    /// [main] Name of the program list that belongs to the program parameter's unit (IUnitInfo).
    std::string programListName() const;
    /// [main] Program names of that list, else the program parameter's value texts.
    std::vector<std::string> programNames() const;
    /// [main] Selects program `index` through the program-change parameter (setParameter).
    bool selectProgram(Steinberg::int32 index);

    // --- state --------------------------------------------------------------------

    /// [main] The component state (IComponent::getState) as bytes.
    bool getState(std::vector<char>& out);
    /// [main] Loads component state: IComponent::setState, then the controller's setComponentState.
    bool setState(const std::vector<char>& data);

    // --- processing ---------------------------------------------------------------

    /// [audio] Processes `numSamples` (<= maxBlockSize) frames of config().channels channels.
    /// Pending setParameter() changes and inputParameterChanges() go in at this block; both
    /// input lists are cleared afterwards and the process context advances. `inputs` may be
    /// null (silence). False when not prepared, the block is too long or process fails.
    bool process(const float* const* inputs, float* const* outputs, Steinberg::int32 numSamples);

    /// [audio] Extra points for the next block (sample-accurate automation in tests).
    ParameterChanges& inputParameterChanges() { return inputChanges_; }
    /// [audio] What the last block reported (output parameter changes, e.g. meters).
    ParameterChanges& outputParameterChanges() { return outputChanges_; }
    /// [audio] Events for the next block.
    EventList& inputEvents() { return inputEvents_; }
    /// [audio] Events the last block sent.
    EventList& outputEvents() { return outputEvents_; }
    /// [audio] The process context handed to every block (tempo, time signature, position).
    Steinberg::Vst::ProcessContext& processContext() { return context_; }
    /// [any] The result code of the last IAudioProcessor::process call.
    Steinberg::tresult lastProcessResult() const { return lastProcessResult_; }

    /// [main] Latency and tail the processor reports.
    Steinberg::uint32 latencySamples() const;
    Steinberg::uint32 tailSamples() const;

    // --- raw interfaces -----------------------------------------------------------

    /// [any] The plug-in's interfaces (null before create()).
    Steinberg::Vst::IComponent* component() const { return component_; }
    Steinberg::Vst::IAudioProcessor* processor() const { return processor_; }
    Steinberg::Vst::IEditController* controller() const { return controller_; }
    /// [any] True when the controller is a separate object connected to the component.
    bool hasSeparateController() const { return separateController_; }
    /// [any] The host objects given to the plug-in.
    ComponentHandler& componentHandler() { return *handler_; }
    HostApplication& hostApplication() { return *hostApp_; }

private:
    bool fail(const std::string& message);
    bool createController(const ModuleLoader::ClassEntry& cls);
    bool setupBuses();
    void syncControllerWithComponent();

    std::shared_ptr<ModuleLoader> module_;
    ModuleLoader::ClassEntry classInfo_;
    Steinberg::IPtr<HostApplication> hostApp_;
    Steinberg::IPtr<ComponentHandler> handler_;
    Steinberg::IPtr<Steinberg::Vst::IComponent> component_;
    Steinberg::IPtr<Steinberg::Vst::IAudioProcessor> processor_;
    Steinberg::IPtr<Steinberg::Vst::IEditController> controller_;
    Steinberg::IPtr<Steinberg::Vst::IConnectionPoint> componentConnection_;
    Steinberg::IPtr<Steinberg::Vst::IConnectionPoint> controllerConnection_;
    bool separateController_ = false;
    bool componentInitialized_ = false;
    bool controllerInitialized_ = false;
    bool prepared_ = false;
    bool active_ = false;
    bool processing_ = false;
    std::string error_;

    ProcessConfig config_;
    Steinberg::int32 numInputBuses_ = 0; // audio inputs handed to process (0 or 1)
    std::vector<float>
        inputScratch_; // the plug-in gets a copy, so it cannot touch the caller's input
    std::vector<float*> inputPointers_;
    std::vector<float*> outputPointers_;
    Steinberg::Vst::AudioBusBuffers inputBus_ {};
    Steinberg::Vst::AudioBusBuffers outputBus_ {};
    Steinberg::Vst::ProcessContext context_ {};
    ParameterChanges inputChanges_;
    ParameterChanges outputChanges_;
    EventList inputEvents_;
    EventList outputEvents_;
    ParamChangeFifo pending_;
    Steinberg::tresult lastProcessResult_ = Steinberg::kResultOk;
};

} // namespace corvale::host
