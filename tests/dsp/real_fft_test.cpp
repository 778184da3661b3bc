// Real FFT: against FFTW on random signals, the packing cases of the split
// steps, and the precomputed-twiddle kernels against the recurrence kernel.
#include "dsp/real_fft.h"
#include "dsp_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

namespace
{
using namespace dsptest;

// Largest error relative to the reference's largest magnitude, and the same in dB.
struct ErrorMeasure
{
    double worst = 0.0;
    double scale = 0.0;
    void add(Complex got, Complex want)
    {
        worst = std::max(worst, std::abs(got - want));
        scale = std::max(scale, std::abs(want));
    }
    double relative() const { return scale > 0.0 ? worst / scale : worst; }
    double dB() const { return 20.0 * std::log10(std::max(relative(), 1e-300)); }
};

class RealFftSizes : public ::testing::TestWithParam<int>
{
};

TEST_P(RealFftSizes, ForwardMatchesFftw)
{
    const int N = GetParam();
    const std::vector<double> x = randomSignal(N, 11u + static_cast<unsigned>(N));
    const std::vector<Complex> want = fftwForward(x);
    for (bool recurrence : {false, true})
    {
        ARFFT fft(N);
        fft.useRecurrenceTwiddles(recurrence);
        fft.forwardReal(x.data());
        ErrorMeasure e;
        for (int k = 0; k <= N / 2; ++k)
            e.add(fft.spectrumBuffer()[k], want[static_cast<size_t>(k)]);
        for (int k = 1; k < N / 2; ++k)
            e.add(fft.spectrumBuffer()[N - k], std::conj(want[static_cast<size_t>(k)]));
        EXPECT_LT(e.relative(), 1e-13) << "N=" << N << " recurrence=" << recurrence << ": " << e.dB() << " dB";
    }
}

TEST_P(RealFftSizes, InverseMatchesFftw)
{
    const int N = GetParam();
    const int M = N / 2;
    const std::vector<double> re = randomSignal(M + 1, 21u + static_cast<unsigned>(N));
    const std::vector<double> im = randomSignal(M + 1, 31u + static_cast<unsigned>(N));
    std::vector<Complex> half(static_cast<size_t>(M + 1));
    for (int k = 0; k <= M; ++k)
        half[static_cast<size_t>(k)] = Complex(re[static_cast<size_t>(k)], (k == 0 || k == M) ? 0.0 : im[static_cast<size_t>(k)]);
    const std::vector<double> want = fftwInverse(half, N);
    for (bool recurrence : {false, true})
    {
        BRFFT fft(N);
        fft.useRecurrenceTwiddles(recurrence);
        std::vector<Complex> X(half);
        fft.inverseReal(X.data());
        ErrorMeasure e;
        for (int n = 0; n < N; ++n)
        {
            e.add(fft.timeBuffer()[n], want[static_cast<size_t>(n)]);
            EXPECT_EQ(fft.timeBuffer()[n].imag(), 0.0);
        }
        EXPECT_LT(e.relative(), 1e-13) << "N=" << N << " recurrence=" << recurrence << ": " << e.dB() << " dB";
    }
}

TEST_P(RealFftSizes, TableKernelMatchesRecurrence)
{
    const int N = GetParam();
    const int M = N / 2;
    const std::vector<double> re = randomSignal(M, 41u);
    const std::vector<double> im = randomSignal(M, 43u);
    std::vector<Complex> src(static_cast<size_t>(M));
    for (int n = 0; n < M; ++n)
        src[static_cast<size_t>(n)] = Complex(re[static_cast<size_t>(n)], im[static_cast<size_t>(n)]);
    ARFFT forward(N);
    BRFFT backward(N);
    for (RFFT* fft : {static_cast<RFFT*>(&forward), static_cast<RFFT*>(&backward)})
    {
        const int sign = (fft == &forward) ? -1 : +1;
        fft->transform(src.data(), M);
        std::vector<Complex> reference(static_cast<size_t>(M));
        fft->transformRecurrence(reference.data(), src.data(), M, sign);
        const Complex* got = (sign < 0) ? fft->spectrumBuffer() : fft->timeBuffer();
        ErrorMeasure e;
        for (int k = 0; k < M; ++k)
            e.add(got[k], reference[static_cast<size_t>(k)]);
        EXPECT_LT(e.relative(), 1e-13) << "N=" << N << " sign=" << sign << ": " << e.dB() << " dB";
    }
}

// The engine's split-array paths against the complex-buffer ones, for a full input and
// for an input whose upper half is zero, and for a packed bin 0 on the inverse side.
TEST_P(RealFftSizes, PackedPathsMatchComplexPaths)
{
    const int N = GetParam();
    const int M = N / 2;
    for (int count : {N, N / 2})
    {
        std::vector<double> x = randomSignal(N, 51u + static_cast<unsigned>(count));
        std::fill(x.begin() + count, x.end(), 0.0);
        ARFFT fft(N);
        fft.forwardReal(x.data());
        std::vector<double> re(static_cast<size_t>(M)), im(static_cast<size_t>(M));
        fft.forwardPacked(x.data(), count, re.data(), im.data());
        ErrorMeasure e;
        e.add(Complex(re[0], im[0]), Complex(fft.spectrumBuffer()[0].real(), fft.spectrumBuffer()[M].real()));
        for (int k = 1; k < M; ++k)
            e.add(Complex(re[static_cast<size_t>(k)], im[static_cast<size_t>(k)]), fft.spectrumBuffer()[k]);
        EXPECT_LT(e.relative(), 1e-13) << "N=" << N << " count=" << count;
    }
    const std::vector<double> re = randomSignal(M + 1, 61u);
    const std::vector<double> im = randomSignal(M + 1, 67u);
    std::vector<Complex> X(static_cast<size_t>(M + 1));
    for (int k = 0; k <= M; ++k)
        X[static_cast<size_t>(k)] = Complex(re[static_cast<size_t>(k)], im[static_cast<size_t>(k)]);
    BRFFT fft(N);
    std::vector<double> out(static_cast<size_t>(N));
    fft.inversePacked(re.data(), im.data(), out.data(), 1.0 / N);
    fft.inverseReal(X.data());
    fft.normalize();
    ErrorMeasure e;
    for (int n = 0; n < N; ++n)
        e.add(out[static_cast<size_t>(n)], fft.timeBuffer()[n].real());
    EXPECT_LT(e.relative(), 1e-13) << "N=" << N;
}

INSTANTIATE_TEST_SUITE_P(Lengths, RealFftSizes, ::testing::Values(128, 2048));

TEST(RealFft, StageCount)
{
    const struct { int N; int stages; } cases[] = {{2, 0}, {4, 1}, {128, 6}, {2048, 10}};
    for (const auto& c : cases)
        EXPECT_EQ(ARFFT(c.N).stages(), c.stages) << c.N;
}

TEST(RealFft, ForwardPackingCases)
{
    const int N = 128, M = 64;
    struct Case
    {
        const char* name;
        double (*signal)(int n);
        Complex (*expected)(int k);
    };
    const Case cases[] = {
        {"impulse", [](int n) { return n == 0 ? 1.0 : 0.0; }, [](int) { return Complex(1.0, 0.0); }},
        {"alternating", [](int n) { return (n % 2 == 0) ? 1.0 : -1.0; },
         [](int k) { return k == 64 ? Complex(128.0, 0.0) : Complex(0.0, 0.0); }},
    };
    for (const Case& c : cases)
    {
        std::vector<double> x(N);
        for (int n = 0; n < N; ++n)
            x[static_cast<size_t>(n)] = c.signal(n);
        ARFFT fft(N);
        fft.forwardReal(x.data());
        for (int k = 0; k < N; ++k)
            EXPECT_LT(std::abs(fft.spectrumBuffer()[k] - c.expected(k)), 1e-12) << c.name << " k=" << k;
        EXPECT_LT(std::abs(fft.spectrumBuffer()[M].imag()), 1e-12) << c.name;
    }
}

TEST(RealFft, InversePackingCases)
{
    const int N = 128, M = 64;
    const double a = 0.75, b = -1.5, c = 0.25;
    struct Case
    {
        const char* name;
        Complex first;
        Complex top;
        double (*expected)(int n, double a, double c);
    };
    const Case cases[] = {
        {"dc and nyquist", Complex(a, 0.0), Complex(c, 0.0),
         [](int n, double dc, double nyquist) { return dc + nyquist * ((n % 2 == 0) ? 1.0 : -1.0); }},
        {"nyquist packed in bin 0 cancels", Complex(a, b), Complex(b, 0.0),
         [](int, double dc, double) { return dc; }},
    };
    for (const Case& cs : cases)
    {
        std::vector<Complex> X(static_cast<size_t>(M + 1), Complex(0.0, 0.0));
        X[0] = cs.first;
        X[static_cast<size_t>(M)] = cs.top;
        BRFFT fft(N);
        fft.inverseReal(X.data());
        for (int n = 0; n < N; ++n)
            EXPECT_NEAR(fft.timeBuffer()[n].real(), cs.expected(n, a, c), 1e-14) << cs.name << " n=" << n;
    }
}

TEST(RealFft, RoundTripRestoresInput)
{
    const int N = 2048;
    const std::vector<double> x = randomSignal(N, 71u);
    ARFFT forward(N);
    BRFFT inverse(N);
    forward.forwardReal(x.data());
    std::vector<Complex> X(forward.spectrumBuffer(), forward.spectrumBuffer() + N / 2 + 1);
    inverse.inverseReal(X.data());
    inverse.normalize();
    for (int n = 0; n < N; ++n)
    {
        EXPECT_NEAR(inverse.timeBuffer()[n].real(), x[static_cast<size_t>(n)], 1e-14);
        EXPECT_EQ(inverse.timeBuffer()[n].imag(), 0.0);
    }
}

TEST(RealFft, DumpPrintsOnlyValidRanges)
{
    ARFFT forward(8);
    BRFFT inverse(8);
    const struct { RFFT* fft; int start; int count; const char* text; } cases[] = {
        {&forward, 0, 2, "F[0] = (0,0)\nF[1] = (0,0)\n"},
        {&inverse, 7, 1, "f[7] = (0,0)\n"},
        {&forward, 6, 3, ""},
        {&forward, -1, 2, ""},
        {&forward, 0, 0, ""},
    };
    for (const auto& c : cases)
    {
        ::testing::internal::CaptureStdout();
        c.fft->dump(c.start, c.count);
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), c.text) << c.start << "+" << c.count;
    }
}
} // namespace
