// The equaliser module's audio as a DAW hears it: bypass switches without a click
// and keeps the filter's state current, and non-finite input never reaches the output.
// Each test runs a twin instance that never sees the event as the oracle.
#include "module_test_support.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

using corvale::host::PluginInstance;
using corvale::host::ProcessConfig;

namespace {

constexpr Steinberg::Vst::ParamID kBypassId = 2056;
constexpr int kBlock = 256;
constexpr int kLatency = 127;
constexpr int kRamp = 441; // 10 ms at 44.1 kHz

class ModuleAudio : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (PluginInstance* p : {&plugin, &twin})
        {
            ASSERT_TRUE(p->load(bundlePath())) << p->error();
            ASSERT_TRUE(p->prepare(ProcessConfig {44100.0, kBlock, 2})) << p->error();
            // A setting away from flat, so the wet signal differs from the dry one.
            for (Steinberg::Vst::ParamID band = 0; band < 15; ++band)
                ASSERT_TRUE(p->setParameter(band, (band % 3 == 0) ? 0.9 : 0.2));
        }
    }

    /// Runs `in` (the same on both channels) through p in blocks; channel 0 of the output.
    static std::vector<float> run(PluginInstance& p, const std::vector<float>& in, size_t from,
                                  size_t count)
    {
        std::vector<float> left(count), right(count);
        const float* inputs[2] = {in.data() + from, in.data() + from};
        float* outputs[2] = {left.data(), right.data()};
        EXPECT_TRUE(p.process(inputs, outputs, static_cast<Steinberg::int32>(count)));
        EXPECT_EQ(left, right);
        return left;
    }

    PluginInstance plugin;
    PluginInstance twin;
};

double largestStep(const std::vector<float>& v, size_t from, size_t to)
{
    double step = 0.0;
    for (size_t n = from + 1; n < to; ++n)
        step = std::max(step, std::fabs(static_cast<double>(v[n]) - v[n - 1]));
    return step;
}

// Bypass on, off and on again while a sine plays. The plug-in keeps filtering while
// bypassed, so once a crossfade is over the output is exactly the twin's (wet) or the
// input delayed by the latency (dry); during a crossfade no step is larger than the
// signals' own steps plus what a 441-frame linear fade adds between them.
TEST_F(ModuleAudio, BypassSwitchesWithoutAClickAndEndsOnTheExactSignal)
{
    const size_t blocks = 48;
    std::vector<float> sine(blocks * kBlock);
    for (size_t n = 0; n < sine.size(); ++n)
        sine[n] = static_cast<float>(
            0.5 * std::sin(2.0 * M_PI * 3000.0 / 44100.0 * static_cast<double>(n)));
    const size_t on = 12, off = 24, onAgain = 36; // blocks at which bypass switches
    std::vector<float> out, wet;
    for (size_t b = 0; b < blocks; ++b)
    {
        if (b == on || b == off || b == onAgain)
        {
            ASSERT_TRUE(plugin.setParameter(kBypassId, b == off ? 0.0 : 1.0));
        }
        const auto y = run(plugin, sine, b * kBlock, kBlock);
        const auto w = run(twin, sine, b * kBlock, kBlock);
        out.insert(out.end(), y.begin(), y.end());
        wet.insert(wet.end(), w.begin(), w.end());
    }
    auto dry = [&](size_t n) { return n >= kLatency ? sine[n - kLatency] : 0.0f; };

    const size_t steady = 8 * kBlock; // the filter has settled on the sine
    std::vector<float> dryAlone(sine.size());
    double difference = 0.0;
    for (size_t n = 0; n < sine.size(); ++n)
    {
        dryAlone[n] = dry(n);
        if (n >= steady)
            difference = std::max(difference, std::fabs(static_cast<double>(dry(n)) - wet[n]));
    }
    const double ownStep = std::max(largestStep(wet, steady, wet.size()),
                                    largestStep(dryAlone, steady, sine.size()));
    const double allowed = ownStep + difference / kRamp + 1e-6;
    EXPECT_LE(largestStep(out, steady, out.size()), allowed) << "own step " << ownStep;

    for (size_t n = steady; n < out.size(); ++n)
    {
        const size_t block = n / kBlock;
        const bool fading = (n >= on * kBlock && n < on * kBlock + kRamp)
                            || (n >= off * kBlock && n < off * kBlock + kRamp)
                            || (n >= onAgain * kBlock && n < onAgain * kBlock + kRamp);
        if (fading)
            continue;
        const bool bypassed = (block >= on && block < off) || block >= onAgain;
        ASSERT_EQ(out[n], bypassed ? dry(n) : wet[n]) << "frame " << n;
    }
}

// A burst of NaN and infinities: every output stays finite, the output equals a run in
// which the burst was silence, and once the burst has left the filter (2048 taps, the
// latency and a block of its batch), it equals a run that never had the burst.
TEST_F(ModuleAudio, NonFiniteInputBecomesSilenceAndLeavesNoTrace)
{
    PluginInstance clean;
    ASSERT_TRUE(clean.load(bundlePath())) << clean.error();
    ASSERT_TRUE(clean.prepare(ProcessConfig {44100.0, kBlock, 2})) << clean.error();
    for (Steinberg::Vst::ParamID band = 0; band < 15; ++band)
        ASSERT_TRUE(clean.setParameter(band, (band % 3 == 0) ? 0.9 : 0.2));

    const size_t blocks = 40, burst = 3000, burstLength = 300;
    std::mt19937 random(17u);
    std::uniform_real_distribution<float> noise(-0.5f, 0.5f);
    std::vector<float> original(blocks * kBlock), poisoned, silenced;
    for (float& s : original)
        s = noise(random);
    poisoned = silenced = original;
    const float bad[] = {
        std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
        -std::numeric_limits<float>::infinity(), std::numeric_limits<float>::signaling_NaN()};
    for (size_t n = burst; n < burst + burstLength; ++n)
    {
        poisoned[n] = (n % 7 == 0) ? original[n] : bad[n % 4];
        silenced[n] = (n % 7 == 0) ? original[n] : 0.0f;
    }
    std::vector<float> out, outSilenced, outClean;
    for (size_t b = 0; b < blocks; ++b)
    {
        const auto y = run(plugin, poisoned, b * kBlock, kBlock);
        const auto s = run(twin, silenced, b * kBlock, kBlock);
        const auto c = run(clean, original, b * kBlock, kBlock);
        out.insert(out.end(), y.begin(), y.end());
        outSilenced.insert(outSilenced.end(), s.begin(), s.end());
        outClean.insert(outClean.end(), c.begin(), c.end());
    }
    const size_t gone = burst + burstLength + 2048 + kLatency + 2 * 64;
    for (size_t n = 0; n < out.size(); ++n)
    {
        ASSERT_TRUE(std::isfinite(out[n])) << "frame " << n;
        ASSERT_EQ(out[n], outSilenced[n]) << "frame " << n;
        if (n >= gone)
        {
            ASSERT_EQ(out[n], outClean[n]) << "frame " << n;
        }
    }
}

// Bypassed, a NaN in the input plays as silence from the dry path too.
TEST_F(ModuleAudio, BypassedNonFiniteInputPlaysAsSilence)
{
    ASSERT_TRUE(plugin.setParameter(kBypassId, 1.0));
    std::vector<float> in(4 * kBlock, 0.25f);
    in[600] = std::numeric_limits<float>::quiet_NaN();
    in[601] = std::numeric_limits<float>::infinity();
    std::vector<float> out;
    for (size_t b = 0; b < 4; ++b)
    {
        const auto y = run(plugin, in, b * kBlock, kBlock);
        out.insert(out.end(), y.begin(), y.end());
    }
    for (size_t n = kRamp; n < out.size(); ++n)
        ASSERT_EQ(out[n], (n == 600 + kLatency || n == 601 + kLatency) ? 0.0f : 0.25f) << n;
}

} // namespace
