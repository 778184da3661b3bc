// The filter engine's block transforms at their one size, N = 128 real points
// (a 64-point complex FFT plus the real split steps), as fixed-size kernels.
//
// The 64-point FFT runs as an 8 x 8 decomposition (n = 8*n1 + n2, k = k1 + 8*k2):
// 8-point FFTs down the columns, a twiddle multiplication, a transpose in
// registers and 8-point FFTs down the columns again. Every butterfly works on
// four neighbouring columns at once and the result comes out in natural order,
// so there is neither a bit-reversal pass nor a scattered store.
//
// The arithmetic is that of ARFFT::forwardPacked / BRFFT::inversePacked (the
// generic radix-2 paths, which stay as the reference); results agree to rounding.
// On AVX-512 CPUs the passes run down all eight columns at once (real_fft_128_wide.cpp),
// elsewhere four at a time; both give the same results bit for bit.
#pragma once

/// Twiddles the fixed kernels read; ARFFT/BRFFT of length 128 own them.
struct RealFft128Tables
{
    const double* passRe;   // 64 entries: exp(sign*2*pi*i*n2*k1/64) at 8*k1 + n2
    const double* passIm;
    const double* lowRe;    // 33 entries: exp(-2*pi*i*k/128), k = 0..32
    const double* lowIm;
    const double* highRe;   // 33 entries: exp(-2*pi*i*(64-k)/128), k = 0..32
    const double* highIm;
};

/// Spectrum of x[0..count-1] followed by zeros (count 64 or 128) as 64 bins, bin 0 packed
/// as (X[0], X[64]). tables.pass* hold the forward (sign -1) twiddles. [audio]
void forwardReal128(const double* x, int count, const RealFft128Tables& tables, double* re, double* im) noexcept;

/// scale * (Re timeBuffer after BRFFT::inverseReal of the half spectrum re/im[0..64]) into
/// out[0..127], Im X[0] and Im X[64] entering as they do there. overlapAdd: out[j] for j < 64
/// gets the previous out[64 + j] added (the overlap-add of consecutive blocks). tables.pass*
/// hold the backward (sign +1) twiddles. [audio]
void inverseReal128(const double* re, const double* im, const RealFft128Tables& tables, double scale,
                    bool overlapAdd, double* out) noexcept;

/// The two forms behind the functions above: four columns at a time (any CPU) and eight at
/// a time (CPUs with AVX-512 only, see simdLevel()). [audio]
void forwardReal128Narrow(const double* x, int count, const RealFft128Tables& tables, double* re, double* im) noexcept;
void inverseReal128Narrow(const double* re, const double* im, const RealFft128Tables& tables, double scale,
                          bool overlapAdd, double* out) noexcept;
void forwardReal128Wide(const double* x, int count, const RealFft128Tables& tables, double* re, double* im) noexcept;
void inverseReal128Wide(const double* re, const double* im, const RealFft128Tables& tables, double scale,
                        bool overlapAdd, double* out) noexcept;
