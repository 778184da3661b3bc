// Vst2Adapter: creation, the AEffect's entry functions, teardown and the host
// link the component's host objects report to.
#include "vst2/vst2_adapter.h"
#include "vst2/vst2_text.h"

#include "public.sdk/source/common/memorystream.h"
#include "pluginterfaces/vst/ivstmidicontrollers.h"
#include "pluginterfaces/vst/vstspeaker.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {
namespace {

VstIntPtr dispatcherProc(AEffect* effect, int opcode, int index, VstIntPtr value, void* ptr, float opt)
{
    Vst2Adapter* adapter = Vst2Adapter::of(effect);
    if (adapter == nullptr)
        return 0;
    // Nothing may unwind into the host: a call that runs out of memory (a chunk,
    // an editor) answers as a refused one.
    try
    {
        return adapter->dispatch(opcode, index, value, ptr, opt);
    }
    catch (const std::exception&)
    {
        return 0;
    }
}

void setParameterProc(AEffect* effect, int index, float value)
{
    if (Vst2Adapter* adapter = Vst2Adapter::of(effect))
        adapter->setParameter(index, value);
}

float getParameterProc(AEffect* effect, int index)
{
    const Vst2Adapter* adapter = Vst2Adapter::of(effect);
    return adapter != nullptr ? adapter->getParameter(index) : 0.0f;
}

void processReplacingProc(AEffect* effect, float** inputs, float** outputs, int numSamples)
{
    if (Vst2Adapter* adapter = Vst2Adapter::of(effect))
        adapter->processReplacing(inputs, outputs, numSamples);
}

// The accumulating process call of VST 2.3 and earlier. A VST 2.4 host uses
// processReplacing (the effect says it can); this one leaves the outputs alone.
void processAccumulatingProc(AEffect*, float**, float**, int) {}

// "a.b.c.d" packed one byte per part, most significant first.
int32 packVersion(const std::string& text)
{
    uint32 parts[4] = {0, 0, 0, 0};
    int part = 0;
    for (char c : text)
    {
        if (c == '.')
        {
            if (++part == 4)
                break;
        }
        else if (c >= '0' && c <= '9')
        {
            parts[part] = parts[part] * 10 + static_cast<uint32>(c - '0');
        }
    }
    const uint32 packed = ((parts[0] & 0xFF) << 24) | ((parts[1] & 0xFF) << 16)
                          | ((parts[2] & 0xFF) << 8) | (parts[3] & 0xFF);
    return static_cast<int32>(packed);
}

int32 mainChannels(IComponent& component, BusDirection direction)
{
    BusInfo info {};
    if (component.getBusCount(kAudio, direction) < 1
        || component.getBusInfo(kAudio, direction, 0, info) != kResultOk)
        return 0;
    return info.channelCount;
}

} // namespace

AEffect* Vst2Adapter::create(IPluginFactory* factory, const TUID cid, int32 uniqueId,
                             audioMasterCallback audioMaster, std::unique_ptr<Vst2ModuleLease> lease)
{
    if (factory == nullptr || audioMaster == nullptr)
        return nullptr;
    std::unique_ptr<Vst2Adapter> adapter(new (std::nothrow) Vst2Adapter(audioMaster, std::move(lease)));
    if (adapter == nullptr || !adapter->init(factory, cid, uniqueId))
        return nullptr;
    return &adapter.release()->effect_;
}

Vst2Adapter::Vst2Adapter(audioMasterCallback audioMaster, std::unique_ptr<Vst2ModuleLease> lease)
    : audioMaster_(audioMaster), lease_(std::move(lease)), hostContext_(*this), plugFrame_(*this)
{
    effect_.magic = kEffectMagic;
    effect_.dispatcher = dispatcherProc;
    effect_.process = processAccumulatingProc;
    effect_.setParameter = setParameterProc;
    effect_.getParameter = getParameterProc;
    effect_.processReplacing = processReplacingProc;
    effect_.processDoubleReplacing = nullptr;
    effect_.object = this;
}

Vst2Adapter::~Vst2Adapter()
{
    closeEditor();
    view_ = nullptr;
    if (active_)
        setMains(false);
    if (controller_ != nullptr)
        controller_->setComponentHandler(nullptr);
    if (initialized_)
        component_->terminate();
    controller_ = nullptr;
    component_ = nullptr;
    processor_ = nullptr;
    effect_.object = nullptr;
    effect_.magic = 0;
}

Vst2Adapter* Vst2Adapter::of(AEffect* effect)
{
    if (effect == nullptr || effect->magic != kEffectMagic)
        return nullptr;
    return static_cast<Vst2Adapter*>(effect->object);
}

bool Vst2Adapter::init(IPluginFactory* factory, const TUID cid, int32 uniqueId)
{
    readClassInfo(factory, cid);
    void* object = nullptr;
    if (factory->createInstance(cid, IAudioProcessor::iid, &object) != kResultOk || object == nullptr)
        return false;
    processor_ = owned(static_cast<IAudioProcessor*>(object));
    component_ = FUnknownPtr<IComponent>(processor_.get());
    controller_ = FUnknownPtr<IEditController>(processor_.get());
    // Only single-component effects: the controller is the component itself.
    if (component_ == nullptr || controller_ == nullptr)
        return false;
    if (component_->initialize(static_cast<IHostApplication*>(&hostContext_)) != kResultOk)
        return false;
    initialized_ = true;
    controller_->setComponentHandler(&hostContext_);

    MemoryStream state;
    if (component_->getState(&state) == kResultOk)
    {
        state.seek(0, IBStream::kIBSeekSet, nullptr);
        controller_->setComponentState(&state);
    }

    SpeakerArrangement input = SpeakerArr::kStereo;
    SpeakerArrangement output = SpeakerArr::kStereo;
    processor_->setBusArrangements(&input, 1, &output, 1);
    component_->activateBus(kAudio, kInput, 0, true);
    component_->activateBus(kAudio, kOutput, 0, true);
    if (component_->getBusCount(kEvent, kInput) > 0)
        component_->activateBus(kEvent, kInput, 0, true);
    applySetup();

    parameterMap_.build(*controller_);
    pending_.reset(parameterMap_.count() + 1);
    // Room for every parameter: a MIDI controller may move one that is not exported.
    const int32 parameterCount =
        std::max(controller_->getParameterCount(), parameterMap_.count()) + 1;
    inputChanges_.reserve(parameterCount);
    outputChanges_.reserve(parameterCount);
    midiChanges_.reserve(parameterCount);
    if (component_->getBusCount(kEvent, kInput) > 0)
        midiControllers_.build(FUnknownPtr<IMidiMapping>(controller_.get()));
    reloadFromController();

    effect_.numParams = parameterMap_.count();
    effect_.numPrograms = countPrograms();
    effect_.numInputs = mainChannels(*component_, kInput);
    effect_.numOutputs = mainChannels(*component_, kOutput);
    effect_.initialDelay = static_cast<t_fstInt32>(processor_->getLatencySamples());
    effect_.uniqueID = uniqueId;
    effect_.version = packVersion(version_);
    effect_.flags = effFlagsCanReplacing | effFlagsProgramChunks;
    if (containsIgnoringCase(subCategories_.c_str(), "Instrument"))
        effect_.flags |= effFlagsIsSynth;
    if (ensureView())
        effect_.flags |= effFlagsHasEditor;
    view_ = nullptr;  // created again when the host asks for the editor
    return true;
}

void Vst2Adapter::readClassInfo(IPluginFactory* factory, const TUID cid)
{
    PFactoryInfo factoryInfo {};
    if (factory->getFactoryInfo(&factoryInfo) == kResultOk)
        vendor_ = factoryInfo.vendor;
    FUnknownPtr<IPluginFactory2> factory2(factory);
    for (int32 i = 0; i < factory->countClasses(); ++i)
    {
        PClassInfo2 info2 {};
        if (factory2 != nullptr && factory2->getClassInfo2(i, &info2) == kResultOk)
        {
            if (std::memcmp(info2.cid, cid, sizeof(TUID)) != 0)
                continue;
            effectName_ = info2.name;
            version_ = info2.version;
            subCategories_ = info2.subCategories;
            if (info2.vendor[0] != 0)
                vendor_ = info2.vendor;
            return;
        }
        PClassInfo info {};
        if (factory->getClassInfo(i, &info) == kResultOk && std::memcmp(info.cid, cid, sizeof(TUID)) == 0)
        {
            effectName_ = info.name;
            return;
        }
    }
}

VstIntPtr Vst2Adapter::callHost(int opcode, int index, VstIntPtr value, void* ptr, float opt)
{
    return audioMaster_ != nullptr ? audioMaster_(&effect_, opcode, index, value, ptr, opt) : 0;
}

void Vst2Adapter::editBegan(ParamID id)
{
    const int32 index = parameterMap_.indexOf(id);
    if (index >= 0)
        callHost(audioMasterBeginEdit, index);
}

void Vst2Adapter::editPerformed(ParamID id, ParamValue value)
{
    // The controller holds the value already; the processor gets it with the next
    // block and the host records it as automation.
    const int32 index = parameterMap_.indexOf(id);
    if (index >= 0)
    {
        pending_.post(index, static_cast<float>(value), false);
        callHost(audioMasterAutomate, index, 0, nullptr, static_cast<float>(value));
    }
    else if (parameterMap_.hasBypass() && id == parameterMap_.bypassId())
    {
        pending_.post(bypassSlot(), static_cast<float>(value), false);
    }
}

void Vst2Adapter::editEnded(ParamID id)
{
    const int32 index = parameterMap_.indexOf(id);
    if (index >= 0)
        callHost(audioMasterEndEdit, index);
}

void Vst2Adapter::componentRestarted(int32 flags)
{
    if ((flags & kLatencyChanged) != 0 && processor_ != nullptr)
    {
        effect_.initialDelay = static_cast<t_fstInt32>(processor_->getLatencySamples());
        callHost(kAudioMasterIOChanged);
    }
    if ((flags & (kParamValuesChanged | kParamTitlesChanged)) != 0)
    {
        reloadFromController();
        callHost(kAudioMasterUpdateDisplay);
    }
    if ((flags & kMidiCCAssignmentChanged) != 0 && component_->getBusCount(kEvent, kInput) > 0)
        midiControllers_.build(FUnknownPtr<IMidiMapping>(controller_.get()));
}

bool Vst2Adapter::editorResized(int32 width, int32 height)
{
    return callHost(audioMasterSizeWindow, width, height) != 0;
}

std::string Vst2Adapter::hostName()
{
    char name[kVendorStrSize * 2] = {};
    callHost(audioMasterGetProductString, 0, 0, name);
    name[sizeof(name) - 1] = 0;
    return name;
}

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
