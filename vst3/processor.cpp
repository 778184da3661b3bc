// Processor: life cycle, buses, editor texts and interface queries.
#include "vst3/processor.h"
#include "vst3/midi/midi_event_list.h"
#include "vst3/midi/param_update_queue.h"
#include "vst3/processor_ids.h"

#include "pluginterfaces/vst/vstspeaker.h"

#include <cstring>
#include <new>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {
const FUID Processor::cid = processorClassId();

Processor::Processor()
{
    createPlugInObject();
}

Processor::~Processor()
{
    midiEventList_.reset();
    updateQueues_.clear();
    delete plugIn_;
    plugIn_ = nullptr;
}

uint32 Processor::channelsOf(SpeakerArrangement arrangement)
{
    return static_cast<uint32>(SpeakerArr::getChannelCount(arrangement));
}

FUnknown* Processor::createInstance(void*)
{
    try
    {
        return static_cast<IAudioProcessor*>(new Processor());
    }
    catch (const std::bad_alloc&)
    {
        return nullptr;
    }
}

void Processor::createPlugInObject()
{
    if (plugIn_ != nullptr)
        return;
    // An allocation failure must not unwind into the host: the component then
    // runs without a plug-in, as it does when creation yields nothing.
    try
    {
        plugIn_ = createPlugIn();
    }
    catch (const std::bad_alloc&)
    {
        plugIn_ = nullptr;
    }
    if (plugIn_ == nullptr)
        return;
    plugIn_->initializePlugIn();
    const float l = plugIn_->m_fLatencySamples;
    latency_ = l > 0.0f ? static_cast<uint32>(l) : 0u;
    sidechainEnabled_ = plugIn_->m_bSideChainInput != 0;
    sampleAccurate_ = plugIn_->m_bSampleAccurate != 0;
    updateGranularity_ = plugIn_->m_nAutomationGranularity;

    const int32 count = plugIn_->m_controls.count();
    controls_.assign(static_cast<size_t>(count > 0 ? count : 0), nullptr);
    for (int32 i = 0; i < count; ++i)
        controls_[static_cast<size_t>(i)] = plugIn_->m_controls.at(i);
    stateLayout_ = stateLayoutOf(*plugIn_);

    std::vector<float> initial(static_cast<size_t>(count + 3), 0.0f);
    mailbox_.reset(count + 3, initial.data());
    publishCurrentValues();
}

tresult PLUGIN_API Processor::initialize(FUnknown* context)
{
    const tresult result = SingleComponentEffect::initialize(context);
    if (result == kResultOk)
    {
        addAudioOutput(STR16("Audio Output"), SpeakerArr::kStereo);
        if (!isInstrument())
        {
            addAudioInput(STR16("AudioInput"), SpeakerArr::kStereo);
            if (sidechainEnabled_)
                addAudioInput(STR16("AuxInput"), SpeakerArr::kStereo, kAux);
        }
        addEventInput(STR16("Event Input"), 16);

        createPlugInObject();
        if (plugIn_ != nullptr)
        {
            midiEventList_ = std::make_unique<CVSTMidiEventList>(plugIn_);
            HostMessage message;
            message.midiEventList = midiEventList_.get();
            plugIn_->receiveHostMessage(CPlugIn::kMidiEventList, &message);
            if (sampleAccurate_)
                updateQueues_.resize(controls_.size());
        }
        publishParameters();
    }
    buildUnitsAndPrograms();
    return result;
}

tresult PLUGIN_API Processor::terminate()
{
    meterControls_.clear();
    for (CControlDescriptor* c : controls_)
        if (c != nullptr)
            c->paramUpdateQueue = nullptr;
    updateQueues_.clear();
    if (plugIn_ != nullptr && midiEventList_ != nullptr)
    {
        HostMessage message;
        plugIn_->receiveHostMessage(CPlugIn::kMidiEventList, &message);
    }
    midiEventList_.reset();
    return SingleComponentEffect::terminate();
}

tresult PLUGIN_API Processor::setupProcessing(ProcessSetup& setup)
{
    createPlugInObject();
    if (plugIn_ != nullptr && setup.sampleRate > 0.0)
    {
        plugIn_->m_nSampleRate = static_cast<int32_t>(setup.sampleRate);
        plugIn_->prepareForProcessing();
    }
    return SingleComponentEffect::setupProcessing(setup);
}

tresult PLUGIN_API Processor::setActive(TBool state)
{
    if (!state)
    {
        active_ = false;
        return kResultOk;
    }
    createPlugInObject();
    if (plugIn_ != nullptr)
    {
        // Anything posted while processing but not yet taken lands now, before
        // the plug-in is prepared; the audio thread is not running.
        drainMailbox();
        if (processSetup.sampleRate > 0.0)
            plugIn_->m_nSampleRate = static_cast<int32_t>(processSetup.sampleRate);
        plugIn_->prepareForProcessing();
        publishCurrentValues();
    }
    bypassDelay_.prepare(latency_);
    bypassFade_.prepare(processSetup.sampleRate, !isInstrument() && bypass_);
    active_ = true;
    return kResultOk;
}

tresult PLUGIN_API Processor::setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                                 SpeakerArrangement* outputs, int32 numOuts)
{
    // The frames hold two channels: wider arrangements are refused, not truncated.
    auto fits = [](SpeakerArrangement arr) {
        const uint32 n = channelsOf(arr);
        return n >= 1 && n <= 2;
    };
    bool accepted = false;
    if (isInstrument())
        accepted = numIns == 0 && numOuts == 1 && outputs != nullptr
                   && outputs[0] == SpeakerArr::kStereo;
    else
        accepted = numIns == 1 && numOuts == 1 && inputs != nullptr && outputs != nullptr
                   && inputs[0] == outputs[0] && fits(outputs[0]);
    if (!accepted)
        return kResultFalse;
    return SingleComponentEffect::setBusArrangements(inputs, numIns, outputs, numOuts);
}

uint32 PLUGIN_API Processor::getTailSamples()
{
    if (plugIn_ == nullptr)
        return 0;
    if (plugIn_->m_bInfiniteTail == 1)
        return kInfiniteTail;
    const double samples = plugIn_->m_fTailTimeMs / 1000.0 * processSetup.sampleRate;
    if (!(samples > 0.0))
        return 0;
    if (samples >= 4294967295.0)
        return kInfiniteTail;
    return static_cast<uint32>(samples);
}

tresult Processor::receiveText(const char8* text)
{
    if (plugIn_ == nullptr || text == nullptr)
        return kResultOk;
    if (std::strcmp(text, "VSTGUITimerPing") == 0)
    {
        editorMessage_.kind = EditorMessage::kTimerPing;
        plugIn_->receiveEditorMessage(&editorMessage_);
    }
    else if (std::strcmp(text, "RecreateView") == 0)
    {
        sendEditorMessage(EditorMessage::kOpened);
    }
    return kResultOk;
}

tresult PLUGIN_API Processor::queryInterface(const TUID iid, void** obj)
{
    QUERY_INTERFACE(iid, obj, IMidiMapping::iid, IMidiMapping)
    QUERY_INTERFACE(iid, obj, IUnitInfo::iid, IUnitInfo)
    return SingleComponentEffect::queryInterface(iid, obj);
}

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
