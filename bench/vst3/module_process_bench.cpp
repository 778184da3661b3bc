// process() of the built module on 512-sample stereo blocks, driven through the
// host library as a DAW drives it, beside a direct frame loop over the same
// equaliser (the engine-only figure). The difference between the two is what
// the component's frame-by-frame wrapper and the host side cost.
// Counter "realtime" = seconds of audio processed per second (x realtime).
#include "equaliser/corvale.h"
#include "host/plugin_instance.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

constexpr int kBlock = 512;

std::vector<float> noiseBlock(unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> noise(-0.5f, 0.5f);
    std::vector<float> v(kBlock);
    for (float& s : v)
        s = noise(random);
    return v;
}

void reportRealtime(benchmark::State& state, double sampleRate)
{
    const double samples = static_cast<double>(state.iterations()) * kBlock;
    state.SetItemsProcessed(static_cast<int64_t>(samples));
    state.counters["realtime"] = benchmark::Counter(samples / sampleRate, benchmark::Counter::kIsRate);
    state.counters["ns_per_frame"] = benchmark::Counter(
        samples, benchmark::Counter::kIsRate | benchmark::Counter::kInvert,
        benchmark::Counter::OneK::kIs1000);
}

void BM_ModuleProcess(benchmark::State& state)
{
    const double rate = static_cast<double>(state.range(0));
    corvale::host::PluginInstance plugin;
    if (!plugin.load(CORVALE_BUNDLE_PATH) || !plugin.prepare({rate, kBlock, 2}))
    {
        state.SkipWithError(plugin.error().c_str());
        return;
    }
    // Every band away from 0 dB, as in the engine-only figure.
    for (Steinberg::Vst::ParamID band = 0; band < 15; ++band)
        plugin.setParameter(band, 0.3 + 0.03 * band);
    const std::vector<float> left = noiseBlock(1), right = noiseBlock(2);
    std::vector<float> outL(kBlock), outR(kBlock);
    const float* in[2] = {left.data(), right.data()};
    float* out[2] = {outL.data(), outR.data()};
    plugin.process(in, out, kBlock);
    for (auto _ : state)
    {
        plugin.process(in, out, kBlock);
        benchmark::DoNotOptimize(outL.data());
    }
    reportRealtime(state, rate);
}

void BM_EngineOnlyFrameLoop(benchmark::State& state)
{
    const int rate = static_cast<int>(state.range(0));
    CCorvale plugIn;
    plugIn.initializePlugIn();
    plugIn.m_nSampleRate = rate;
    plugIn.prepareForProcessing();
    for (uint32_t band = 0; band < CCorvale::kBandCount; ++band)
        plugIn.setControlNormalized(band, 0.3f + 0.03f * static_cast<float>(band), true);
    const std::vector<float> left = noiseBlock(1), right = noiseBlock(2);
    std::vector<float> outL(kBlock), outR(kBlock);
    for (auto _ : state)
    {
        for (int i = 0; i < kBlock; ++i)
        {
            const float frame[2] = {left[i], right[i]};
            float result[2];
            plugIn.processFrame(frame, result, 2, 2);
            outL[i] = result[0];
            outR[i] = result[1];
        }
        benchmark::DoNotOptimize(outL.data());
    }
    reportRealtime(state, rate);
}

BENCHMARK(BM_ModuleProcess)->Arg(44100)->Arg(48000)->Arg(96000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EngineOnlyFrameLoop)->Arg(44100)->Arg(48000)->Arg(96000)->Unit(benchmark::kMicrosecond);

} // namespace
