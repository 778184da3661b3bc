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
namespace {

uint32 channelsOf(SpeakerArrangement arr)
{
    return static_cast<uint32>(SpeakerArr::getChannelCount(arr));
}

} // namespace

const FUID Processor::cid = processorClassId();

Processor::Processor()
{
    createPlugInObject();
}

Processor::~Processor()
{
    midiEventList.reset();
    updateQueues.clear();
    delete plugIn;
    plugIn = nullptr;
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
    if (plugIn != nullptr)
        return;
    // An allocation failure must not unwind into the host: the component then
    // runs without a plug-in, as it does when creation yields nothing.
    try
    {
        plugIn = createPlugIn();
    }
    catch (const std::bad_alloc&)
    {
        plugIn = nullptr;
    }
    if (plugIn == nullptr)
        return;
    plugIn->initializePlugIn();
    const float l = plugIn->m_fLatencySamples;
    latency = l > 0.0f ? static_cast<uint32>(l) : 0u;
    sidechainEnabled = plugIn->m_bSideChainInput != 0;
    sampleAccurate = plugIn->m_bSampleAccurate != 0;
    updateGranularity = plugIn->m_nAutomationGranularity;

    const int32 count = plugIn->m_controls.count();
    controls.assign(static_cast<size_t>(count > 0 ? count : 0), nullptr);
    for (int32 i = 0; i < count; ++i)
        controls[static_cast<size_t>(i)] = plugIn->m_controls.at(i);
    stateLayout = stateLayoutOf(*plugIn);

    std::vector<float> initial(static_cast<size_t>(count + 3), 0.0f);
    mailbox.reset(count + 3, initial.data());
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
            if (sidechainEnabled)
                addAudioInput(STR16("AuxInput"), SpeakerArr::kStereo, kAux);
        }
        addEventInput(STR16("Event Input"), 16);

        createPlugInObject();
        if (plugIn != nullptr)
        {
            midiEventList = std::make_unique<CVSTMidiEventList>(plugIn);
            HostMessage message;
            message.midiEventList = midiEventList.get();
            plugIn->receiveHostMessage(CPlugIn::kMidiEventList, &message);
            if (sampleAccurate)
                updateQueues.resize(controls.size());
        }
        publishParameters();
    }
    buildUnitsAndPrograms();
    return result;
}

tresult PLUGIN_API Processor::terminate()
{
    meterControls.clear();
    for (CControlDescriptor* c : controls)
        if (c != nullptr)
            c->paramUpdateQueue = nullptr;
    updateQueues.clear();
    if (plugIn != nullptr && midiEventList != nullptr)
    {
        HostMessage message;
        plugIn->receiveHostMessage(CPlugIn::kMidiEventList, &message);
    }
    midiEventList.reset();
    return SingleComponentEffect::terminate();
}

tresult PLUGIN_API Processor::setupProcessing(ProcessSetup& setup)
{
    createPlugInObject();
    if (plugIn != nullptr && setup.sampleRate > 0.0)
    {
        plugIn->m_nSampleRate = static_cast<int32_t>(setup.sampleRate);
        plugIn->prepareForProcessing();
    }
    return SingleComponentEffect::setupProcessing(setup);
}

tresult PLUGIN_API Processor::setActive(TBool state)
{
    if (!state)
    {
        active = false;
        return kResultOk;
    }
    createPlugInObject();
    if (plugIn != nullptr)
    {
        // Anything posted while processing but not yet taken lands now, before
        // the plug-in is prepared; the audio thread is not running.
        drainMailbox();
        if (processSetup.sampleRate > 0.0)
            plugIn->m_nSampleRate = static_cast<int32_t>(processSetup.sampleRate);
        plugIn->prepareForProcessing();
        publishCurrentValues();
    }
    bypassDelay.prepare(latency);
    active = true;
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
    if (plugIn == nullptr)
        return 0;
    if (plugIn->m_bInfiniteTail == 1)
        return kInfiniteTail;
    const double samples = plugIn->m_fTailTimeMs / 1000.0 * processSetup.sampleRate;
    if (!(samples > 0.0))
        return 0;
    if (samples >= 4294967295.0)
        return kInfiniteTail;
    return static_cast<uint32>(samples);
}

tresult Processor::receiveText(const char8* text)
{
    if (plugIn == nullptr || text == nullptr)
        return kResultOk;
    if (std::strcmp(text, "VSTGUITimerPing") == 0)
    {
        editorMessage.kind = EditorMessage::kTimerPing;
        plugIn->receiveEditorMessage(&editorMessage);
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
