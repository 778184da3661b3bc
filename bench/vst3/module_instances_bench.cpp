// Many instances of the built module, as a session with many tracks runs them:
//   BM_ModuleRoundRobin  32 instances (and 8 and 128 at 44.1 kHz), one 512-sample
//                        stereo block each in turn;
//                        "realtime" is per instance (audio seconds / CPU seconds), to
//                        compare with BM_ModuleProcess's single instance.
//   BM_CreateActivate    create one instance from the loaded module, initialise,
//                        set up and activate it, and release it again. The first
//                        instance of a process may build shared tables; its time is
//                        the "first_ms" counter, measured once before the loop.
//   BM_ResidentMemory    32 instances created and run for a second of audio: the
//                        plug-in's resident memory and heap in use per instance
//                        ("rss_kib", "heap_kib"; the host's own objects are measured
//                        apart, "host_kib"), and the same without the first instance,
//                        which also pays for the shared tables ("*_marginal_kib").
// Run BM_ResidentMemory on its own (--benchmark_filter) for figures untouched by
// what earlier benchmarks left in the heap.
#include "host/module_loader.h"
#include "host/plugin_instance.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

namespace {

using corvale::host::ModuleLoader;
using corvale::host::PluginInstance;
using corvale::host::ProcessConfig;

constexpr int kBlock = 512;
constexpr int kInstances = 32;

std::vector<float> noiseBlock(unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> noise(-0.5f, 0.5f);
    std::vector<float> v(kBlock);
    for (float& s : v)
        s = noise(random);
    return v;
}

/// The module, loaded once for the whole run as a DAW keeps it.
struct LoadedModule
{
    std::shared_ptr<ModuleLoader> module = std::make_shared<ModuleLoader>();
    ModuleLoader::ClassEntry cls;
    bool ok = module->load(CORVALE_BUNDLE_PATH) && module->findAudioEffectClass(cls);
};

LoadedModule& loadedModule()
{
    static LoadedModule loaded;
    return loaded;
}

/// A new prepared instance with every band away from 0 dB, or null.
std::unique_ptr<PluginInstance> makeInstance(double rate)
{
    LoadedModule& m = loadedModule();
    auto plugin = std::make_unique<PluginInstance>();
    if (!m.ok || !plugin->create(m.module, m.cls) || !plugin->prepare({rate, kBlock, 2}))
        return nullptr;
    for (Steinberg::Vst::ParamID band = 0; band < 15; ++band)
        plugin->setParameter(band, 0.3 + 0.03 * band);
    return plugin;
}

long residentKib()
{
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r"))
    {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * 4;
}

long heapKib()
{
    return static_cast<long>(mallinfo2().uordblks / 1024);
}

void BM_ModuleRoundRobin(benchmark::State& state)
{
    const double rate = static_cast<double>(state.range(0));
    const int instances = static_cast<int>(state.range(1));
    std::vector<std::unique_ptr<PluginInstance>> plugins;
    for (int i = 0; i < instances; ++i)
    {
        plugins.push_back(makeInstance(rate));
        if (!plugins.back())
        {
            state.SkipWithError("cannot create an instance");
            return;
        }
    }
    const std::vector<float> left = noiseBlock(1), right = noiseBlock(2);
    std::vector<float> outL(kBlock), outR(kBlock);
    const float* in[2] = {left.data(), right.data()};
    float* out[2] = {outL.data(), outR.data()};
    for (auto& p : plugins)
        p->process(in, out, kBlock);
    for (auto _ : state)
    {
        for (auto& p : plugins)
        {
            p->process(in, out, kBlock);
            benchmark::DoNotOptimize(outL.data());
        }
    }
    const double samples = static_cast<double>(state.iterations()) * kBlock * instances;
    state.counters["realtime"] = benchmark::Counter(samples / rate, benchmark::Counter::kIsRate);
    state.counters["ns_per_frame"] = benchmark::Counter(
        samples, benchmark::Counter::kIsRate | benchmark::Counter::kInvert,
        benchmark::Counter::OneK::kIs1000);
}

void BM_CreateActivate(benchmark::State& state)
{
    const double rate = static_cast<double>(state.range(0));
    // The first instance of the process, timed once; every run reports it.
    static double firstMs = -1.0;
    if (firstMs < 0.0)
    {
        const auto start = std::chrono::steady_clock::now();
        auto first = makeInstance(rate);
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        firstMs = took.count();
        if (!first)
        {
            state.SkipWithError("cannot create an instance");
            return;
        }
    }
    state.counters["first_ms"] = firstMs;
    LoadedModule& m = loadedModule();
    for (auto _ : state)
    {
        PluginInstance plugin;
        if (!plugin.create(m.module, m.cls) || !plugin.prepare({rate, kBlock, 2}))
        {
            state.SkipWithError("cannot create an instance");
            return;
        }
        state.PauseTiming();
        plugin.destroy();
        state.ResumeTiming();
    }
}

void BM_ResidentMemory(benchmark::State& state)
{
    const double rate = static_cast<double>(state.range(0));
    const std::vector<float> left = noiseBlock(1), right = noiseBlock(2);
    std::vector<float> outL(kBlock), outR(kBlock);
    const float* in[2] = {left.data(), right.data()};
    float* out[2] = {outL.data(), outR.data()};
    for (auto _ : state)
    {
        loadedModule();
        malloc_trim(0);
        const long rss0 = residentKib(), heap0 = heapKib();
        // The host's own objects (preallocated parameter queues and event lists, some
        // 600 KiB an instance) are counted first and left out of the plug-in's figures.
        std::vector<std::unique_ptr<PluginInstance>> plugins;
        for (int i = 0; i < kInstances; ++i)
            plugins.push_back(std::make_unique<PluginInstance>());
        const long rssHost = residentKib(), heapHost = heapKib();
        long rss1 = 0, heap1 = 0;
        LoadedModule& m = loadedModule();
        for (int i = 0; i < kInstances; ++i)
        {
            PluginInstance& p = *plugins[static_cast<size_t>(i)];
            if (!m.ok || !p.create(m.module, m.cls) || !p.prepare({rate, kBlock, 2}))
            {
                state.SkipWithError("cannot create an instance");
                return;
            }
            for (Steinberg::Vst::ParamID band = 0; band < 15; ++band)
                p.setParameter(band, 0.3 + 0.03 * band);
            for (int b = 0; b * kBlock < static_cast<int>(rate); ++b)
                p.process(in, out, kBlock);
            if (i == 0)
            {
                rss1 = residentKib();
                heap1 = heapKib();
            }
        }
        const long rss = residentKib(), heap = heapKib();
        state.counters["host_kib"] = static_cast<double>(rssHost - rss0) / kInstances;
        state.counters["host_heap_kib"] = static_cast<double>(heapHost - heap0) / kInstances;
        state.counters["rss_kib"] = static_cast<double>(rss - rssHost) / kInstances;
        state.counters["heap_kib"] = static_cast<double>(heap - heapHost) / kInstances;
        state.counters["rss_marginal_kib"] = static_cast<double>(rss - rss1) / (kInstances - 1);
        state.counters["heap_marginal_kib"] = static_cast<double>(heap - heap1) / (kInstances - 1);
        plugins.clear();
        malloc_trim(0);
    }
}

BENCHMARK(BM_ModuleRoundRobin)
    ->Args({44100, kInstances})
    ->Args({48000, kInstances})
    ->Args({96000, kInstances})
    ->Args({44100, 8})
    ->Args({44100, 128})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CreateActivate)->Arg(44100)->Arg(48000)->Arg(96000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResidentMemory)->Arg(44100)->Arg(96000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
