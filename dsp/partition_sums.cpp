// Partition-sum kernels: four bins per vector, the batch's accumulators in registers.
//
// This file alone is compiled with -ffp-contract=fast (dsp/CMakeLists.txt): in the
// AVX2+FMA clone each multiply-add of the sums becomes one fused operation, which
// rounds once instead of twice; the baseline clone has no FMA and is unaffected.
#include "dsp/partition_sums.h"

#include "dsp/simd.h"

#include <cstddef>
#include <cstring>

namespace
{
// Four doubles; GCC lowers it to two SSE2 registers in the baseline clone.
typedef double V4 __attribute__((vector_size(32)));
typedef long long V4Mask __attribute__((vector_size(32)));
// The same with 8-byte alignment, for loads from any double.
typedef double V4u __attribute__((vector_size(32), aligned(8)));

// Macro, not a function: a function returning V4 would change the baseline clone's ABI.
#define CORVALE_LOAD4(p) (*reinterpret_cast<const V4u*>(p))
#define CORVALE_STORE4(p, v) (*reinterpret_cast<V4u*>(p) = (v))
#define CORVALE_INLINE __attribute__((always_inline)) inline

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

template <bool kPacked>
CORVALE_INLINE void completeChunk(const double* input, const double* taps, const int* partitions, int count,
                                  int stride, int P, int position, const double* partial, int c, double* sumRe,
                                  double* sumIm) noexcept
{
    const size_t tapSize = static_cast<size_t>(partitionSpectrumSize(stride));
    const size_t inSize = static_cast<size_t>(inputSpectrumSize(stride));
    V4 accRe = CORVALE_LOAD4(partial + c);
    V4 accIm = CORVALE_LOAD4(partial + stride + c);
    for (int i = 0; i < count; ++i)
    {
        const int p = partitions[i];
        const int slot = (position - p < 0) ? position - p + P : position - p;
        const double* h = taps + static_cast<size_t>(p) * tapSize + c;
        const double* x = input + static_cast<size_t>(slot) * inSize + c;
        multiplyAdd<kPacked>(CORVALE_LOAD4(x), CORVALE_LOAD4(x + stride), CORVALE_LOAD4(h),
                             CORVALE_LOAD4(h + stride), accRe, accIm);
    }
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

CORVALE_HOT_FMA_CLONES
void completePartitionSum(const double* input, const double* taps, const int* partitions, int count, int stride,
                          int P, int position, const double* partial, double* sumRe, double* sumIm) noexcept
{
    completeChunk<true>(input, taps, partitions, count, stride, P, position, partial, 0, sumRe, sumIm);
    for (int c = 4; c < stride; c += 4)
        completeChunk<false>(input, taps, partitions, count, stride, P, position, partial, c, sumRe, sumIm);
}
