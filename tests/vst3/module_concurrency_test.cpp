// One thread processes continuously while the main thread loads states and
// selects programs: under ThreadSanitizer this must report no race, getState
// must show each state right after it was loaded, and the last one must stay.
#include "module_test_support.h"

#include "public.sdk/source/common/memorystream.h"

#include <atomic>
#include <random>
#include <thread>

using namespace Steinberg;
using corvale::host::PluginInstance;
using corvale::host::ProcessConfig;

TEST(ModuleConcurrency, StateLoadsAndProgramChangesWhileProcessing)
{
    PluginInstance plugin;
    ASSERT_TRUE(plugin.load(bundlePath())) << plugin.error();
    ASSERT_TRUE(plugin.prepare(ProcessConfig {44100.0, 64, 2})) << plugin.error();

    std::atomic<bool> stop {false};
    std::atomic<long> blocks {0};
    std::thread audio([&] {
        std::vector<float> in(64), left(64), right(64);
        for (size_t i = 0; i < in.size(); ++i)
            in[i] = (i % 16 < 8) ? 0.25f : -0.25f;
        const float* inputs[2] = {in.data(), in.data()};
        float* outputs[2] = {left.data(), right.data()};
        while (!stop.load())
        {
            plugin.process(inputs, outputs, 64);
            blocks.fetch_add(1);
        }
    });

    while (blocks.load() == 0)
        std::this_thread::yield();  // start loading once the audio thread runs

    std::mt19937 random(1234);
    std::uniform_real_distribution<float> band(-12.0f, 12.0f);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    std::vector<char> last;
    int mismatches = 0;
    for (int iteration = 0; iteration < 400; ++iteration)
    {
        float controls[16];
        for (int i = 0; i < 15; ++i)
            controls[i] = band(random);
        controls[15] = unit(random) + 1.0f;
        last = StateBytes::equaliser(controls, static_cast<int16_t>(iteration % 2), 1, unit(random),
                                     unit(random)).data;
        std::vector<char> copy(last);
        IPtr<MemoryStream> stream = owned(new MemoryStream(copy.data(), static_cast<TSize>(copy.size())));
        ASSERT_EQ(plugin.component()->setState(stream), kResultOk);
        std::vector<char> now;
        ASSERT_TRUE(plugin.getState(now));
        if (now != last)
            ++mismatches;
        if (iteration % 3 == 0 && iteration + 1 < 400)
            plugin.selectProgram(iteration % 16);
    }
    // Let the audio thread take the last state before it stops.
    const long seen = blocks.load();
    while (blocks.load() < seen + 2)
        std::this_thread::yield();
    stop.store(true);
    audio.join();

    RecordProperty("blocks", static_cast<int>(blocks.load()));
    EXPECT_EQ(mismatches, 0);
    std::vector<char> final;
    ASSERT_TRUE(plugin.getState(final));
    EXPECT_EQ(final, last);
}
