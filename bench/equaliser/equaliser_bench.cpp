// Cost of one stereo equaliser frame (two engines, gain and make-up) at the
// design sizes used at 44.1 kHz and 96 kHz. items/s = stereo frames per second;
// divide by the sample rate for the realtime factor.
#include "equaliser/corvale.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

void BM_ProcessFrameStereo(benchmark::State& state)
{
    const int sampleRate = static_cast<int>(state.range(0));
    CCorvale plugIn;
    plugIn.initializePlugIn();
    plugIn.m_nSampleRate = sampleRate;
    plugIn.prepareForProcessing();
    // A non-trivial setting: every band away from 0 dB.
    for (uint32_t band = 0; band < CCorvale::kBandCount; ++band)
        plugIn.setControlNormalized(band, 0.3f + 0.03f * static_cast<float>(band), true);

    std::mt19937 random(1);
    std::uniform_real_distribution<float> noise(-0.5f, 0.5f);
    std::vector<float> input(2 * 4096);
    for (float& sample : input)
        sample = noise(random);

    float output[2] = {};
    size_t frame = 0;
    for (auto _ : state)
    {
        const float* in = &input[2 * (frame & 4095)];
        plugIn.processFrame(in, output, 2, 2);
        benchmark::DoNotOptimize(output);
        ++frame;
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
    state.counters["realtime"] = benchmark::Counter(
        static_cast<double>(state.iterations()) / sampleRate, benchmark::Counter::kIsRate);
}

BENCHMARK(BM_ProcessFrameStereo)->Arg(44100)->Arg(96000);

void BM_BandChange(benchmark::State& state)
{
    // A band move recombines the taps of both engines before the next frame.
    CCorvale plugIn;
    plugIn.initializePlugIn();
    float value = 0.0f;
    for (auto _ : state)
    {
        value = value > 0.9f ? 0.1f : value + 0.01f;
        plugIn.setControlNormalized(8, value, true);
        plugIn.flushBandGains();
    }
}

BENCHMARK(BM_BandChange);

} // namespace
