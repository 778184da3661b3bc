// RFFT, ARFFT, BRFFT: real transforms of a fixed power-of-two length N built
// on one complex radix-2 decimation-in-frequency FFT of M = N/2 points.
//
// Each object is planned once for its length: every buffer and twiddle table is
// allocated by the constructor, and no transform allocates. Results stay in the
// object (spectrumBuffer() of an ARFFT, timeBuffer() of a BRFFT) until the next
// transform of the same object overwrites them.
//
// Two complex kernels exist side by side. transformRecurrence() is the plain
// scalar form whose twiddles come from a per-stage recurrence (one cos/sin per
// stage); transform() uses per-stage twiddles precomputed at construction.
// They agree to rounding. The packed split-array paths (forwardPacked,
// inversePacked) are what the filter engine runs on the audio thread; for
// N = 128 they run the fixed-size kernels of real_fft_128.h, otherwise (or
// after useFixedSizeKernels(false)) the generic radix-2 split-array stages.
//
// Not reentrant: one object is used by one thread at a time.
#pragma once

#include "dsp/real_fft_128.h"

#include <complex>
#include <cstdint>
#include <vector>

class RFFT
{
public:
    using Complex = std::complex<double>;

    /// Plans a transform of N real samples (N a power of two, at least 2). [main]
    explicit RFFT(int N);
    virtual ~RFFT();
    RFFT(const RFFT&) = delete;
    RFFT& operator=(const RFFT&) = delete;

    /// Complex FFT of count entries of src into the work buffer; src is left unchanged. [any]
    virtual void transform(const Complex* src, int count) noexcept;
    /// Prints entries start..start+count-1 of the result buffer to stdout (diagnostics). [main]
    virtual void dump(int start, int count);
    /// dump(0, N). [main]
    virtual void dumpAll();
    /// Forward real transform of N samples (ARFFT only; empty here). [any]
    virtual void forwardReal(const double* x) noexcept;
    /// Inverse real transform of the half spectrum X[0..M] (BRFFT only; empty here). [any]
    virtual void inverseReal(Complex* X) noexcept;

    /// Multiplies every entry of timeBuffer() by 1/N, e.g. after inverseReal(). [any]
    void normalize() noexcept;
    /// Makes transform() use the recurrence kernel (the scalar reference). [main]
    void useRecurrenceTwiddles(bool on) noexcept { m_recurrence = on; }
    /// Lets the packed paths use the N = 128 kernels (the default); false selects the
    /// generic split-array stages, the reference they are tested against. [main]
    void useFixedSizeKernels(bool on) noexcept { m_fixedSize = on && m_fixed.passRe != nullptr; }

    /// Number of real samples N. [any]
    int length() const noexcept { return m_N; }
    /// Length of the complex transform M = N/2. [any]
    int halfLength() const noexcept { return m_M; }
    /// Number of radix-2 stages, log2(M) (6 for N = 128, 10 for N = 2048). [any]
    int stages() const noexcept { return m_stages; }
    /// M+1 entries, entry j = exp(-2*pi*i*j/N). [any]
    const Complex* twiddleTable() const noexcept { return m_twiddleTable.data(); }
    /// N entries; a BRFFT leaves its result here. [any]
    const Complex* timeBuffer() const noexcept { return m_timeBuffer.data(); }
    /// N entries; an ARFFT leaves its result here. [any]
    const Complex* spectrumBuffer() const noexcept { return m_spectrumBuffer.data(); }
    Complex* spectrumBuffer() noexcept { return m_spectrumBuffer.data(); }

    /// The plain reference kernel: copy, radix-2 DIF with recurrence twiddles, bit reversal.
    /// sign is -1 (forward) or +1 (backward); buf receives the result. [any]
    void transformRecurrence(Complex* buf, const Complex* src, int count, int sign) noexcept;

protected:
    /// Precomputes the per-stage twiddles exp(sign*2*pi*i*j/span); derived constructors call it. [main]
    void planStages(int sign);
    /// transform() of the derived class: table kernel for count == M, else the recurrence. [any]
    void runTransform(Complex* buf, const Complex* src, int count, int sign) noexcept;
    /// DIF on split arrays of M entries (re/im are overwritten as work space); the result goes
    /// to outRe/outIm in natural order. upperZero: entries M/2..M-1 are zero (M >= 8). [any]
    void difSplit(double* re, double* im, bool upperZero, double* outRe, double* outIm) const noexcept;
    /// Prints one line per entry, tagged with letter. [main]
    void dumpBuffer(const std::vector<Complex>& buffer, char letter, int start, int count) const;

    int m_N;
    int m_M;
    int m_stages;
    // Working state of the recurrence kernel.
    int m_radix = 2;
    int m_span = 0;
    int m_halfSpan = 0;
    Complex m_step;
    Complex m_twiddle;
    std::vector<Complex> m_twiddleTable;
    std::vector<Complex> m_timeBuffer;
    std::vector<Complex> m_spectrumBuffer;
    double m_sizeAsDouble;
    double m_angleStep;
    bool m_recurrence = false;

    // Precomputed kernel: twiddles of span M, M/2, ..., 2 back to back (M-1 entries),
    // as complex values and as split arrays, and the bit-reversal permutation of M.
    std::vector<Complex> m_stageTwiddles;
    std::vector<double> m_stageRe;
    std::vector<double> m_stageIm;
    std::vector<int32_t> m_bitReverse;
    // twiddleTable entries k and M-k for k = 0..M/2, as split arrays for the split steps.
    std::vector<double> m_lowRe;
    std::vector<double> m_lowIm;
    std::vector<double> m_highRe;
    std::vector<double> m_highIm;
    // The N = 128 kernels: whether the packed paths use them, and their tables (8 x 8
    // pass twiddles of the planned sign, split-step twiddles), one copy per direction for
    // the whole process, so that many engines in turn find them in the cache.
    bool m_fixedSize = false;
    RealFft128Tables m_fixed {};
    const RealFft128Tables& fixedTables() const noexcept { return m_fixed; }
    // Split work arrays of the packed paths (M+1 entries each).
    std::vector<double> m_workRe;
    std::vector<double> m_workIm;
    std::vector<double> m_orderedRe;
    std::vector<double> m_orderedIm;
};

/// Forward real transform: spectrumBuffer() = full N-point DFT of x (unnormalised).
class ARFFT : public RFFT
{
public:
    /// Plans a forward transform of N samples. [main]
    explicit ARFFT(int N);

    /// Forward complex FFT into spectrumBuffer(). [any]
    void transform(const Complex* src, int count) noexcept override;
    /// Prints "F[i] = (re,im)" lines of spectrumBuffer(); nothing if the range leaves 0..N-1. [main]
    void dump(int start, int count) override;
    /// dump(0, N). [main]
    void dumpAll() override;
    /// x: N doubles; afterwards spectrumBuffer() holds X[0..N-1]. [any]
    void forwardReal(const double* x) noexcept override;

    /// Fast path for the engine: the spectrum of x[0..count-1] followed by N-count zeros,
    /// written as M bins to re/im with bin 0 packed as (X[0], X[M]). count is N or N/2.
    /// spectrumBuffer() is not touched. [audio]
    void forwardPacked(const double* x, int count, double* re, double* im) noexcept;

    /// The real input read as M complex pairs. [any]
    const Complex* packedInput() const noexcept { return m_packedInput.data(); }

private:
    std::vector<Complex> m_packedInput;
};

/// Inverse real transform: Re timeBuffer() = N times the inverse DFT of a half spectrum.
class BRFFT : public RFFT
{
public:
    /// Plans an inverse transform of N samples. [main]
    explicit BRFFT(int N);

    /// Backward complex FFT into timeBuffer(). [any]
    void transform(const Complex* src, int count) noexcept override;
    /// Prints "f[i] = (re,im)" lines of timeBuffer(); nothing if the range leaves 0..N-1. [main]
    void dump(int start, int count) override;
    /// dump(0, N). [main]
    void dumpAll() override;
    /// X: entries 0..M are read and overwritten; afterwards Re timeBuffer() = N * signal,
    /// Im timeBuffer() = 0. [any]
    void inverseReal(Complex* X) noexcept override;

    /// Fast path for the engine: the same arithmetic as inverseReal() on the half spectrum
    /// re/im[0..M] (left unchanged), writing scale * Re timeBuffer into out[0..N-1].
    /// timeBuffer() is not touched. [audio]
    void inversePacked(const double* re, const double* im, double* out, double scale) noexcept;
    /// inversePacked() followed by the overlap-add of consecutive blocks: out[i] for i < M
    /// gets the previous out[M + i] added (the new value plus the old one). [audio]
    void inversePackedOverlapAdd(const double* re, const double* im, double* out, double scale) noexcept;

private:
    std::vector<double> m_tail;   // the previous out[M..N-1] on the generic overlap-add path
};
