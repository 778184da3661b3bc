// The adapter around a Processor that owns a spy plug-in (no module): what the
// host does through the AEffect must reach the plug-in, at the right frame and
// block, and the plug-in side's edits must reach the host.
#include "vst2_test_host.h"

#include "spy_plugin.h"
#include "vst3/plugin_factory.h"
#include "vst3/processor.h"
#include "vst2/vst2_adapter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace vst2test;
using namespace Steinberg;
using namespace Steinberg::Vst::Rive2ZOD3;
namespace Vst = Steinberg::Vst;

namespace {

Processor* gCreated = nullptr;

FUnknown* createSpyProcessor(void*)
{
    FUnknown* unknown = Processor::createInstance(nullptr);
    gCreated = static_cast<Processor*>(static_cast<Vst::IAudioProcessor*>(unknown));
    return unknown;
}

constexpr int kBlock = 32;

class Vst2AdapterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        spyConfig() = SpyConfig {};
        spyConfig().forwardAllMidi = true;
        PFactoryInfo info {};
        copyField(info.vendor, "Spy Vendor", PFactoryInfo::kNameSize);
        factory = new PluginFactory(info);
        PClassInfo2 cls {};
        Processor::cid.toTUID(cls.cid);
        copyField(cls.category, kVstAudioEffectClass, PClassInfo::kCategorySize);
        copyField(cls.name, "Spy", PClassInfo::kNameSize);
        copyField(cls.subCategories, "Fx|Filter", PClassInfo2::kSubCategoriesSize);
        copyField(cls.version, "1.2.3.4", PClassInfo2::kVersionSize);
        factory->registerClass(&cls, createSpyProcessor);

        effect = std::make_unique<Vst2Effect>(
            Vst2Adapter::create(factory, cls.cid, 1234, Vst2TestHost::callback, nullptr));
        ASSERT_NE(effect->get(), nullptr);
        processor = gCreated;
        in.assign(2, std::vector<float>(kBlock, 0.25f));
    }

    void TearDown() override
    {
        effect.reset();
        factory->release();
    }

    SpyPlugIn& spy() { return *static_cast<SpyPlugIn*>(processor->plugInObject()); }

    void block(int n = kBlock)
    {
        std::vector<std::vector<float>> part(2, std::vector<float>(in[0].begin(), in[0].begin() + n));
        effect->process(part, out, n);
    }

    Vst2TestHost host;
    PluginFactory* factory = nullptr;
    std::unique_ptr<Vst2Effect> effect;
    Processor* processor = nullptr;
    std::vector<std::vector<float>> in;
    std::vector<std::vector<float>> out;
};

VstMidiEvent midi(int frame, unsigned char status, unsigned char d1, unsigned char d2)
{
    VstMidiEvent e {};
    e.type = kVstMidiType;
    e.byteSize = sizeof(VstMidiEvent);
    e.deltaFrames = frame;
    e.midiData[0] = status;
    e.midiData[1] = d1;
    e.midiData[2] = d2;
    return e;
}

} // namespace

TEST_F(Vst2AdapterTest, IdentityComesFromTheFactory)
{
    bool overrun = false;
    EXPECT_EQ(effect->text(effGetVendorString, 0, kVendorStrSize, overrun), "Spy Vendor");
    EXPECT_EQ(effect->text(effGetEffectName, 0, kEffectNameSize, overrun), "Spy");
    EXPECT_EQ(effect->dispatch(effGetVendorVersion), 0x01020304);
    EXPECT_EQ(effect->dispatch(effGetPlugCategory), kPlugCategEffect);
    EXPECT_EQ(effect->get()->uniqueID, 1234);
    EXPECT_EQ(effect->get()->initialDelay, 4);
}

TEST_F(Vst2AdapterTest, MidiEventsReachThePlugInAtTheirFrames)
{
    effect->resume(44100.0f, kBlock);
    // Deliberately not in frame order, with a SysEx event and one past the block.
    // The controllers the component maps to parameters (mod wheel, volume, pitch
    // bend, channel pressure) arrive as parameter changes, which the component
    // applies before the block's first frame, in the order they came.
    VstMidiEvent events[] = {
        midi(5, 0x90, 60, 100),   // note on
        midi(3, 0xB1, 1, 64),     // mod wheel, channel 1: mapped
        midi(0, 0xF8, 0, 0),      // clock: raw MIDI
        midi(7, 0x90, 60, 0),     // note on with velocity 0: note off
        midi(10, 0xE2, 0, 64),    // pitch bend centre, channel 2: mapped
        midi(12, 0xB0, 7, 100),   // volume: mapped
        midi(14, 0xB0, 21, 99),   // a controller nothing maps: raw MIDI at its frame
        midi(16, 0xD2, 90, 0),    // channel pressure: mapped
        midi(20, 0xA3, 64, 127),  // poly pressure, channel 3
        midi(100, 0x90, 61, 127), // late: delivered on the last frame
    };
    VstMidiSysexEvent sysex {};
    sysex.type = kVstSysExType;
    struct
    {
        int numEvents;
        VstIntPtr reserved;
        VstEvent* events[12];
    } list {};
    for (auto& e : events)
        list.events[list.numEvents++] = reinterpret_cast<VstEvent*>(&e);
    list.events[list.numEvents++] = reinterpret_cast<VstEvent*>(&sysex);
    EXPECT_EQ(effect->dispatch(effProcessEvents, 0, 0, &list), 1);
    block();

    const std::vector<std::string> expected = {
        "modWheel 0 64 0 @0",     "pitchBend 0 0 0 @0",    "raw 0 7 100000 @0",
        "raw 0 208 90000 @0",     "noteOn 0 60 100 @5",    "noteOff 0 60 0 @7",
        "raw 0 176 21099 @14",    "raw 3 160 64127 @20",   "noteOn 0 61 127 @31",
    };
    EXPECT_EQ(spy().midi, expected);

    // The list is used once: the next block gets no events and no changes.
    spy().midi.clear();
    block();
    EXPECT_TRUE(spy().midi.empty());
}

// A controller that the plug-in asks for (the spy's Gain listens to CC 20)
// reaches a sample-accurate plug-in as a ramp that arrives at the event's frame,
// as a VST 3 host's parameter change at that offset would; the host and the
// controller see the new value after the next idle, without an automation record.
TEST_F(Vst2AdapterTest, MappedControllerMovesItsParameterAtItsFrame)
{
    effect.reset();
    spyConfig().sampleAccurate = true;
    TUID cid {};
    Processor::cid.toTUID(cid);
    effect = std::make_unique<Vst2Effect>(
        Vst2Adapter::create(factory, cid, 1234, Vst2TestHost::callback, nullptr));
    ASSERT_NE(effect->get(), nullptr);
    processor = gCreated;
    effect->resume(44100.0f, kBlock);
    block();
    spy().gainRamp.clear();
    const int blockStart = spy().frames;

    constexpr int kFrame = 12;
    VstMidiEvent cc = midi(kFrame, 0xB1, 20, 127);
    struct
    {
        int numEvents;
        VstIntPtr reserved;
        VstEvent* events[1];
    } list {1, 0, {reinterpret_cast<VstEvent*>(&cc)}};
    effect->dispatch(effProcessEvents, 0, 0, &list);
    host.calls.clear();
    block();

    ASSERT_FALSE(spy().gainRamp.empty());
    for (const auto& [frame, value] : spy().gainRamp)
    {
        if (frame - blockStart < kFrame)
            EXPECT_LT(value, 1.0) << "frame " << frame - blockStart;
        else
            EXPECT_EQ(value, 1.0) << "frame " << frame - blockStart;
    }
    EXPECT_EQ(spy().gainRamp.back().first - blockStart, kFrame);
    EXPECT_FLOAT_EQ(spy().gain, 2.0f);
    EXPECT_TRUE(host.callsOf(audioMasterAutomate).empty());

    AEffect* e = effect->get();
    EXPECT_FLOAT_EQ(e->getParameter(e, SpyPlugIn::kGain), 1.0f);
    EXPECT_LT(processor->getParamNormalized(SpyPlugIn::kGain), 1.0);
    effect->dispatch(effEditIdle);
    EXPECT_EQ(processor->getParamNormalized(SpyPlugIn::kGain), 1.0);
}

// The host's time information reaches the plug-in's transport messages: the
// tempo, time signature and position of each block as the host tells them, and
// 120 and 4/4 with a position counted from the resume when it tells nothing.
TEST_F(Vst2AdapterTest, TimeInfoFromTheHostReachesThePlugInsHostInfo)
{
    effect->resume(48000.0f, kBlock);
    VstTimeInfo time {};
    time.samplePos = 96000.0;
    time.sampleRate = 48000.0;
    time.tempo = 133.5;
    time.ppqPos = 4.45;
    time.timeSigNumerator = 7;
    time.timeSigDenominator = 8;
    time.flags = kVstTransportPlaying | kVstTempoValid | kVstTimeSigValid | kVstPpqPosValid;
    host.timeInfo = &time;
    block();
    ASSERT_FALSE(host.callsOf(audioMasterGetTime).empty());
    ASSERT_FALSE(spy().transport.empty());
    const HostInfo& first = spy().transport.front();
    EXPECT_EQ(first.tempo, 133.5);
    EXPECT_EQ(first.timeSigNumerator, 7.0f);
    EXPECT_EQ(first.timeSigDenominator, 8);
    EXPECT_EQ(first.samplePosition, 96000u);
    EXPECT_DOUBLE_EQ(first.seconds, 2.0);

    // The tempo changes with the next block; invalid fields fall back.
    time.samplePos = 96000.0 + kBlock;
    time.tempo = 90.0;
    time.flags = kVstTempoValid;
    spy().transport.clear();
    block();
    ASSERT_FALSE(spy().transport.empty());
    EXPECT_EQ(spy().transport.front().tempo, 90.0);
    EXPECT_EQ(spy().transport.front().timeSigNumerator, 4.0f);
    EXPECT_EQ(spy().transport.front().samplePosition, static_cast<uint64_t>(96000 + kBlock));

    host.timeInfo = nullptr;
    spy().transport.clear();
    block();
    ASSERT_FALSE(spy().transport.empty());
    EXPECT_EQ(spy().transport.front().tempo, 120.0);
    EXPECT_EQ(spy().transport.front().timeSigDenominator, 4);
    EXPECT_EQ(spy().transport.front().samplePosition, static_cast<uint64_t>(2 * kBlock));
}

TEST_F(Vst2AdapterTest, SetParameterReachesTheProcessorNextBlockAndTheControllerOnIdle)
{
    AEffect* e = effect->get();
    effect->resume(44100.0f, kBlock);
    const Vst::ParamValue before = processor->getParamNormalized(SpyPlugIn::kBand);
    e->setParameter(e, SpyPlugIn::kBand, 0.75f);
    EXPECT_FLOAT_EQ(spy().band, 0.0f);
    block();
    EXPECT_FLOAT_EQ(spy().band, 6.0f);
    EXPECT_EQ(processor->getParamNormalized(SpyPlugIn::kBand), before);
    effect->dispatch(effEditIdle);
    EXPECT_FLOAT_EQ(processor->getParamNormalized(SpyPlugIn::kBand), 0.75f);

    effect->dispatch(kEffSetBypass, 0, 1);
    for (int fed = 0; fed < 441; fed += kBlock)  // the 10 ms crossfade to the dry signal
        block();
    block();
    EXPECT_EQ(out[0], in[0]);  // bypassed: the (constant) input, delayed by the latency
}

TEST_F(Vst2AdapterTest, EditsFromThePlugInReachTheHostAsAutomation)
{
    AEffect* e = effect->get();
    effect->resume(44100.0f, kBlock);
    host.calls.clear();
    processor->beginEdit(SpyPlugIn::kGain);
    processor->setParamNormalized(SpyPlugIn::kGain, 0.25);
    processor->performEdit(SpyPlugIn::kGain, 0.25);
    processor->endEdit(SpyPlugIn::kGain);

    ASSERT_EQ(host.calls.size(), 3u);
    EXPECT_EQ(host.calls[0].opcode, audioMasterBeginEdit);
    EXPECT_EQ(host.calls[1].opcode, audioMasterAutomate);
    EXPECT_FLOAT_EQ(host.calls[1].opt, 0.25f);
    EXPECT_EQ(host.calls[2].opcode, audioMasterEndEdit);
    for (const HostCall& c : host.calls)
        EXPECT_EQ(c.index, SpyPlugIn::kGain);  // the spy's first controls keep their positions
    EXPECT_FLOAT_EQ(e->getParameter(e, SpyPlugIn::kGain), 0.25f);
    block();
    EXPECT_FLOAT_EQ(spy().gain, 0.5f);
}

TEST_F(Vst2AdapterTest, NotResumedGivesSilenceWithoutCallingThePlugIn)
{
    out.assign(2, std::vector<float>(kBlock, 1.0f));
    block();
    EXPECT_EQ(out[0], std::vector<float>(kBlock, 0.0f));
    EXPECT_EQ(spy().frames, 0);
}

TEST_F(Vst2AdapterTest, ValuesSetWhileSuspendedAreInTheChunk)
{
    AEffect* e = effect->get();
    e->setParameter(e, SpyPlugIn::kBand, 1.0f);
    void* data = nullptr;
    ASSERT_GT(effect->dispatch(effGetChunk, 0, 0, &data), 16);
    EXPECT_FLOAT_EQ(spy().band, 12.0f);
}

// Host automation from another thread while the audio thread processes: the
// last value lands, and (under ThreadSanitizer) the hand-over is race-free.
TEST_F(Vst2AdapterTest, SetParameterFromAnotherThreadWhileProcessing)
{
    AEffect* e = effect->get();
    effect->resume(44100.0f, kBlock);
    std::atomic<bool> done {false};
    std::thread automation([&] {
        for (int i = 0; i <= 2000; ++i)
            e->setParameter(e, SpyPlugIn::kGain, static_cast<float>(i) / 2000.0f);
        done = true;
    });
    int blocks = 0;
    while (!done || blocks < 4)
    {
        block();
        ++blocks;
    }
    automation.join();
    block();
    EXPECT_FLOAT_EQ(spy().gain, 2.0f);
    EXPECT_FLOAT_EQ(e->getParameter(e, SpyPlugIn::kGain), 1.0f);
}
