// Random byte streams into setState and setComponentState (fixed seed): no
// crash, no sanitizer report, and a rejected stream changes nothing.
#include "module_test_support.h"

#include "public.sdk/source/common/memorystream.h"

#include <cmath>
#include <random>

using namespace Steinberg;
using corvale::host::PluginInstance;
using corvale::host::ProcessConfig;

namespace {

std::vector<double> parameterValues(PluginInstance& plugin)
{
    std::vector<double> values;
    for (const auto& p : plugin.parameters())
        values.push_back(plugin.normalized(p.id));
    return values;
}

std::vector<char> randomStream(std::mt19937& random)
{
    const float flat[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1.0f};
    std::vector<char> bytes = StateBytes::equaliser(flat, 0).data;
    std::uniform_int_distribution<int> byte(0, 255);
    switch (random() % 4)
    {
    case 0:  // noise of any length
        bytes.resize(random() % 100);
        for (char& b : bytes)
            b = static_cast<char>(byte(random));
        break;
    case 1:  // a valid stream with a few bytes changed
        for (int k = 0, n = 1 + static_cast<int>(random() % 4); k < n; ++k)
            bytes[random() % bytes.size()] = static_cast<char>(byte(random));
        break;
    case 2:  // cut short
        bytes.resize(random() % bytes.size());
        break;
    default:  // version 0 or trailing bytes
        if (random() % 2 == 0)
        {
            bytes[0] = 0;
            bytes.resize(74);
        }
        else
        {
            bytes.resize(bytes.size() + random() % 9, '\x7f');
        }
        break;
    }
    return bytes;
}

void checkSaneState(const std::vector<char>& s)
{
    ASSERT_EQ(s.size(), 82u);
    for (int p = 0; p < 16; ++p)
    {
        const float v = controlInState(s, p);
        ASSERT_TRUE(std::isfinite(v));
        ASSERT_GE(v, p < 15 ? -12.0f : 0.0f);
        ASSERT_LE(v, p < 15 ? 12.0f : 2.0f);
    }
}

void fuzz(PluginInstance& plugin, int iterations, unsigned seed)
{
    std::mt19937 random(seed);
    int accepted = 0;
    for (int i = 0; i < iterations; ++i)
    {
        std::vector<char> before;
        ASSERT_TRUE(plugin.getState(before));
        const std::vector<double> paramsBefore = parameterValues(plugin);

        std::vector<char> bytes = randomStream(random);
        IPtr<MemoryStream> stream = owned(new MemoryStream(bytes.data(), static_cast<TSize>(bytes.size())));
        const tresult component = plugin.component()->setState(stream);
        stream->seek(0, IBStream::kIBSeekSet, nullptr);
        const tresult controller = plugin.controller()->setComponentState(stream);
        ASSERT_EQ(component, controller) << i;

        std::vector<char> after;
        ASSERT_TRUE(plugin.getState(after));
        if (component != kResultOk)
        {
            ASSERT_EQ(after, before) << i;
            ASSERT_EQ(parameterValues(plugin), paramsBefore) << i;
        }
        else
        {
            ++accepted;
            checkSaneState(after);
        }
    }
    EXPECT_GT(accepted, iterations / 10);
    EXPECT_LT(accepted, iterations);
}

} // namespace

TEST(ModuleStateFuzz, WhileActive)
{
    PluginInstance plugin;
    ASSERT_TRUE(plugin.load(bundlePath()));
    ASSERT_TRUE(plugin.prepare(ProcessConfig {44100.0, 64, 2}));
    fuzz(plugin, 3000, 20261210u);
    std::vector<float> l(64), r(64);
    float* out[2] = {l.data(), r.data()};
    EXPECT_TRUE(plugin.process(nullptr, out, 64));
}

TEST(ModuleStateFuzz, WhileInactive)
{
    PluginInstance plugin;
    ASSERT_TRUE(plugin.load(bundlePath()));
    fuzz(plugin, 300, 7u);
}
