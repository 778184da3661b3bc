// Filter engine cost: processSample + currentOutput per sample (items = samples),
// two engines and the equaliser's pair of engines per stereo frame, and the cost of
// recombining the taps, for the engine sizes the equaliser builds: 2048 taps up to
// 48 kHz, 4096 up to 96 kHz, 8192 up to 192 kHz.
#include "dsp/graphic_eq_engine.h"
#include "dsp/graphic_eq_pair.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

namespace
{
int sampleRateFor(int designSize)
{
    return designSize <= 2048 ? 44100 : designSize <= 4096 ? 96000 : 192000;
}

void openBands(CGraphicEqEngine& engine, int sampleRate)
{
    for (int b = 0; b < CGraphicEqEngine::kBandCount; ++b)
        engine.setBandDecay(b, 0.0, sampleRate);
    double gains[CGraphicEqEngine::kBandCount];
    for (int b = 0; b < CGraphicEqEngine::kBandCount; ++b)
        gains[b] = std::pow(10.0, ((b * 7) % 25 - 12) / 20.0);
    engine.setBandGains(gains);
}

std::vector<double> noise(int count)
{
    std::mt19937 rng(1u);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    std::vector<double> x(static_cast<size_t>(count));
    for (double& v : x)
        v = dist(rng);
    return x;
}

void BM_EngineProcessSample(benchmark::State& state)
{
    const int designSize = static_cast<int>(state.range(0));
    const int sampleRate = sampleRateFor(designSize);
    CGraphicEqEngine engine(sampleRate, 0, designSize, designSize, 64, 0);
    openBands(engine, sampleRate);
    const std::vector<double> input = noise(8192);
    for (auto _ : state)
    {
        double sum = 0.0;
        for (double x : input)
        {
            engine.processSample(x);
            sum += engine.currentOutput();
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(input.size()));
}
BENCHMARK(BM_EngineProcessSample)->Arg(2048)->Arg(4096)->Arg(8192);

// Two engines, one frame at a time, as the equaliser runs them; items = frames.
void BM_StereoFrames(benchmark::State& state)
{
    const int designSize = static_cast<int>(state.range(0));
    const int sampleRate = sampleRateFor(designSize);
    CGraphicEqEngine left(sampleRate, 0, designSize, designSize, 64, 0);
    CGraphicEqEngine right(sampleRate, 1, designSize, designSize, 64, 0);
    openBands(left, sampleRate);
    openBands(right, sampleRate);
    const std::vector<double> input = noise(8192);
    for (auto _ : state)
    {
        double sum = 0.0;
        for (size_t n = 0; n < input.size(); ++n)
        {
            left.processSample(input[n]);
            right.processSample(-input[n]);
            sum += left.currentOutput() + right.currentOutput();
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(input.size()));
}
BENCHMARK(BM_StereoFrames)->Arg(2048)->Arg(4096);

// The equaliser's two channels as one pair sharing the taps, fed 512 frames at a time as
// the plug-in feeds them between MIDI events; items = frames.
void BM_PairFrames(benchmark::State& state)
{
    const int designSize = static_cast<int>(state.range(0));
    const int sampleRate = sampleRateFor(designSize);
    CGraphicEqPair pair(sampleRate, designSize, designSize, 64, 0);
    for (int b = 0; b < CGraphicEqPair::kBandCount; ++b)
        pair.setBandDecay(b, 0.0, sampleRate);
    double gains[CGraphicEqPair::kBandCount];
    for (int b = 0; b < CGraphicEqPair::kBandCount; ++b)
        gains[b] = std::pow(10.0, ((b * 7) % 25 - 12) / 20.0);
    pair.setBandGains(gains);
    const std::vector<double> input = noise(8192);
    std::vector<double> out(2 * input.size());
    for (auto _ : state)
    {
        for (size_t start = 0; start < input.size(); start += 512)
        {
            pair.process(
                512, [&](int c, int i) { return c == 0 ? input[start + static_cast<size_t>(i)] : -input[start + static_cast<size_t>(i)]; },
                [&](int c, int i, double y) { out[2 * (start + static_cast<size_t>(i)) + static_cast<size_t>(c)] = y; });
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(input.size()));
}
BENCHMARK(BM_PairFrames)->Arg(2048)->Arg(4096);

void BM_CombineBands(benchmark::State& state)
{
    const int designSize = static_cast<int>(state.range(0));
    const int sampleRate = sampleRateFor(designSize);
    CGraphicEqEngine engine(sampleRate, 0, designSize, designSize, 64, 0);
    openBands(engine, sampleRate);
    for (auto _ : state)
    {
        engine.combineBands();
        benchmark::DoNotOptimize(engine.taps()[designSize - 1]);
    }
}
BENCHMARK(BM_CombineBands)->Arg(2048)->Arg(4096);
} // namespace
