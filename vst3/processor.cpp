// Processor: life cycle, buses, editor texts and interface queries.
#include "vst3/processor.h"
#include "vst3/midi/midi_event_list.h"
#include "vst3/midi/param_update_queue.h"
#include "vst3/processor_ids.h"

#include "pluginterfaces/vst/vstspeaker.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>

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
    catch (const std::exception&)
    {
        return nullptr;
    }
}

void Processor::createPlugInObject()
{
    if (plugIn_ != nullptr)
        return;
    // Everything that may fail is built aside first and committed only when all
    // of it exists: a failure must neither unwind into the host nor leave a
    // half-made plug-in behind. The component then runs without a plug-in, as
    // it does when creation yields nothing, and a later call tries again.
    std::unique_ptr<CPlugIn> plugIn;
    std::vector<CControlDescriptor*> controls;
    std::vector<StateField> layout;
    try
    {
        plugIn.reset(createPlugIn());
        if (plugIn == nullptr)
            return;
        plugIn->initializePlugIn();
        const int32 count = std::max(plugIn->m_controls.count(), 0);
        controls.assign(static_cast<size_t>(count), nullptr);
        for (int32 i = 0; i < count; ++i)
            controls[static_cast<size_t>(i)] = plugIn->m_controls.at(i);
        layout = stateLayoutOf(*plugIn);
        std::vector<float> initial(static_cast<size_t>(count + 3), 0.0f);
        mailbox_.reset(count + 3, initial.data());
    }
    catch (const std::exception&)
    {
        return;
    }

    plugIn_ = plugIn.release();
    controls_.swap(controls);
    stateLayout_.swap(layout);
    const float l = plugIn_->m_fLatencySamples;
    latency_ = l > 0.0f ? static_cast<uint32>(l) : 0u;
    sidechainEnabled_ = plugIn_->m_bSideChainInput != 0;
    sampleAccurate_ = plugIn_->m_bSampleAccurate != 0;
    updateGranularity_ = plugIn_->m_nAutomationGranularity;
    publishCurrentValues();
}

tresult Processor::preparePlugIn(int32 sampleRate)
{
    // A plug-in that cannot prepare for the new rate keeps running as it was,
    // at the rate it was last prepared for.
    const int32_t previousRate = plugIn_->m_nSampleRate;
    plugIn_->m_nSampleRate = sampleRate;
    tresult result = kResultFalse;
    try
    {
        result = plugIn_->prepareForProcessing() ? kResultOk : kResultFalse;
    }
    catch (const std::bad_alloc&)
    {
        result = kOutOfMemory;
    }
    catch (const std::exception&)
    {
        result = kInternalError;
    }
    if (result != kResultOk)
        plugIn_->m_nSampleRate = previousRate;
    return result;
}

tresult PLUGIN_API Processor::initialize(FUnknown* context)
{
    const tresult result = SingleComponentEffect::initialize(context);
    try
    {
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
    }
    catch (const std::exception&)
    {
        // Whatever was built goes again, so that the host can retry or give up.
        if (result == kResultOk)
            terminate();
        units.clear();
        return kOutOfMemory;
    }
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
        // Refused: the previous setup stays in force, and so does the plug-in.
        const tresult prepared = preparePlugIn(static_cast<int32>(setup.sampleRate));
        if (prepared != kResultOk)
            return prepared;
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
    tresult result = kResultOk;
    if (plugIn_ != nullptr)
    {
        // Anything posted while processing but not yet taken lands now, before
        // the plug-in is prepared; the audio thread is not running.
        drainMailbox();
        const int32 rate = processSetup.sampleRate > 0.0
                               ? static_cast<int32>(processSetup.sampleRate)
                               : plugIn_->m_nSampleRate;
        result = preparePlugIn(rate);
        publishCurrentValues();
    }
    try
    {
        bypassDelay_.prepare(latency_);
    }
    catch (const std::exception&)
    {
        // No room for the delay line: the one prepared before (or none: the dry
        // signal passes undelayed) stays, as prepare changes nothing when it fails.
        result = kOutOfMemory;
    }
    bypassFade_.prepare(processSetup.sampleRate, !isInstrument() && bypass_);
    // Even when the host is told of a failure the component counts as active: a
    // host that processes anyway meets working engines, and main-thread writes
    // keep going through the mailbox instead of racing the audio thread.
    active_ = true;
    return result;
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
