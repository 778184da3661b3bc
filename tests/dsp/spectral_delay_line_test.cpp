// Spectral delay line: the plain block sum against the per-bin pushAndAccumulate
// reference, and the batch form the engine runs against the plain block sum, on
// random spectra.
#include "dsp/partition_sums.h"
#include "dsp/spectral_delay_line.h"

#include <gtest/gtest.h>

#include <complex>
#include <cstdint>
#include <random>
#include <vector>

namespace
{
using Complex = std::complex<double>;

TEST(SpectralDelayLine, BlockSumsMatchPerBinReference)
{
    const struct { int L; int B; } cases[] = {{2048, 64}, {4096, 64}, {1024, 32}, {256, 64}};
    std::mt19937 rng(3u);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    for (const auto& c : cases)
    {
        const int P = c.L / c.B;
        CSpectralDelayLine perBin(c.L, c.B);
        CSpectralDelayLine block(c.L, c.B);
        const size_t B = static_cast<size_t>(c.B);
        std::vector<double> plainRe(B), plainIm(B);
        // The tap spectrum each ring position stands for, as the per-bin form is given it.
        std::vector<std::vector<Complex>> taps(static_cast<size_t>(P), std::vector<Complex>(B));
        for (int t = 0; t < 3 * P; ++t)
        {
            // New partitions during the first P blocks, then fixed.
            const bool newPartition = t < P;
            const int position = t % P;
            const int partition = (position - 1 + P) % P;  // what ring position `position` stands for
            std::vector<Complex>& tap = taps[static_cast<size_t>(position)];
            for (size_t k = 0; k < B; ++k)
            {
                block.inputRe(position)[k] = dist(rng);
                block.inputIm(position)[k] = dist(rng);
                if (newPartition)
                {
                    tap[k] = Complex(dist(rng), dist(rng));
                    block.partitionRe(partition)[k] = tap[k].real();
                    block.partitionIm(partition)[k] = tap[k].imag();
                }
            }
            block.accumulateBlock(position, plainRe.data(), plainIm.data());
            for (int k = 0; k < c.B; ++k)
            {
                const size_t kk = static_cast<size_t>(k);
                const Complex input(block.inputRe(position)[k], block.inputIm(position)[k]);
                perBin.pushAndAccumulate(position * c.B + k, input, tap[kk]);
                const Complex want = perBin.accumulated();
                const double tolerance = 1e-13 * P;
                ASSERT_NEAR(plainRe[kk], want.real(), tolerance) << " L=" << c.L << " t=" << t << " k=" << k;
                ASSERT_NEAR(plainIm[kk], want.imag(), tolerance) << " L=" << c.L << " t=" << t << " k=" << k;
            }
        }
    }
}

// The batch form as the engine drives it: a batch starts every kPartitionBatch blocks,
// each block completes its sum, then pushes its input block and replaces one partition
// (written in place). Every sum must equal the plain block sum over the spectra present
// at that block end, whatever the partition replacements in between.
TEST(SpectralDelayLine, BatchSumsMatchPlainBlockSums)
{
    const struct { int L; int B; } cases[] = {{2048, 64}, {4096, 64}, {1024, 32}, {256, 64}, {128, 64}};
    std::mt19937 rng(5u);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    for (const auto& c : cases)
    {
        const int P = c.L / c.B;
        CSpectralDelayLine line(c.L, c.B);
        const size_t B = static_cast<size_t>(c.B);
        std::vector<double> plainRe(B), plainIm(B), sumRe(static_cast<size_t>(line.stride())),
            sumIm(static_cast<size_t>(line.stride()));
        for (int t = 0; t < 4 * P + 7; ++t)
        {
            const int position = t % P;
            if (t % kPartitionBatch == 0)
                line.beginBatch(position);
            line.finishBatchBlock(t % kPartitionBatch, sumRe.data(), sumIm.data());
            line.accumulateBlock(position, plainRe.data(), plainIm.data());
            for (size_t k = 0; k < B; ++k)
            {
                ASSERT_NEAR(sumRe[k], plainRe[k], 1e-13 * P) << "L=" << c.L << " t=" << t << " k=" << k;
                ASSERT_NEAR(sumIm[k], plainIm[k], 1e-13 * P) << "L=" << c.L << " t=" << t << " k=" << k;
            }
            const int next = (position + 1) % P;
            // Partitions change in bursts, as after a gain change, with quiet stretches between.
            const bool replace = (t / P) % 2 == 0 || t % 5 == 0;
            for (size_t k = 0; k < B; ++k)
            {
                line.inputRe(next)[k] = dist(rng);
                line.inputIm(next)[k] = dist(rng);
                if (replace)
                {
                    line.partitionRe(position)[k] = dist(rng);
                    line.partitionIm(position)[k] = dist(rng);
                }
            }
        }
    }
}

// Two channels sharing their partition spectra run one batch pass and one completion for
// both: each gets, bit for bit, the sums a line of its own with the same spectra gets.
TEST(SpectralDelayLine, PairedBatchGivesEachLineItsOwnSums)
{
    const struct { int L; int B; } cases[] = {{2048, 64}, {4096, 64}, {1024, 32}};
    std::mt19937 rng(9u);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    for (const auto& c : cases)
    {
        const int P = c.L / c.B;
        CPartitionSpectra shared(P, c.B);
        CSpectralDelayLine a(c.L, c.B, shared), b(c.L, c.B, shared), soloA(c.L, c.B), soloB(c.L, c.B);
        const size_t stride = static_cast<size_t>(a.stride());
        std::vector<double> re[4], im[4];
        for (int i = 0; i < 4; ++i)
        {
            re[i].assign(stride, 0.0);
            im[i].assign(stride, 0.0);
        }
        for (int t = 0; t < 3 * P + 5; ++t)
        {
            const int position = t % P;
            if (t % kPartitionBatch == 0)
            {
                CSpectralDelayLine::beginBatchPair(a, b, position);
                soloA.beginBatch(position);
                soloB.beginBatch(position);
            }
            CSpectralDelayLine::finishBatchBlockPair(t % kPartitionBatch, a, b, re[0].data(), im[0].data(),
                                                     re[1].data(), im[1].data());
            soloA.finishBatchBlock(t % kPartitionBatch, re[2].data(), im[2].data());
            soloB.finishBatchBlock(t % kPartitionBatch, re[3].data(), im[3].data());
            ASSERT_EQ(re[0], re[2]) << "L=" << c.L << " t=" << t;
            ASSERT_EQ(im[0], im[2]) << "L=" << c.L << " t=" << t;
            ASSERT_EQ(re[1], re[3]) << "L=" << c.L << " t=" << t;
            ASSERT_EQ(im[1], im[3]) << "L=" << c.L << " t=" << t;
            const int next = (position + 1) % P;
            for (size_t k = 0; k < static_cast<size_t>(c.B); ++k)
            {
                a.inputRe(next)[k] = soloA.inputRe(next)[k] = dist(rng);
                a.inputIm(next)[k] = soloA.inputIm(next)[k] = dist(rng);
                b.inputRe(next)[k] = soloB.inputRe(next)[k] = dist(rng);
                b.inputIm(next)[k] = soloB.inputIm(next)[k] = dist(rng);
                if (t % 3 != 2)
                {
                    shared.re(position)[k] = soloA.partitionRe(position)[k] = soloB.partitionRe(position)[k] = dist(rng);
                    shared.im(position)[k] = soloA.partitionIm(position)[k] = soloB.partitionIm(position)[k] = dist(rng);
                }
            }
        }
    }
}

// The completion kernel on its own, for lists up to all P partitions (longer than the batch
// form ever passes), against products summed here in list order; bin 0 is packed. The
// kernels take spectra aligned as the delay line stores them (64 bytes).
TEST(SpectralDelayLine, CompletionAddsListedPartitions)
{
    const int stride = 64, P = 32, position = 5;
    const size_t inSize = static_cast<size_t>(inputSpectrumSize(stride));
    const size_t tapSize = static_cast<size_t>(partitionSpectrumSize(stride));
    std::mt19937 rng(7u);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    std::vector<double> storage(inSize * P + tapSize * P + 2 * stride + 8);
    for (double& x : storage)
        x = dist(rng);
    const auto address = reinterpret_cast<std::uintptr_t>(storage.data());
    double* const input = storage.data() + ((64 - address % 64) % 64) / sizeof(double);
    double* const taps = input + inSize * P;
    double* const partial = taps + tapSize * P;
    std::vector<int> list;
    for (int p = P - 1; p >= 0; p -= 3)
        list.push_back(p);
    for (const int count : {0, 1, kMaxCompletion, kMaxCompletion + 1, static_cast<int>(list.size())})
    {
        std::vector<double> sumRe(stride), sumIm(stride);
        completePartitionSum(input, taps, list.data(), count, stride, P, position, partial, sumRe.data(),
                             sumIm.data());
        for (int k = 0; k < stride; ++k)
        {
            Complex expected(partial[static_cast<size_t>(k)], partial[static_cast<size_t>(stride + k)]);
            for (int i = 0; i < count; ++i)
            {
                const int p = list[static_cast<size_t>(i)];
                const double* x = input + inSize * static_cast<size_t>((position - p + P) % P);
                const double* h = taps + tapSize * static_cast<size_t>(p);
                const Complex a(x[k], x[stride + k]), b(h[k], h[stride + k]);
                expected += (k == 0) ? Complex(a.real() * b.real(), a.imag() * b.imag()) : a * b;
            }
            ASSERT_NEAR(sumRe[static_cast<size_t>(k)], expected.real(), 1e-13) << "count=" << count << " k=" << k;
            ASSERT_NEAR(sumIm[static_cast<size_t>(k)], expected.imag(), 1e-13) << "count=" << count << " k=" << k;
        }
    }
}
} // namespace
