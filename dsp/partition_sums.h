// The vector kernels behind CSpectralDelayLine's batch form: per-bin sums of
// input(block) x partition products over many partitions, a vector of bins at a
// time (eight with AVX-512, otherwise four).
//
// Every spectrum is stored split: `stride` real parts, then `stride` imaginary
// parts (stride a multiple of 8): a and b for an input block, c and d for a
// partition. Each product takes three multiplications,
//   (a + ib)(c + id) = [c(a + b) - b(c + d)] + i[c(a + b) + a(d - c)],
// the three summed separately over the partitions; a + b, d - c and c + d are
// formed as the spectra are read, which costs additions the multiply units do
// not wait for, where storing them would cost memory traffic. Bin 0 holds a
// packed pair (DC in the real part, Nyquist in the imaginary part) whose parts
// multiply separately: (a, b) x (c, d) = (a*c, b*d). Sums run over the
// partitions in ascending order, and every bin gets the same arithmetic whatever
// the vector width and however many channels share the pass. The kernels prefetch
// the next chunk's cache lines: with many instances in turn, the spectra come from
// the shared cache.
#pragma once

/// Number of consecutive blocks whose partition sums one batch pass forms.
constexpr int kPartitionBatch = 4;

/// Doubles per stored input spectrum and per stored partition spectrum. One cache line
/// of padding each: with power-of-two sizes the rows of all spectra at one bin offset
/// would fall into a handful of L1 sets and evict each other within a pass.
constexpr int kSpectrumPadding = 8;
constexpr int inputSpectrumSize(int stride)
{
    return 2 * stride + kSpectrumPadding;
}
constexpr int partitionSpectrumSize(int stride)
{
    return 2 * stride + kSpectrumPadding;
}
/// Bins stored per spectrum row for B bins: B rounded up to a whole vector of eight.
constexpr int spectrumStride(int B)
{
    return (B + 7) / 8 * 8;
}

/// The batch pass: for j = 0..kPartitionBatch-1 and every bin,
///   out[j] = sum over p with passed[p] of blocks[P - 1 + j - p] x taps(p),
/// out[j] being 2 * stride doubles (re, then im) at out + j * inputSpectrumSize(stride).
/// blocks lists the input spectra in time order (P + kPartitionBatch - 1 entries); only
/// partitions p >= kPartitionBatch - 1 may be marked passed. [audio]
void sumPartitionBatch(const double* const* blocks, const double* taps, const unsigned char* passed,
                       int stride, int P, double* out) noexcept;

/// The batch pass for two channels that share their partitions: the same sums as
/// sumPartitionBatch on (blocksA, outA) and on (blocksB, outB), bit for bit, with each
/// partition spectrum read once for both. [audio]
void sumPartitionBatchPair(const double* const* blocksA, const double* const* blocksB,
                           const double* taps, const unsigned char* passed, int stride, int P,
                           double* outA, double* outB) noexcept;

/// Most partitions a batch's completion adds: those the batch pass leaves out.
constexpr int kMaxCompletion = 2 * (kPartitionBatch - 1);

/// Completes one block's sum: sumRe/Im[k] = partial[k] + sum over the listed partitions of
/// input((position - p) mod P) x taps(p), the products in the batch pass's form (bin 0's in
/// list order). partial is 2 * stride doubles (re, then im); sumRe/sumIm receive stride
/// entries each (they may be partial's rows). Fastest for count <= kMaxCompletion. [audio]
void completePartitionSum(const double* input, const double* taps, const int* partitions, int count,
                          int stride, int P, int position, const double* partial, double* sumRe,
                          double* sumIm) noexcept;
/// The same for two channels sharing their partitions (inputs[c], partials[c], sumRe[c],
/// sumIm[c] for c = 0, 1), bit for bit, each partition read once for both. [audio]
void completePartitionSumPair(const double* const* inputs, const double* taps,
                              const int* partitions, int count, int stride, int P, int position,
                              const double* const* partials, double* const* sumRe,
                              double* const* sumIm) noexcept;
