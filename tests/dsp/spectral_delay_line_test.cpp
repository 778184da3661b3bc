// Spectral delay line: the block interface the engine runs against the per-bin
// pushAndAccumulate reference, on random spectra.
#include "dsp/spectral_delay_line.h"

#include <gtest/gtest.h>

#include <complex>
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
        std::vector<double> xr(B), xi(B), hr(B), hi(B), plainRe(B), plainIm(B), sumRe(B), sumIm(B);
        std::vector<double> nextRe(B), nextIm(B), completedRe(B), completedIm(B);
        for (int t = 0; t < 3 * P; ++t)
        {
            // New partitions during the first P blocks, then fixed so the next-block partial holds.
            const bool newPartition = t < P;
            const int position = t % P;
            for (size_t k = 0; k < B; ++k)
            {
                xr[k] = dist(rng);
                xi[k] = dist(rng);
                if (newPartition)
                {
                    hr[k] = dist(rng);
                    hi[k] = dist(rng);
                }
            }
            block.pushInputBlock(position, xr.data(), xi.data());
            if (newPartition)
                block.setPartitionSpectrum((position - 1 + P) % P, hr.data(), hi.data());
            block.accumulateBlock(position, plainRe.data(), plainIm.data());
            block.completeNext(position, nextRe.data(), nextIm.data(), completedRe.data(), completedIm.data());
            block.accumulateBlockAndNext(position, sumRe.data(), sumIm.data(), nextRe.data(), nextIm.data());
            for (int k = 0; k < c.B; ++k)
            {
                const size_t kk = static_cast<size_t>(k);
                const Complex tap = newPartition ? Complex(hr[kk], hi[kk]) : perBin.tapSpectra(position * c.B + k);
                perBin.pushAndAccumulate(position * c.B + k, Complex(xr[kk], xi[kk]), tap);
                const Complex want = perBin.accumulated();
                const double tolerance = 1e-13 * P;
                const struct { const char* path; double re; double im; bool applies; } paths[] = {
                    {"plain", plainRe[kk], plainIm[kk], true},
                    {"pair pass", sumRe[kk], sumIm[kk], true},
                    {"completed", completedRe[kk], completedIm[kk], t > P},
                };
                for (const auto& path : paths)
                {
                    if (!path.applies)
                        continue;
                    ASSERT_NEAR(path.re, want.real(), tolerance) << path.path << " L=" << c.L << " t=" << t << " k=" << k;
                    ASSERT_NEAR(path.im, want.imag(), tolerance) << path.path << " L=" << c.L << " t=" << t << " k=" << k;
                }
            }
        }
        for (int slot = 0; slot < c.L; ++slot)
        {
            ASSERT_EQ(block.inputSpectra(slot), perBin.inputSpectra(slot)) << slot;
            ASSERT_EQ(block.tapSpectra(slot), perBin.tapSpectra(slot)) << slot;
        }
    }
}
} // namespace
