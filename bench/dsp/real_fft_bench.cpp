// The engine's block transforms on their own: the 128-point packed forward and
// inverse real transforms, fixed-size kernels against the generic radix-2 paths
// (Arg 1 = fixed-size kernels, 0 = generic). Time per transform.
#include "dsp/real_fft.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace
{
constexpr int kN = 128;

std::vector<double> noise(int count, unsigned seed)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    std::vector<double> x(static_cast<size_t>(count));
    for (double& v : x)
        v = dist(rng);
    return x;
}

// Input blocks are zero-padded: 64 samples, then 64 zeros.
void BM_ForwardPacked(benchmark::State& state)
{
    ARFFT fft(kN);
    fft.useFixedSizeKernels(state.range(0) != 0);
    const std::vector<double> x = noise(kN, 1u);
    std::vector<double> re(kN / 2), im(kN / 2);
    for (auto _ : state)
    {
        fft.forwardPacked(x.data(), kN / 2, re.data(), im.data());
        benchmark::DoNotOptimize(re.data());
        benchmark::DoNotOptimize(im.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ForwardPacked)->Arg(1)->Arg(0);

void BM_InversePacked(benchmark::State& state)
{
    BRFFT fft(kN);
    fft.useFixedSizeKernels(state.range(0) != 0);
    const std::vector<double> re = noise(kN / 2 + 1, 2u);
    const std::vector<double> im = noise(kN / 2 + 1, 3u);
    std::vector<double> out(kN);
    for (auto _ : state)
    {
        fft.inversePacked(re.data(), im.data(), out.data(), 1.0 / kN);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_InversePacked)->Arg(1)->Arg(0);
} // namespace
