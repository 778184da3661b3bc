// The controller side of the component with a spy plug-in: the parameters it
// publishes, units and programs, program changes, editor messages, MIDI mapping
// and the bus and tail queries.
#include "processor_harness.h"

#include "host/string_convert.h"
#include "vst3/processor_ids.h"

#include "pluginterfaces/vst/ivstmidicontrollers.h"

#include <gtest/gtest.h>

#include <map>

namespace Ids = Vst::Rive2ZOD3::ParamIds;
using Steinberg::kResultFalse;
using Steinberg::kResultOk;

namespace {

class ProcessorController : public ::testing::Test
{
protected:
    void SetUp() override { spyConfig() = SpyConfig(); }
};

std::map<Vst::ParamID, Vst::ParameterInfo> infoById(Vst::Rive2ZOD3::Processor& p,
                                                   std::vector<Vst::ParamID>* order = nullptr)
{
    std::map<Vst::ParamID, Vst::ParameterInfo> all;
    for (int32_t i = 0; i < p.getParameterCount(); ++i)
    {
        Vst::ParameterInfo info {};
        p.getParameterInfo(i, info);
        all[info.id] = info;
        if (order != nullptr)
            order->push_back(info.id);
    }
    return all;
}

std::string text(Vst::Rive2ZOD3::Processor& p, Vst::ParamID id, double v)
{
    Vst::String128 s {};
    p.getParamStringByValue(id, v, s);
    return corvale::host::toUtf8(s);
}

} // namespace

TEST_F(ProcessorController, PublishesControlsThenFixedParametersInOrder)
{
    ProcessorHarness h(false);
    std::vector<Vst::ParamID> order;
    auto all = infoById(*h.processor, &order);
    const std::vector<Vst::ParamID> expected = {
        SpyPlugIn::kBand, SpyPlugIn::kGain, SpyPlugIn::kSteps, SpyPlugIn::kSwitch, SpyPlugIn::kMeter,
        SpyPlugIn::kLog, 7, 8, 9, 10, 11, 12, 13, 14, 15, Ids::kJoystickX, Ids::kJoystickY, Ids::kButton1, Ids::kButton2,
        Ids::kButton3, Ids::kBypass, Ids::kPitchBend, Ids::kMidiVolume, Ids::kMidiPan,
        Ids::kModWheel, Ids::kMidiExpression, Ids::kChannelPressure, Ids::kSustainPedal,
        Ids::kAllNotesOff, Ids::kFactoryPresets};
    EXPECT_EQ(order, expected);

    EXPECT_EQ(corvale::host::toUtf8(all[SpyPlugIn::kBand].units), "dB");
    EXPECT_EQ(all[SpyPlugIn::kBand].flags, Vst::ParameterInfo::kCanAutomate);
    EXPECT_EQ(all[SpyPlugIn::kMeter].flags, Vst::ParameterInfo::kIsReadOnly);
    EXPECT_EQ(h.processor->getParamNormalized(SpyPlugIn::kMeter), 0.0);
    EXPECT_EQ(all[Ids::kBypass].flags, Vst::ParameterInfo::kCanAutomate | Vst::ParameterInfo::kIsBypass);
    EXPECT_EQ(all[Ids::kFactoryPresets].flags,
              Vst::ParameterInfo::kIsProgramChange | Vst::ParameterInfo::kIsList);
    EXPECT_EQ(all[Ids::kFactoryPresets].stepCount, 4);
    EXPECT_EQ(all[SpyPlugIn::kSwitch].stepCount, 1);
    EXPECT_EQ(text(*h.processor, SpyPlugIn::kSwitch, 0.0), "OFF");
    EXPECT_EQ(text(*h.processor, SpyPlugIn::kSwitch, 1.0), "ON");
    EXPECT_EQ(text(*h.processor, SpyPlugIn::kSteps, 0.33), "3") << "integers show no decimals";
    EXPECT_EQ(text(*h.processor, SpyPlugIn::kBand, 0.75), "6.00");
    EXPECT_EQ(corvale::host::toUtf8(all[Ids::kJoystickX].title), "VectorJoystick X");
    EXPECT_EQ(all[Ids::kJoystickX].defaultNormalizedValue, 0.5);
    EXPECT_EQ(text(*h.processor, Ids::kPitchBend, 0.3), "0.3");
}

TEST_F(ProcessorController, EmptyButtonNameLeavesOutThatButtonOnly)
{
    spyConfig().buttonNames[1] = "";
    ProcessorHarness h(false);
    auto all = infoById(*h.processor);
    EXPECT_EQ(all.count(Ids::kButton1), 1u);
    EXPECT_EQ(all.count(Ids::kButton2), 0u);
    EXPECT_EQ(all.count(Ids::kButton3), 1u);
}

TEST_F(ProcessorController, UnitsAndProgramList)
{
    ProcessorHarness h(false);
    auto& p = *h.processor;
    ASSERT_EQ(p.getUnitCount(), 2);
    Vst::UnitInfo root {};
    Vst::UnitInfo presets {};
    p.getUnitInfo(0, root);
    p.getUnitInfo(1, presets);
    EXPECT_EQ(corvale::host::toUtf8(root.name), "RootUnit");
    EXPECT_EQ(root.id, 1);
    EXPECT_EQ(root.parentUnitId, 0);
    EXPECT_EQ(corvale::host::toUtf8(presets.name), "PresetsUnit");
    EXPECT_EQ(presets.id, 0);
    EXPECT_EQ(presets.programListId, static_cast<int32_t>(Ids::kFactoryPresets));

    EXPECT_EQ(p.getProgramListCount(), 1);
    Vst::ProgramListInfo list {};
    ASSERT_EQ(p.getProgramListInfo(0, list), kResultOk);
    EXPECT_EQ(corvale::host::toUtf8(list.name), "Presets");
    EXPECT_EQ(list.programCount, 5);
    EXPECT_EQ(p.getProgramListInfo(1, list), kResultFalse);
    Vst::String128 name {};
    ASSERT_EQ(p.getProgramName(Ids::kFactoryPresets, 3, name), kResultOk);
    EXPECT_EQ(corvale::host::toUtf8(name), "P3");
    EXPECT_EQ(p.getProgramName(Ids::kFactoryPresets, 5, name), kResultFalse);
    EXPECT_EQ(p.getProgramName(7, 0, name), kResultFalse);
}

TEST_F(ProcessorController, WithoutPresetNamesThereIsOnlyTheRootUnit)
{
    spyConfig().presetCount = 0;
    ProcessorHarness h(false);
    EXPECT_EQ(h.processor->getUnitCount(), 1);
    EXPECT_EQ(h.processor->getProgramListCount(), 0);
    EXPECT_EQ(infoById(*h.processor).count(Ids::kFactoryPresets), 0u);
}

TEST_F(ProcessorController, ProgramChangeSetsControlsTellsThePlugInAndAsksForARestart)
{
    for (bool active : {false, true})
    {
        ProcessorHarness h(active);
        h.spy().editorKinds.clear();
        // Program 2 of 5: normalised 0.5.
        ASSERT_EQ(h.processor->setParamNormalized(Ids::kFactoryPresets, 0.5), kResultOk);
        if (active)
            h.process(0);  // the audio thread takes the values at its next block
        EXPECT_FLOAT_EQ(h.spy().band, 0.0f);   // -12 + 24 * 2/4
        EXPECT_FLOAT_EQ(h.spy().gain, 1.0f);
        EXPECT_EQ(h.spy().steps, 5);
        EXPECT_FLOAT_EQ(static_cast<float>(h.processor->getParamNormalized(SpyPlugIn::kBand)), 0.5f);
        // One message for the program parameter, one per control (sixteen, as the
        // equaliser has), two for the joystick.
        EXPECT_EQ(h.spy().editorKinds, std::vector<int32_t>(19, 13));
        EXPECT_EQ(h.spy().editorTags.back(), static_cast<int32_t>(Ids::kJoystickY));
        const double a = (0.2 - -0.1) / 1.41421356 / 1.414;
        const double b = (0.2 + -0.1) / 1.41421356 / 1.414;
        EXPECT_NEAR(h.processor->getParamNormalized(Ids::kJoystickX), a * 0.5 + 0.5, 1e-12);
        float x = 0.0f;
        float y = 0.0f;
        h.spy().getJoystick(&x, &y);
        EXPECT_FLOAT_EQ(x, static_cast<float>(a));
        EXPECT_FLOAT_EQ(y, static_cast<float>(b));
        EXPECT_EQ(h.handler->restartRequests(), std::vector<int32_t>({Vst::kParamValuesChanged}));
    }
}

TEST_F(ProcessorController, ProgramChangeRefusedBeforeInitializeChangesNothing)
{
    Steinberg::IPtr<Vst::Rive2ZOD3::Processor> p = Steinberg::owned(new Vst::Rive2ZOD3::Processor());
    auto& spy = *static_cast<SpyPlugIn*>(p->plugInObject());
    EXPECT_EQ(p->setParamNormalized(Ids::kFactoryPresets, 1.0), kResultFalse);
    EXPECT_FLOAT_EQ(spy.gain, 1.0f);
    EXPECT_EQ(spy.editorKinds, std::vector<int32_t>({13})) << "the plug-in is still told";
}

TEST_F(ProcessorController, EditorTextsReachThePlugIn)
{
    ProcessorHarness h(false);
    h.spy().editorKinds.clear();
    EXPECT_EQ(h.processor->receiveText("VSTGUITimerPing"), kResultOk);
    EXPECT_EQ(h.processor->receiveText("RecreateView"), kResultOk);
    EXPECT_EQ(h.processor->receiveText("Other"), kResultOk);
    EXPECT_EQ(h.spy().editorKinds, std::vector<int32_t>({2, 0}));
    EXPECT_EQ(h.processor->createView("editor"), nullptr);
}

TEST_F(ProcessorController, MidiControllerAssignment)
{
    ProcessorHarness h(false);
    Steinberg::FUnknownPtr<Vst::IMidiMapping> mapping(h.processor->unknownCast());
    ASSERT_TRUE(mapping);
    struct Row
    {
        int32_t bus;
        int16_t channel;
        Vst::CtrlNumber controller;
        Steinberg::tresult result;
        Vst::ParamID id;
    };
    const Row rows[] = {
        {0, 5, Vst::kCtrlVolume, kResultOk, Ids::kMidiVolume},  // fixed numbers win over "Steps"
        {0, 0, Vst::kCtrlModWheel, kResultOk, Ids::kModWheel},
        {0, 0, Vst::kCtrlPan, kResultOk, Ids::kMidiPan},
        {0, 0, Vst::kCtrlExpression, kResultOk, Ids::kMidiExpression},
        {0, 0, Vst::kCtrlSustainOnOff, kResultOk, Ids::kSustainPedal},
        {0, 0, Vst::kCtrlAllNotesOff, kResultOk, Ids::kAllNotesOff},
        {0, 0, Vst::kAfterTouch, kResultOk, Ids::kChannelPressure},
        {0, 0, Vst::kPitchBend, kResultOk, Ids::kPitchBend},
        {0, 3, 20, kResultOk, SpyPlugIn::kGain},
        {0, 0, 21, kResultFalse, 0},
        {1, 0, Vst::kCtrlVolume, kResultFalse, 12345},
    };
    for (const Row& row : rows)
    {
        Vst::ParamID id = 12345;
        EXPECT_EQ(mapping->getMidiControllerAssignment(row.bus, row.channel, row.controller, id), row.result)
            << row.controller;
        EXPECT_EQ(id, row.id) << row.controller;
    }
}

TEST_F(ProcessorController, BusArrangements)
{
    ProcessorHarness h(false);
    using namespace Vst::SpeakerArr;
    struct Row
    {
        std::vector<Vst::SpeakerArrangement> ins, outs;
        Steinberg::tresult result;
    };
    const Row rows[] = {
        {{kStereo}, {kStereo}, kResultOk},
        {{kMono}, {kMono}, kResultOk},
        {{kStereo}, {kMono}, kResultFalse},
        {{k51}, {k51}, kResultFalse},  // wider than the two-channel frames
        {{kEmpty}, {kEmpty}, kResultFalse},
        {{}, {kStereo}, kResultFalse},
        {{kStereo, kStereo}, {kStereo}, kResultFalse},
    };
    for (const Row& row : rows)
    {
        auto ins = row.ins;
        auto outs = row.outs;
        EXPECT_EQ(h.processor->setBusArrangements(ins.data(), static_cast<int32_t>(ins.size()),
                                                  outs.data(), static_cast<int32_t>(outs.size())),
                  row.result);
    }
    Vst::SpeakerArrangement arr = 0;
    h.processor->getBusArrangement(Vst::kOutput, 0, arr);
    EXPECT_EQ(arr, kMono) << "refused arrangements leave the buses as they were";
}

TEST_F(ProcessorController, InstrumentBuses)
{
    spyConfig().instrument = true;
    ProcessorHarness h(false);
    EXPECT_EQ(h.processor->getBusCount(Vst::kAudio, Vst::kInput), 0);
    EXPECT_EQ(h.processor->getBusCount(Vst::kAudio, Vst::kOutput), 1);
    EXPECT_EQ(h.processor->getBusCount(Vst::kEvent, Vst::kInput), 1);
    Vst::SpeakerArrangement stereo = Vst::SpeakerArr::kStereo;
    Vst::SpeakerArrangement mono = Vst::SpeakerArr::kMono;
    EXPECT_EQ(h.processor->setBusArrangements(nullptr, 0, &stereo, 1), kResultOk);
    EXPECT_EQ(h.processor->setBusArrangements(nullptr, 0, &mono, 1), kResultFalse);
    EXPECT_EQ(h.processor->setBusArrangements(&stereo, 1, &stereo, 1), kResultFalse);
}

TEST_F(ProcessorController, TailSamples)
{
    {
        ProcessorHarness h(false);
        h.activate(48000.0);
        EXPECT_EQ(h.processor->getTailSamples(), 24000u);
    }
    spyConfig().infiniteTail = 1;
    ProcessorHarness h(false);
    EXPECT_EQ(h.processor->getTailSamples(), Vst::kInfiniteTail);
}

TEST_F(ProcessorController, SampleSizes)
{
    ProcessorHarness h(false);
    EXPECT_EQ(h.processor->canProcessSampleSize(Vst::kSample32), kResultOk);
    EXPECT_EQ(h.processor->canProcessSampleSize(Vst::kSample64), kResultFalse);
    Vst::ProcessSetup setup {Vst::kRealtime, Vst::kSample64, 512, 44100.0};
    EXPECT_EQ(h.processor->setupProcessing(setup), kResultFalse);
}
