#include "vst3/single_component_effect.h"

#include "pluginterfaces/gui/iplugview.h"

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

SingleComponentEffect::SingleComponentEffect()
{
    processSetup.processMode = kRealtime;
    processSetup.symbolicSampleSize = kSample32;
    processSetup.maxSamplesPerBlock = 1024;
    processSetup.sampleRate = 44100.0;
}

SingleComponentEffect::~SingleComponentEffect() = default;

tresult PLUGIN_API SingleComponentEffect::initialize(FUnknown* context)
{
    return EditControllerEx1::initialize(context);
}

tresult PLUGIN_API SingleComponentEffect::terminate()
{
    parameters.removeAll();
    removeAllBusses();
    return EditControllerEx1::terminate();
}

BusList* SingleComponentEffect::getBusList(MediaType type, BusDirection dir)
{
    if (type == kAudio)
        return dir == kInput ? &audioInputs : &audioOutputs;
    if (type == kEvent)
        return dir == kInput ? &eventInputs : &eventOutputs;
    return nullptr;
}

AudioBus* SingleComponentEffect::audioBus(BusDirection dir, int32 index)
{
    BusList& list = dir == kInput ? audioInputs : audioOutputs;
    if (index < 0 || index >= static_cast<int32>(list.size()))
        return nullptr;
    return FCast<AudioBus>(list[static_cast<size_t>(index)].get());
}

int32 PLUGIN_API SingleComponentEffect::getBusCount(MediaType type, BusDirection dir)
{
    BusList* list = getBusList(type, dir);
    return list ? static_cast<int32>(list->size()) : 0;
}

tresult PLUGIN_API SingleComponentEffect::getBusInfo(MediaType type, BusDirection dir, int32 index,
                                                     BusInfo& info)
{
    BusList* list = getBusList(type, dir);
    if (list == nullptr || index < 0 || index >= static_cast<int32>(list->size()))
        return kInvalidArgument;
    info.mediaType = type;
    info.direction = dir;
    return list->at(static_cast<size_t>(index))->getInfo(info) ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API SingleComponentEffect::activateBus(MediaType type, BusDirection dir, int32 index,
                                                      TBool state)
{
    BusList* list = getBusList(type, dir);
    if (list == nullptr || index < 0 || index >= static_cast<int32>(list->size()))
        return kInvalidArgument;
    list->at(static_cast<size_t>(index))->setActive(state);
    return kResultTrue;
}

tresult PLUGIN_API SingleComponentEffect::setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                                             SpeakerArrangement* outputs,
                                                             int32 numOuts)
{
    if (numIns < 0 || numOuts < 0)
        return kInvalidArgument;
    if (numIns > static_cast<int32>(audioInputs.size())
        || numOuts > static_cast<int32>(audioOutputs.size()))
        return kResultFalse;
    if ((numIns > 0 && inputs == nullptr) || (numOuts > 0 && outputs == nullptr))
        return kInvalidArgument;
    for (int32 i = 0; i < numIns; ++i)
        audioBus(kInput, i)->setArrangement(inputs[i]);
    for (int32 i = 0; i < numOuts; ++i)
        audioBus(kOutput, i)->setArrangement(outputs[i]);
    return kResultTrue;
}

tresult PLUGIN_API SingleComponentEffect::getBusArrangement(BusDirection dir, int32 index,
                                                            SpeakerArrangement& arr)
{
    AudioBus* bus = audioBus(dir, index);
    if (bus == nullptr)
        return kInvalidArgument;
    arr = bus->getArrangement();
    return kResultTrue;
}

tresult PLUGIN_API SingleComponentEffect::canProcessSampleSize(int32 symbolicSampleSize)
{
    return symbolicSampleSize == kSample32 ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API SingleComponentEffect::setupProcessing(ProcessSetup& setup)
{
    if (canProcessSampleSize(setup.symbolicSampleSize) != kResultTrue)
        return kResultFalse;
    processSetup = setup;
    return kResultOk;
}

AudioBus* SingleComponentEffect::addAudioInput(const TChar* name, SpeakerArrangement arr,
                                               BusType type, int32 flags)
{
    auto* bus = new AudioBus(name, type, flags, arr);
    audioInputs.emplace_back(owned(bus));
    return bus;
}

AudioBus* SingleComponentEffect::addAudioOutput(const TChar* name, SpeakerArrangement arr,
                                                BusType type, int32 flags)
{
    auto* bus = new AudioBus(name, type, flags, arr);
    audioOutputs.emplace_back(owned(bus));
    return bus;
}

EventBus* SingleComponentEffect::addEventInput(const TChar* name, int32 channels, BusType type,
                                               int32 flags)
{
    auto* bus = new EventBus(name, type, flags, channels);
    eventInputs.emplace_back(owned(bus));
    return bus;
}

void SingleComponentEffect::removeAllBusses()
{
    audioInputs.clear();
    audioOutputs.clear();
    eventInputs.clear();
    eventOutputs.clear();
}

tresult PLUGIN_API SingleComponentEffect::queryInterface(const TUID iid, void** obj)
{
    // The component and the controller are one object: a host must not try to
    // connect them as two peers.
    if (FUnknownPrivate::iidEqual(iid, IConnectionPoint::iid))
    {
        *obj = nullptr;
        return kNoInterface;
    }
    QUERY_INTERFACE(iid, obj, IComponent::iid, IComponent)
    QUERY_INTERFACE(iid, obj, IAudioProcessor::iid, IAudioProcessor)
    QUERY_INTERFACE(iid, obj, IProcessContextRequirements::iid, IProcessContextRequirements)
    return EditControllerEx1::queryInterface(iid, obj);
}

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
