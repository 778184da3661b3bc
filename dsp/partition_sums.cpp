// Partition-sum kernels: a vector of bins at a time, the batch's accumulators in
// registers. Each kernel is a template over the vector type; simdLevel() picks the
// eight-double form on AVX-512 CPUs and the four-double form elsewhere, and every
// form gives every bin the same operations in the same order.
//
// This file alone is compiled with -ffp-contract=fast (dsp/CMakeLists.txt): in the
// AVX2+FMA and AVX-512 forms each multiply-add of the sums becomes one fused
// operation, which rounds once instead of twice; the baseline form has no FMA.
#include "dsp/partition_sums.h"

#include "dsp/simd.h"
#include "dsp/vector4.h"

#include <cstddef>
#include <cstring>

namespace {
constexpr bool kPrefetch = true;

// One chunk of bins c .. c + lanes - 1 of the batch pass for C channels: three
// multiplications per product, the three sums kept apart; bin 0 is redone by
// batchPackedBin.
template <typename V, int C>
CORVALE_INLINE void batchChunk(const double* const* const* blocks, const double* taps,
                               const unsigned char* passed, int stride, int P, int c,
                               double* const* out) noexcept
{
    const size_t tapSize = static_cast<size_t>(partitionSpectrumSize(stride));
    const size_t inSize = static_cast<size_t>(inputSpectrumSize(stride));
    V sumC[C][kPartitionBatch] = {}; // sum of c (a + b)
    V sumA[C][kPartitionBatch] = {}; // sum of a (d - c)
    V sumB[C][kPartitionBatch] = {}; // sum of b (c + d)
    for (int p = kPartitionBatch - 1; p < P; ++p)
    {
        if (!passed[p])
            continue;
        const double* h = taps + static_cast<size_t>(p) * tapSize + c;
        const V hc = CORVALE_LOADV(V, h), hd = CORVALE_LOADV(V, h + stride);
        const V hDiff = hd - hc, hSum = hc + hd;
        if (kPrefetch)
        {
            __builtin_prefetch(h + 8);
            __builtin_prefetch(h + stride + 8);
        }
        for (int ch = 0; ch < C; ++ch)
        {
            const double* const* x = blocks[ch] + (P - 1 - p);
            if (kPrefetch)
            {
                __builtin_prefetch(x[0] + c + 8);
                __builtin_prefetch(x[0] + stride + c + 8);
            }
            for (int j = 0; j < kPartitionBatch; ++j)
            {
                const V a = CORVALE_LOADV(V, x[j] + c), b = CORVALE_LOADV(V, x[j] + stride + c);
                sumC[ch][j] += hc * (a + b);
                sumA[ch][j] += a * hDiff;
                sumB[ch][j] += b * hSum;
            }
        }
    }
    for (int ch = 0; ch < C; ++ch)
    {
        for (int j = 0; j < kPartitionBatch; ++j)
        {
            CORVALE_STOREV(V, out[ch] + j * inSize + c, sumC[ch][j] - sumB[ch][j]);
            CORVALE_STOREV(V, out[ch] + j * inSize + stride + c, sumC[ch][j] + sumA[ch][j]);
        }
    }
}

// Bin 0 of the batch pass: the packed pair's separate products.
template <int C>
CORVALE_INLINE void batchPackedBin(const double* const* const* blocks, const double* taps,
                                   const unsigned char* passed, int stride, int P,
                                   double* const* out) noexcept
{
    const size_t tapSize = static_cast<size_t>(partitionSpectrumSize(stride));
    const size_t inSize = static_cast<size_t>(inputSpectrumSize(stride));
    double re[C][kPartitionBatch] = {};
    double im[C][kPartitionBatch] = {};
    for (int p = kPartitionBatch - 1; p < P; ++p)
    {
        if (!passed[p])
            continue;
        const double* h = taps + static_cast<size_t>(p) * tapSize;
        const double hr = h[0], hi = h[stride];
        for (int ch = 0; ch < C; ++ch)
        {
            const double* const* x = blocks[ch] + (P - 1 - p);
            for (int j = 0; j < kPartitionBatch; ++j)
            {
                re[ch][j] += x[j][0] * hr;
                im[ch][j] += x[j][stride] * hi;
            }
        }
    }
    for (int ch = 0; ch < C; ++ch)
    {
        for (int j = 0; j < kPartitionBatch; ++j)
        {
            out[ch][j * inSize] = re[ch][j];
            out[ch][j * inSize + stride] = im[ch][j];
        }
    }
}

template <typename V, int C>
CORVALE_INLINE void batchPass(const double* const* const* blocks, const double* taps,
                              const unsigned char* passed, int stride, int P,
                              double* const* out) noexcept
{
    constexpr int kLanes = static_cast<int>(sizeof(V) / sizeof(double));
    for (int c = 0; c < stride; c += kLanes)
        batchChunk<V, C>(blocks, taps, passed, stride, P, c, out);
    batchPackedBin<C>(blocks, taps, passed, stride, P, out);
}

// sum = from + the products of the listed spectra for C channels (x[ch][i] input, h[i]
// partition), one chunk: three multiplications per product as in the batch pass, the
// three sums added to `from` at the end; bin 0 is redone by completePackedBin.
template <typename V, int C>
CORVALE_INLINE void completeChunk(const double* const (*x)[kMaxCompletion], const double* const* h,
                                  int count, int stride, const double* const* fromRe,
                                  const double* const* fromIm, int c, double* const* sumRe,
                                  double* const* sumIm) noexcept
{
    V sumC[C] = {}, sumA[C] = {}, sumB[C] = {};
    for (int i = 0; i < count; ++i)
    {
        const double* hp = h[i] + c;
        const V hc = CORVALE_LOADV(V, hp), hd = CORVALE_LOADV(V, hp + stride);
        const V hDiff = hd - hc, hSum = hc + hd;
        for (int ch = 0; ch < C; ++ch)
        {
            const V a = CORVALE_LOADV(V, x[ch][i] + c), b = CORVALE_LOADV(V, x[ch][i] + stride + c);
            sumC[ch] += hc * (a + b);
            sumA[ch] += a * hDiff;
            sumB[ch] += b * hSum;
        }
    }
    for (int ch = 0; ch < C; ++ch)
    {
        const V re = CORVALE_LOADV(V, fromRe[ch] + c) + (sumC[ch] - sumB[ch]);
        const V im = CORVALE_LOADV(V, fromIm[ch] + c) + (sumC[ch] + sumA[ch]);
        CORVALE_STOREV(V, sumRe[ch] + c, re);
        CORVALE_STOREV(V, sumIm[ch] + c, im);
    }
}

// The spectra's addresses are looked up once per completion, not per chunk: the list is
// short (kMaxCompletion from the batch form), and longer lists go in groups of that size.
template <typename V, int C>
CORVALE_INLINE void complete(const double* const* input, const double* taps, const int* partitions,
                             int count, int stride, int P, int position,
                             const double* const* partial, double* const* sumRe,
                             double* const* sumIm) noexcept
{
    constexpr int kLanes = static_cast<int>(sizeof(V) / sizeof(double));
    const double* fromRe[C];
    const double* fromIm[C];
    for (int ch = 0; ch < C; ++ch)
    {
        fromRe[ch] = partial[ch];
        fromIm[ch] = partial[ch] + stride;
    }
    int first = 0;
    do
    {
        const double* x[C][kMaxCompletion];
        const double* h[kMaxCompletion];
        const int n = (count - first < kMaxCompletion) ? count - first : kMaxCompletion;
        for (int i = 0; i < n; ++i)
        {
            const int p = partitions[first + i];
            const int slot = (position - p < 0) ? position - p + P : position - p;
            h[i] = taps
                   + static_cast<size_t>(p) * static_cast<size_t>(partitionSpectrumSize(stride));
            for (int ch = 0; ch < C; ++ch)
                x[ch][i] = input[ch]
                           + static_cast<size_t>(slot)
                                 * static_cast<size_t>(inputSpectrumSize(stride));
        }
        // Bin 0, the packed pair: the separate products, in list order.
        double packedRe[C], packedIm[C];
        for (int ch = 0; ch < C; ++ch)
        {
            packedRe[ch] = fromRe[ch][0];
            packedIm[ch] = fromIm[ch][0];
            for (int i = 0; i < n; ++i)
            {
                packedRe[ch] += x[ch][i][0] * h[i][0];
                packedIm[ch] += x[ch][i][stride] * h[i][stride];
            }
        }
        for (int c = 0; c < stride; c += kLanes)
            completeChunk<V, C>(x, h, n, stride, fromRe, fromIm, c, sumRe, sumIm);
        for (int ch = 0; ch < C; ++ch)
        {
            sumRe[ch][0] = packedRe[ch];
            sumIm[ch][0] = packedIm[ch];
            fromRe[ch] = sumRe[ch];
            fromIm[ch] = sumIm[ch];
        }
        first += n;
    } while (first < count);
}

// One function per instruction set: the eight-double form needs AVX-512; the four-double
// form runs with AVX2 and FMA or on the baseline. Two channels at once only where the
// registers hold both channels' accumulators (32 with AVX-512).
#define CORVALE_KERNEL_SET(suffix, TARGET, V, kPairInOnePass)                                      \
    TARGET void batch##suffix(const double* const* blocks, const double* taps,                     \
                              const unsigned char* passed, int stride, int P,                      \
                              double* out) noexcept                                                \
    {                                                                                              \
        const double* const* lists[1] = {blocks};                                                  \
        double* outs[1] = {out};                                                                   \
        batchPass<V, 1>(lists, taps, passed, stride, P, outs);                                     \
    }                                                                                              \
    TARGET void batchPair##suffix(const double* const* blocksA, const double* const* blocksB,      \
                                  const double* taps, const unsigned char* passed, int stride,     \
                                  int P, double* outA, double* outB) noexcept                      \
    {                                                                                              \
        const double* const* lists[2] = {blocksA, blocksB};                                        \
        double* outs[2] = {outA, outB};                                                            \
        if (kPairInOnePass)                                                                        \
        {                                                                                          \
            batchPass<V, 2>(lists, taps, passed, stride, P, outs);                                 \
            return;                                                                                \
        }                                                                                          \
        batchPass<V, 1>(lists, taps, passed, stride, P, outs);                                     \
        batchPass<V, 1>(lists + 1, taps, passed, stride, P, outs + 1);                             \
    }                                                                                              \
    TARGET void complete##suffix(const double* input, const double* taps, const int* partitions,   \
                                 int count, int stride, int P, int position,                       \
                                 const double* partial, double* sumRe, double* sumIm) noexcept     \
    {                                                                                              \
        complete<V, 1>(&input, taps, partitions, count, stride, P, position, &partial, &sumRe,     \
                       &sumIm);                                                                    \
    }                                                                                              \
    TARGET void completePair##suffix(const double* const* inputs, const double* taps,              \
                                     const int* partitions, int count, int stride, int P,          \
                                     int position, const double* const* partials,                  \
                                     double* const* sumRe, double* const* sumIm) noexcept          \
    {                                                                                              \
        if (kPairInOnePass)                                                                        \
        {                                                                                          \
            complete<V, 2>(inputs, taps, partitions, count, stride, P, position, partials, sumRe,  \
                           sumIm);                                                                 \
            return;                                                                                \
        }                                                                                          \
        complete<V, 1>(inputs, taps, partitions, count, stride, P, position, partials, sumRe,      \
                       sumIm);                                                                     \
        complete<V, 1>(inputs + 1, taps, partitions, count, stride, P, position, partials + 1,     \
                       sumRe + 1, sumIm + 1);                                                      \
    }

CORVALE_KERNEL_SET(Baseline, , V4, false)
#if CORVALE_HAS_TARGETS
CORVALE_KERNEL_SET(Avx2, CORVALE_TARGET_V3, V4, false)
CORVALE_KERNEL_SET(Avx512, CORVALE_TARGET_V4, V8, true)
#endif
#undef CORVALE_KERNEL_SET

} // namespace

void sumPartitionBatch(const double* const* blocks, const double* taps, const unsigned char* passed,
                       int stride, int P, double* out) noexcept
{
#if CORVALE_HAS_TARGETS
    switch (simdLevel())
    {
    case SimdLevel::kAvx512:
        return batchAvx512(blocks, taps, passed, stride, P, out);
    case SimdLevel::kAvx2Fma:
        return batchAvx2(blocks, taps, passed, stride, P, out);
    default:
        break;
    }
#endif
    batchBaseline(blocks, taps, passed, stride, P, out);
}

void sumPartitionBatchPair(const double* const* blocksA, const double* const* blocksB,
                           const double* taps, const unsigned char* passed, int stride, int P,
                           double* outA, double* outB) noexcept
{
#if CORVALE_HAS_TARGETS
    switch (simdLevel())
    {
    case SimdLevel::kAvx512:
        return batchPairAvx512(blocksA, blocksB, taps, passed, stride, P, outA, outB);
    case SimdLevel::kAvx2Fma:
        return batchPairAvx2(blocksA, blocksB, taps, passed, stride, P, outA, outB);
    default:
        break;
    }
#endif
    batchPairBaseline(blocksA, blocksB, taps, passed, stride, P, outA, outB);
}

void completePartitionSum(const double* input, const double* taps, const int* partitions, int count,
                          int stride, int P, int position, const double* partial, double* sumRe,
                          double* sumIm) noexcept
{
#if CORVALE_HAS_TARGETS
    switch (simdLevel())
    {
    case SimdLevel::kAvx512:
        return completeAvx512(input, taps, partitions, count, stride, P, position, partial, sumRe,
                              sumIm);
    case SimdLevel::kAvx2Fma:
        return completeAvx2(input, taps, partitions, count, stride, P, position, partial, sumRe,
                            sumIm);
    default:
        break;
    }
#endif
    completeBaseline(input, taps, partitions, count, stride, P, position, partial, sumRe, sumIm);
}

void completePartitionSumPair(const double* const* inputs, const double* taps,
                              const int* partitions, int count, int stride, int P, int position,
                              const double* const* partials, double* const* sumRe,
                              double* const* sumIm) noexcept
{
#if CORVALE_HAS_TARGETS
    switch (simdLevel())
    {
    case SimdLevel::kAvx512:
        return completePairAvx512(inputs, taps, partitions, count, stride, P, position, partials,
                                  sumRe, sumIm);
    case SimdLevel::kAvx2Fma:
        return completePairAvx2(inputs, taps, partitions, count, stride, P, position, partials,
                                sumRe, sumIm);
    default:
        break;
    }
#endif
    completePairBaseline(inputs, taps, partitions, count, stride, P, position, partials, sumRe,
                         sumIm);
}
