// The 128-point fixed-size kernels behind the packed paths: against FFTW, against
// the generic radix-2 split-array paths they replace, the packed DC/Nyquist pair,
// and the overlap-add form of the inverse.
#include "dsp/real_fft.h"
#include "dsp/real_fft_128.h"
#include "dsp/simd.h"
#include "dsp_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

namespace
{
using namespace dsptest;
constexpr int kN = 128;
constexpr int kM = 64;

struct Packed
{
    std::vector<double> re = std::vector<double>(kM);
    std::vector<double> im = std::vector<double>(kM);
};

Packed forward(const std::vector<double>& x, int count, bool fixed)
{
    ARFFT fft(kN);
    fft.useFixedSizeKernels(fixed);
    Packed p;
    fft.forwardPacked(x.data(), count, p.re.data(), p.im.data());
    return p;
}

// Forward: FFTW's r2c of the zero-padded input, and the generic path, for both input counts.
TEST(RealFft128, ForwardMatchesFftwAndGenericPath)
{
    for (int count : {kM, kN})
    {
        std::vector<double> x = randomSignal(kN, 3u + static_cast<unsigned>(count));
        std::fill(x.begin() + count, x.end(), 0.0);
        const std::vector<Complex> want = fftwForward(x);

        const Packed fast = forward(x, count, true);
        const Packed generic = forward(x, count, false);
        double scale = 0.0;
        for (const Complex& w : want)
            scale = std::max(scale, std::abs(w));
        EXPECT_NEAR(fast.re[0], want[0].real(), 1e-13 * scale) << "DC, count " << count;
        EXPECT_NEAR(fast.im[0], want[kM].real(), 1e-13 * scale) << "Nyquist, count " << count;
        for (int k = 1; k < kM; ++k)
        {
            EXPECT_LT(std::abs(Complex(fast.re[k], fast.im[k]) - want[static_cast<size_t>(k)]), 1e-13 * scale)
                << "bin " << k << ", count " << count;
        }
        for (int k = 0; k < kM; ++k)
        {
            EXPECT_NEAR(fast.re[k], generic.re[k], 1e-14 * scale) << "bin " << k << ", count " << count;
            EXPECT_NEAR(fast.im[k], generic.im[k], 1e-14 * scale) << "bin " << k << ", count " << count;
        }
    }
}

TEST(RealFft128, ForwardPackingCases)
{
    struct Case
    {
        const char* name;
        double (*signal)(int n);
        int count;
        double dc, nyquist;   // expected bin 0
        Complex others;       // expected bins 1..63
    };
    const Case cases[] = {
        {"impulse at 0", [](int n) { return n == 0 ? 1.0 : 0.0; }, kM, 1.0, 1.0, Complex(1.0, 0.0)},
        {"alternating", [](int n) { return (n % 2 == 0) ? 1.0 : -1.0; }, kN, 0.0, 128.0, Complex(0.0, 0.0)},
    };
    for (const Case& c : cases)
    {
        std::vector<double> x(kN, 0.0);
        for (int n = 0; n < c.count; ++n)
            x[static_cast<size_t>(n)] = c.signal(n);
        const Packed p = forward(x, c.count, true);
        EXPECT_NEAR(p.re[0], c.dc, 1e-12) << c.name;
        EXPECT_NEAR(p.im[0], c.nyquist, 1e-12) << c.name;
        for (int k = 1; k < kM; ++k)
            EXPECT_LT(std::abs(Complex(p.re[k], p.im[k]) - c.others), 1e-12) << c.name << " bin " << k;
    }
}

// Inverse: the generic path on an arbitrary half spectrum (packed bin 0, arbitrary Im X[64]),
// FFTW's c2r on a proper one, and the two packing cases of the split step.
TEST(RealFft128, InverseMatchesFftwAndGenericPath)
{
    const std::vector<double> re = randomSignal(kM + 1, 5u);
    const std::vector<double> im = randomSignal(kM + 1, 7u);
    std::vector<double> fast(kN), generic(kN);
    BRFFT fixedFft(kN), genericFft(kN);
    genericFft.useFixedSizeKernels(false);
    fixedFft.inversePacked(re.data(), im.data(), fast.data(), 1.0 / kN);
    genericFft.inversePacked(re.data(), im.data(), generic.data(), 1.0 / kN);
    const double scale = peak(generic);
    for (int n = 0; n < kN; ++n)
        EXPECT_NEAR(fast[static_cast<size_t>(n)], generic[static_cast<size_t>(n)], 1e-14 * scale) << n;

    std::vector<Complex> half(kM + 1);
    std::vector<double> properIm(im);
    properIm[0] = properIm[kM] = 0.0;
    for (int k = 0; k <= kM; ++k)
        half[static_cast<size_t>(k)] = Complex(re[static_cast<size_t>(k)], properIm[static_cast<size_t>(k)]);
    const std::vector<double> want = fftwInverse(half, kN);
    fixedFft.inversePacked(re.data(), properIm.data(), fast.data(), 1.0);
    const double wantScale = peak(want);
    for (int n = 0; n < kN; ++n)
        EXPECT_NEAR(fast[static_cast<size_t>(n)], want[static_cast<size_t>(n)], 1e-13 * wantScale) << n;
}

TEST(RealFft128, InverseNyquistPacking)
{
    const double a = 0.75, b = -1.5, c = 0.25;
    struct Case
    {
        const char* name;
        Complex first, top;
        double even, odd;   // expected output at even and odd n
    };
    const Case cases[] = {
        {"dc and nyquist", Complex(a, 0.0), Complex(c, 0.0), a + c, a - c},
        {"nyquist packed in bin 0 cancels", Complex(a, b), Complex(b, 0.0), a, a},
    };
    for (const Case& cs : cases)
    {
        std::vector<double> re(kM + 1, 0.0), im(kM + 1, 0.0), out(kN);
        re[0] = cs.first.real();
        im[0] = cs.first.imag();
        re[kM] = cs.top.real();
        im[kM] = cs.top.imag();
        BRFFT fft(kN);
        fft.inversePacked(re.data(), im.data(), out.data(), 1.0);
        for (int n = 0; n < kN; ++n)
            EXPECT_NEAR(out[static_cast<size_t>(n)], (n % 2 == 0) ? cs.even : cs.odd, 1e-14) << cs.name << " n=" << n;
    }
}

// Overlap-add form: the new block plus the previous upper half, for both kernels, exactly
// what a separate inverse and addition give.
TEST(RealFft128, OverlapAddAddsPreviousTail)
{
    const std::vector<double> re = randomSignal(kM + 1, 9u);
    const std::vector<double> im = randomSignal(kM + 1, 13u);
    const std::vector<double> previous = randomSignal(kN, 17u);
    for (bool fixed : {true, false})
    {
        BRFFT fft(kN);
        fft.useFixedSizeKernels(fixed);
        std::vector<double> block(kN);
        fft.inversePacked(re.data(), im.data(), block.data(), 1.0 / kN);
        std::vector<double> out(previous);
        fft.inversePackedOverlapAdd(re.data(), im.data(), out.data(), 1.0 / kN);
        for (int n = 0; n < kN; ++n)
        {
            const double want = (n < kM) ? block[static_cast<size_t>(n)] + previous[static_cast<size_t>(kM + n)]
                                         : block[static_cast<size_t>(n)];
            EXPECT_EQ(out[static_cast<size_t>(n)], want) << "fixed=" << fixed << " n=" << n;
        }
    }
}

// Forward then inverse through the fixed kernels gives the input back.
TEST(RealFft128, RoundTrip)
{
    const std::vector<double> x = randomSignal(kN, 19u);
    const Packed p = forward(x, kN, true);
    std::vector<double> re(p.re), im(p.im);
    re.push_back(p.im[0]);   // X[64] = Nyquist, and bin 0 made proper
    im.push_back(0.0);
    im[0] = 0.0;
    BRFFT fft(kN);
    std::vector<double> out(kN);
    fft.inversePacked(re.data(), im.data(), out.data(), 1.0 / kN);
    for (int n = 0; n < kN; ++n)
        EXPECT_NEAR(out[static_cast<size_t>(n)], x[static_cast<size_t>(n)], 1e-14) << n;
}

// The eight-column kernels (AVX-512) and the four-column ones give the same bits, for both
// input counts and both inverse forms, on tables computed here.
TEST(RealFft128, WideKernelsEqualNarrowOnes)
{
    if (simdLevel() != SimdLevel::kAvx512)
        GTEST_SKIP() << "this CPU has no AVX-512";
    const double pi = 3.14159265358979323846;
    std::vector<double> passRe(kM), passIm(kM), backRe(kM), backIm(kM), lowRe(33), lowIm(33), highRe(33), highIm(33);
    for (int k1 = 0; k1 < 8; ++k1)
        for (int n2 = 0; n2 < 8; ++n2)
        {
            const double angle = 2.0 * pi * n2 * k1 / 64.0;
            passRe[static_cast<size_t>(8 * k1 + n2)] = backRe[static_cast<size_t>(8 * k1 + n2)] = std::cos(angle);
            passIm[static_cast<size_t>(8 * k1 + n2)] = -std::sin(angle);
            backIm[static_cast<size_t>(8 * k1 + n2)] = std::sin(angle);
        }
    for (int k = 0; k <= 32; ++k)
    {
        lowRe[static_cast<size_t>(k)] = std::cos(-2.0 * pi * k / kN);
        lowIm[static_cast<size_t>(k)] = std::sin(-2.0 * pi * k / kN);
        highRe[static_cast<size_t>(k)] = std::cos(-2.0 * pi * (kM - k) / kN);
        highIm[static_cast<size_t>(k)] = std::sin(-2.0 * pi * (kM - k) / kN);
    }
    const RealFft128Tables forwardTables{passRe.data(), passIm.data(), lowRe.data(), lowIm.data(), highRe.data(),
                                         highIm.data()};
    const RealFft128Tables inverseTables{backRe.data(), backIm.data(), lowRe.data(), lowIm.data(), highRe.data(),
                                         highIm.data()};
    for (unsigned seed = 1; seed <= 20; ++seed)
    {
        const std::vector<double> x = randomSignal(kN, seed);
        for (int count : {kM, kN})
        {
            Packed narrow, wide;
            forwardReal128Narrow(x.data(), count, forwardTables, narrow.re.data(), narrow.im.data());
            forwardReal128Wide(x.data(), count, forwardTables, wide.re.data(), wide.im.data());
            ASSERT_EQ(narrow.re, wide.re) << "seed " << seed << " count " << count;
            ASSERT_EQ(narrow.im, wide.im) << "seed " << seed << " count " << count;
        }
        const std::vector<double> re = randomSignal(kM + 1, seed + 100), im = randomSignal(kM + 1, seed + 200);
        for (bool overlapAdd : {false, true})
        {
            std::vector<double> narrow = randomSignal(kN, seed + 300), wide = narrow;
            inverseReal128Narrow(re.data(), im.data(), inverseTables, 1.0 / kN, overlapAdd, narrow.data());
            inverseReal128Wide(re.data(), im.data(), inverseTables, 1.0 / kN, overlapAdd, wide.data());
            ASSERT_EQ(narrow, wide) << "seed " << seed << " overlapAdd " << overlapAdd;
        }
    }
}
} // namespace
