// Partition-sum kernels: four bins per vector, the batch's accumulators in registers.
//
// This file alone is compiled with -ffp-contract=fast (dsp/CMakeLists.txt): in the
// AVX2+FMA clone each multiply-add of the sums becomes one fused operation, which
// rounds once instead of twice; the baseline clone has no FMA and is unaffected.
#include "dsp/partition_sums.h"

#include "dsp/simd.h"
#include "dsp/vector4.h"

#include <cstddef>
#include <cstring>

namespace
{

// acc += x * h for four bins with four multiplications. In the first chunk (packed)
// lane 0 is the DC/Nyquist pair, which takes the separate products; selecting lanes
// keeps those products exact.
template <bool kPacked>
CORVALE_INLINE void multiplyAdd(const V4& xr, const V4& xi, const V4& hr, const V4& hi, V4& accRe,
                                V4& accIm) noexcept
{
    const V4 rr = xr * hr;
    const V4 ii = xi * hi;
    const V4 re = rr - ii;
    const V4 im = xr * hi + xi * hr;
    if (kPacked)
    {
        const V4Mask lane0 = {-1, 0, 0, 0};
        accRe += lane0 ? rr : re;
        accIm += lane0 ? ii : im;
    }
    else
    {
        accRe += re;
        accIm += im;
    }
}

// The first chunk: the four-multiplication form, for the packed lane.
CORVALE_INLINE void batchFirstChunk(const double* const* blocks, const double* taps, const unsigned char* passed,
                                    int stride, int P, double* out) noexcept
{
    const size_t tapSize = static_cast<size_t>(partitionSpectrumSize(stride));
    const size_t inSize = static_cast<size_t>(inputSpectrumSize(stride));
    V4 accRe[kPartitionBatch] = {};
    V4 accIm[kPartitionBatch] = {};
    for (int p = kPartitionBatch - 1; p < P; ++p)
    {
        if (!passed[p])
            continue;
        const double* h = taps + static_cast<size_t>(p) * tapSize;
        const V4 hr = CORVALE_LOAD4(h), hi = CORVALE_LOAD4(h + stride);
        const double* const* x = blocks + (P - 1 - p);
        for (int j = 0; j < kPartitionBatch; ++j)
            multiplyAdd<true>(CORVALE_LOAD4(x[j]), CORVALE_LOAD4(x[j] + stride), hr, hi, accRe[j], accIm[j]);
    }
    for (int j = 0; j < kPartitionBatch; ++j)
    {
        CORVALE_STORE4(out + j * inSize, accRe[j]);
        CORVALE_STORE4(out + j * inSize + stride, accIm[j]);
    }
}

// Any other chunk: three multiplications per product, the three sums kept apart.
CORVALE_INLINE void batchChunk(const double* const* blocks, const double* taps, const unsigned char* passed,
                               int stride, int P, int c, double* out) noexcept
{
    const size_t tapSize = static_cast<size_t>(partitionSpectrumSize(stride));
    const size_t inSize = static_cast<size_t>(inputSpectrumSize(stride));
    V4 sumC[kPartitionBatch] = {};   // sum of c (a + b)
    V4 sumA[kPartitionBatch] = {};   // sum of a (d - c)
    V4 sumB[kPartitionBatch] = {};   // sum of b (c + d)
    for (int p = kPartitionBatch - 1; p < P; ++p)
    {
        if (!passed[p])
            continue;
        const double* h = taps + static_cast<size_t>(p) * tapSize + c;
        const V4 hc = CORVALE_LOAD4(h), hDiff = CORVALE_LOAD4(h + 2 * stride), hSum = CORVALE_LOAD4(h + 3 * stride);
        const double* const* x = blocks + (P - 1 - p);
        for (int j = 0; j < kPartitionBatch; ++j)
        {
            const V4 a = CORVALE_LOAD4(x[j] + c), b = CORVALE_LOAD4(x[j] + stride + c);
            sumC[j] += hc * (a + b);
            sumA[j] += a * hDiff;
            sumB[j] += b * hSum;
        }
    }
    for (int j = 0; j < kPartitionBatch; ++j)
    {
        CORVALE_STORE4(out + j * inSize + c, sumC[j] - sumB[j]);
        CORVALE_STORE4(out + j * inSize + stride + c, sumC[j] + sumA[j]);
    }
}

// sum = from + the products of the listed spectra (x[i] input, h[i] partition), chunk c.
template <bool kPacked>
CORVALE_INLINE void completeChunk(const double* const* x, const double* const* h, int count, int stride,
                                  const double* fromRe, const double* fromIm, int c, double* sumRe,
                                  double* sumIm) noexcept
{
    V4 accRe = CORVALE_LOAD4(fromRe + c);
    V4 accIm = CORVALE_LOAD4(fromIm + c);
    for (int i = 0; i < count; ++i)
        multiplyAdd<kPacked>(CORVALE_LOAD4(x[i] + c), CORVALE_LOAD4(x[i] + stride + c), CORVALE_LOAD4(h[i] + c),
                             CORVALE_LOAD4(h[i] + stride + c), accRe, accIm);
    CORVALE_STORE4(sumRe + c, accRe);
    CORVALE_STORE4(sumIm + c, accIm);
}
} // namespace

void derivePartitionRows(double* partition, int stride) noexcept
{
    const double* c = partition;
    const double* d = partition + stride;
    for (int k = 0; k < stride; ++k)
    {
        partition[2 * stride + k] = d[k] - c[k];
        partition[3 * stride + k] = c[k] + d[k];
    }
}

CORVALE_HOT_FMA_CLONES
void sumPartitionBatch(const double* const* blocks, const double* taps, const unsigned char* passed, int stride,
                       int P, double* out) noexcept
{
    batchFirstChunk(blocks, taps, passed, stride, P, out);
    for (int c = 4; c < stride; c += 4)
        batchChunk(blocks, taps, passed, stride, P, c, out);
}

// The spectra's addresses are looked up once per completion, not per chunk: the list is
// short (kMaxCompletion from the batch form), and longer lists go in groups of that size.
CORVALE_HOT_FMA_CLONES
void completePartitionSum(const double* input, const double* taps, const int* partitions, int count, int stride,
                          int P, int position, const double* partial, double* sumRe, double* sumIm) noexcept
{
    const double* fromRe = partial;
    const double* fromIm = partial + stride;
    int first = 0;
    do
    {
        const double* x[kMaxCompletion];
        const double* h[kMaxCompletion];
        const int n = (count - first < kMaxCompletion) ? count - first : kMaxCompletion;
        for (int i = 0; i < n; ++i)
        {
            const int p = partitions[first + i];
            const int slot = (position - p < 0) ? position - p + P : position - p;
            h[i] = taps + static_cast<size_t>(p) * static_cast<size_t>(partitionSpectrumSize(stride));
            x[i] = input + static_cast<size_t>(slot) * static_cast<size_t>(inputSpectrumSize(stride));
        }
        completeChunk<true>(x, h, n, stride, fromRe, fromIm, 0, sumRe, sumIm);
        for (int c = 4; c < stride; c += 4)
            completeChunk<false>(x, h, n, stride, fromRe, fromIm, c, sumRe, sumIm);
        fromRe = sumRe;
        fromIm = sumIm;
        first += n;
    } while (first < count);
}
