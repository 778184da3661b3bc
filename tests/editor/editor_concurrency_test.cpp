// The editor on the UI thread while the audio thread processes. The editor only asks the
// plug-in (editor messages, linked updates) and reads the description of its controls;
// its edits reach the audio thread through the host as parameter changes. Run under
// ThreadSanitizer: a plug-in with smoothed, sample-accurate controls keeps the audio
// thread writing into its control descriptors while the editor opens, is dragged,
// typed into, ticks and closes, again and again.
#include "frame_input.h"
#include "headless_window.h"

#include "editor/vst3_editor_wp.h"
#include "framework/plugin.h"
#include "host/component_handler.h"
#include "host/host_application.h"
#include "host/parameter_changes.h"
#include "host/plug_frame.h"
#include "host/run_loop.h"
#include "vst3/processor.h"

#include "gui/cslider.h"
#include "gui/ctextedit.h"
#include "gui/cvstguitimer.h"
#include "pluginterfaces/vst/vstspeaker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace VSTGUI;

namespace {

/// Two smoothed controls ("Level" -12..12, id 100; "Follow" 0..10, id 101), updated
/// sample-accurately: the audio thread writes their smoothers and update queues.
class SmoothedPlugIn : public CPlugIn
{
public:
    SmoothedPlugIn()
    {
        m_bHasEditor = true;
        m_nKnobMode = 2;
        m_bSampleAccurate = 1;
        m_nAutomationGranularity = 1;
        CControlDescriptor d;
        d.controlType = kControlTypeNormal;
        d.dataType = kDataFloat;
        d.smoothingEnabled = true;
        d.smoothingTimeMs = 20.0f;
        d.precision = 2;
        d.controlId = 100;
        d.name = "Level";
        d.minValue = -12.0f;
        d.maxValue = 12.0f;
        d.floatVariable = &level;
        m_controls.append(d);
        d.controlId = 101;
        d.name = "Follow";
        d.minValue = 0.0f;
        d.maxValue = 10.0f;
        d.floatVariable = &follow;
        m_controls.append(d);
        buildControlTable();
    }

    bool processFrame(const float* input, float* output, uint32_t channels, uint32_t) override
    {
        smoothControls();
        for (uint32_t c = 0; c < channels; ++c)
            output[c] = input[c] * (1.0f + level * 0.01f);
        return true;
    }
    bool getLinkedUpdates(uint32_t controlId, float plainValue, LinkedUpdate** list, bool) override
    {
        if (controlId != 100)
            return false;
        auto* follows = new LinkedUpdate;
        follows->controlId = 101;
        follows->plainValue = 5.0f + plainValue / 2.4f;
        *list = follows;
        return true;
    }

    float level = 0.0f;
    float follow = 5.0f;
};

} // namespace

CPlugIn* createPlugIn()
{
    return new SmoothedPlugIn;
}

TEST(EditorConcurrency, TheEditorTouchesNothingTheAudioThreadWrites)
{
    IPtr<corvale::host::HostApplication> context = Steinberg::owned(new corvale::host::HostApplication);
    IPtr<corvale::host::ComponentHandler> handler = Steinberg::owned(new corvale::host::ComponentHandler);
    IPtr<Rive2ZOD3::Processor> processor = Steinberg::owned(new Rive2ZOD3::Processor);
    ASSERT_EQ(processor->initialize(context), kResultOk);
    processor->setComponentHandler(handler);
    SpeakerArrangement stereo = SpeakerArr::kStereo;
    ASSERT_EQ(processor->setBusArrangements(&stereo, 1, &stereo, 1), kResultOk);
    ProcessSetup setup {kRealtime, kSample32, 64, 44100.0};
    ASSERT_EQ(processor->setupProcessing(setup), kResultOk);
    ASSERT_EQ(processor->setActive(true), kResultOk);

    std::atomic<bool> stop {false};
    std::atomic<int> blocks {0};
    std::thread audio([&] {
        std::vector<float> in[2] = {std::vector<float>(64, 0.25f), std::vector<float>(64, 0.25f)};
        std::vector<float> out[2] = {std::vector<float>(64), std::vector<float>(64)};
        float* inputs[2] = {in[0].data(), in[1].data()};
        float* outputs[2] = {out[0].data(), out[1].data()};
        AudioBusBuffers inBus {};
        inBus.numChannels = 2;
        inBus.channelBuffers32 = inputs;
        AudioBusBuffers outBus {};
        outBus.numChannels = 2;
        outBus.channelBuffers32 = outputs;
        corvale::host::ParameterChanges changes {8, 8};
        corvale::host::ParameterChanges outputChanges {8, 8};
        ProcessData data {};
        data.processMode = kRealtime;
        data.symbolicSampleSize = kSample32;
        data.numSamples = 64;
        data.numInputs = 1;
        data.numOutputs = 1;
        data.inputs = &inBus;
        data.outputs = &outBus;
        data.inputParameterChanges = &changes;
        data.outputParameterChanges = &outputChanges;
        for (int block = 0; !stop.load(); ++block)
        {
            // Automation keeps the smoothers and the update queues busy.
            changes.clear();
            changes.addChange(0, 0, (block % 10) / 10.0);
            changes.addChange(1, 32, (block % 7) / 7.0);
            processor->process(data);
            blocks.store(block + 1);
        }
    });

    IPtr<corvale::host::RunLoop> loop = Steinberg::owned(new corvale::host::RunLoop);
    IPtr<corvale::host::PlugFrame> plugFrame = Steinberg::owned(new corvale::host::PlugFrame(loop, nullptr));
    auto windows = std::make_shared<corvale::test::HeadlessWindowLog>();
    for (int round = 0; round < 4; ++round)
    {
        SCOPED_TRACE("round " + std::to_string(round));
        const int blocksBefore = blocks.load();
        IPtr<IPlugView> view = Steinberg::owned(processor->createView(ViewType::kEditor));
        auto* editor = dynamic_cast<Rive2ZOD3::VST3EditorWP*>(view.get());
        ASSERT_NE(editor, nullptr);
        editor->setPlatformFrameFactory(corvale::test::headlessWindows(windows));
        view->setFrame(plugFrame);
        ASSERT_EQ(view->attached(reinterpret_cast<void*>(0x42), kPlatformTypeX11EmbedWindowID), kResultOk);

        CFrame* frame = editor->getFrame();
        std::vector<CSlider*> sliders;
        frame->getChildViewsOfType<CSlider>(sliders);
        std::vector<CTextEdit*> edits;
        frame->getChildViewsOfType<CTextEdit>(edits);
        ASSERT_FALSE(sliders.empty());
        ASSERT_FALSE(edits.empty());
        const CRect r = corvale::test::frameRectOf(sliders[0]);
        corvale::test::drag(frame, r.getCenter(), CPoint(r.getCenter().x, r.top), 8);
        corvale::test::typeInto(frame, edits[0], "3");
        for (int tick = 0; tick < 5; ++tick)
            editor->notify(nullptr, CVSTGUITimer::kMsgTimer);

        view->removed();
        view->setFrame(nullptr);
        view = nullptr;
        // The audio thread went on all along.
        while (blocks.load() < blocksBefore + 20)
            std::this_thread::yield();
    }
    stop.store(true);
    audio.join();
    EXPECT_FALSE(handler->edits().empty());

    processor->setActive(false);
    processor->setComponentHandler(nullptr);
    processor->terminate();
}
