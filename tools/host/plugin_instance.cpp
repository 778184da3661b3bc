// PluginInstance: creation, set-up, processing and teardown in a DAW's order.
#include "host/plugin_instance.h"

#include "public.sdk/source/common/memorystream.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace corvale::host {

using namespace Steinberg;
using namespace Steinberg::Vst;

PluginInstance::PluginInstance()
    : hostApp_(owned(new HostApplication)),
      handler_(owned(new ComponentHandler))
{}

PluginInstance::~PluginInstance()
{
    destroy();
}

bool PluginInstance::fail(const std::string& message)
{
    error_ = message;
    return false;
}

bool PluginInstance::load(const std::string& path)
{
    destroy();
    auto module = std::make_shared<ModuleLoader>();
    if (!module->load(path))
        return fail(module->error());
    ModuleLoader::ClassEntry cls;
    if (!module->findAudioEffectClass(cls))
        return fail("'" + path + "': " + module->error());
    return create(module, cls);
}

bool PluginInstance::create(std::shared_ptr<ModuleLoader> module,
                            const ModuleLoader::ClassEntry& cls)
{
    destroy();
    error_.clear();
    if (!module || !module->isLoaded())
        return fail("no module loaded");
    module_ = std::move(module);
    classInfo_ = cls;
    handler_->clear();

    IComponent* component = nullptr;
    if (module_->factory()->createInstance(cls.cid, IComponent::iid,
                                           reinterpret_cast<void**>(&component))
            != kResultOk
        || component == nullptr)
    {
        destroy();
        return fail("the factory cannot create class \"" + cls.name + "\"");
    }
    component_ = owned(component);
    if (component_->initialize(hostApp_) != kResultOk)
    {
        destroy();
        return fail("class \"" + cls.name + "\" failed to initialize");
    }
    componentInitialized_ = true;
    processor_ = FUnknownPtr<IAudioProcessor>(component_);
    if (!processor_)
    {
        destroy();
        return fail("class \"" + cls.name + "\" is not an audio processor");
    }
    if (!createController(cls))
    {
        const std::string why = error_;
        destroy();
        return fail(why);
    }
    if (controller_)
    {
        controller_->setComponentHandler(handler_);
        syncControllerWithComponent();
    }
    return true;
}

bool PluginInstance::createController(const ModuleLoader::ClassEntry& cls)
{
    // A single-component effect is its own controller.
    controller_ = FUnknownPtr<IEditController>(component_);
    if (controller_)
        return true;
    TUID controllerCid {};
    if (component_->getControllerClassId(controllerCid) != kResultOk)
        return true; // a processor without controller still processes; it just has no parameters
    IEditController* controller = nullptr;
    if (module_->factory()->createInstance(controllerCid, IEditController::iid,
                                           reinterpret_cast<void**>(&controller))
            != kResultOk
        || controller == nullptr)
        return fail("cannot create the controller of \"" + cls.name + "\"");
    controller_ = owned(controller);
    separateController_ = true;
    if (controller_->initialize(hostApp_) != kResultOk)
        return fail("the controller of \"" + cls.name + "\" failed to initialize");
    controllerInitialized_ = true;
    componentConnection_ = FUnknownPtr<IConnectionPoint>(component_);
    controllerConnection_ = FUnknownPtr<IConnectionPoint>(controller_);
    if (componentConnection_ && controllerConnection_)
    {
        componentConnection_->connect(controllerConnection_);
        controllerConnection_->connect(componentConnection_);
    }
    else
    {
        componentConnection_ = nullptr;
        controllerConnection_ = nullptr;
    }
    return true;
}

void PluginInstance::syncControllerWithComponent()
{
    // As a DAW does after loading: the controller learns the component's current state.
    IPtr<MemoryStream> stream = owned(new MemoryStream);
    if (component_->getState(stream) == kResultOk)
    {
        stream->seek(0, IBStream::kIBSeekSet, nullptr);
        controller_->setComponentState(stream);
    }
}

void PluginInstance::destroy()
{
    unprepare();
    if (componentConnection_ && controllerConnection_)
    {
        componentConnection_->disconnect(controllerConnection_);
        controllerConnection_->disconnect(componentConnection_);
    }
    componentConnection_ = nullptr;
    controllerConnection_ = nullptr;
    if (controller_)
    {
        controller_->setComponentHandler(nullptr);
        if (separateController_ && controllerInitialized_)
            controller_->terminate();
    }
    controller_ = nullptr;
    processor_ = nullptr;
    if (component_ && componentInitialized_)
        component_->terminate();
    component_ = nullptr;
    separateController_ = componentInitialized_ = controllerInitialized_ = false;
    module_.reset();
}

bool PluginInstance::prepare(const ProcessConfig& config)
{
    if (!component_)
        return fail("no plug-in instance");
    if (config.channels != 1 && config.channels != 2)
        return fail("only mono and stereo are supported");
    if (config.maxBlockSize <= 0 || !(config.sampleRate > 0.0) || !std::isfinite(config.sampleRate))
        return fail("invalid sample rate or block size");
    unprepare();
    config_ = config;

    if (processor_->canProcessSampleSize(kSample32) != kResultTrue)
        return fail("the plug-in cannot process 32-bit float audio");
    if (!setupBuses())
        return false;
    ProcessSetup setup {config.offline ? kOffline : kRealtime, kSample32, config.maxBlockSize,
                        config.sampleRate};
    if (processor_->setupProcessing(setup) != kResultOk)
        return fail("the plug-in refused the processing setup");
    if (component_->setActive(true) != kResultOk)
        return fail("the plug-in failed to activate");
    active_ = true;
    const tresult started = processor_->setProcessing(true);
    processing_ = started == kResultOk;
    if (started != kResultOk && started != kNotImplemented)
    {
        unprepare();
        return fail("the plug-in failed to start processing");
    }

    const auto channels = static_cast<std::size_t>(config.channels);
    const auto block = static_cast<std::size_t>(config.maxBlockSize);
    inputScratch_.assign(channels * block, 0.0f);
    inputPointers_.resize(channels);
    outputPointers_.assign(channels, nullptr);
    for (std::size_t c = 0; c < channels; ++c)
        inputPointers_[c] = inputScratch_.data() + c * block;

    context_ = ProcessContext {};
    context_.state = ProcessContext::kPlaying | ProcessContext::kTempoValid
                     | ProcessContext::kTimeSigValid | ProcessContext::kProjectTimeMusicValid
                     | ProcessContext::kContTimeValid;
    context_.sampleRate = config.sampleRate;
    context_.tempo = 120.0;
    context_.timeSigNumerator = 4;
    context_.timeSigDenominator = 4;
    prepared_ = true;
    return true;
}

bool PluginInstance::setupBuses()
{
    const int32 audioIns = component_->getBusCount(kAudio, kInput);
    const int32 audioOuts = component_->getBusCount(kAudio, kOutput);
    if (audioOuts < 1)
        return fail("the plug-in has no audio output");
    const SpeakerArrangement arrangement = config_.channels == 1 ? SpeakerArr::kMono
                                                                 : SpeakerArr::kStereo;
    numInputBuses_ = audioIns > 0 ? 1 : 0;
    SpeakerArrangement ins[1] = {arrangement};
    SpeakerArrangement outs[1] = {arrangement};
    if (processor_->setBusArrangements(ins, numInputBuses_, outs, 1) != kResultTrue)
        return fail(std::string("the plug-in does not accept a ")
                    + (config_.channels == 1 ? "mono" : "stereo") + " bus layout");
    // Main buses on, side chains and extra buses off: we feed bus 0 only.
    for (int32 i = 0; i < audioIns; ++i)
        component_->activateBus(kAudio, kInput, i, i == 0);
    for (int32 i = 0; i < audioOuts; ++i)
        component_->activateBus(kAudio, kOutput, i, i == 0);
    if (component_->getBusCount(kEvent, kInput) > 0)
        component_->activateBus(kEvent, kInput, 0, true);

    inputBus_ = AudioBusBuffers {};
    outputBus_ = AudioBusBuffers {};
    return true;
}

void PluginInstance::unprepare()
{
    if (processing_ && processor_)
        processor_->setProcessing(false);
    processing_ = false;
    if (active_ && component_)
        component_->setActive(false);
    active_ = false;
    prepared_ = false;
}

bool PluginInstance::process(const float* const* inputs, float* const* outputs, int32 numSamples)
{
    if (!prepared_ || numSamples < 0 || numSamples > config_.maxBlockSize
        || (outputs == nullptr && numSamples > 0))
        return false;

    ParamChangeFifo::Change change {};
    while (pending_.pop(change))
        inputChanges_.addChange(change.id, 0, change.value);

    const int32 channels = config_.channels;
    for (int32 c = 0; c < channels; ++c)
    {
        float* dst = inputPointers_[static_cast<std::size_t>(c)];
        if (inputs != nullptr && inputs[c] != nullptr)
            std::memcpy(dst, inputs[c], sizeof(float) * static_cast<std::size_t>(numSamples));
        else
            std::fill(dst, dst + numSamples, 0.0f);
        outputPointers_[static_cast<std::size_t>(c)] = outputs != nullptr ? outputs[c] : nullptr;
    }
    inputBus_.numChannels = channels;
    inputBus_.silenceFlags = 0;
    inputBus_.channelBuffers32 = inputPointers_.data();
    outputBus_.numChannels = channels;
    outputBus_.silenceFlags = 0;
    outputBus_.channelBuffers32 = outputPointers_.data();
    outputChanges_.clear();
    outputEvents_.clear();

    ProcessData data;
    data.processMode = config_.offline ? kOffline : kRealtime;
    data.symbolicSampleSize = kSample32;
    data.numSamples = numSamples;
    data.numInputs = numInputBuses_;
    data.numOutputs = 1;
    data.inputs = numInputBuses_ > 0 ? &inputBus_ : nullptr;
    data.outputs = &outputBus_;
    data.inputParameterChanges = &inputChanges_;
    data.outputParameterChanges = &outputChanges_;
    data.inputEvents = &inputEvents_;
    data.outputEvents = &outputEvents_;
    data.processContext = &context_;

    lastProcessResult_ = processor_->process(data);

    inputChanges_.clear();
    inputEvents_.clear();
    context_.projectTimeSamples += numSamples;
    context_.continousTimeSamples += numSamples;
    context_.projectTimeMusic += numSamples / config_.sampleRate * context_.tempo / 60.0;
    return lastProcessResult_ == kResultOk;
}

uint32 PluginInstance::latencySamples() const
{
    return processor_ ? processor_->getLatencySamples() : 0;
}

uint32 PluginInstance::tailSamples() const
{
    return processor_ ? processor_->getTailSamples() : 0;
}

} // namespace corvale::host
