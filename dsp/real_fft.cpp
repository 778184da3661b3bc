// RFFT: planning, the two complex kernels and the split-array DIF stages.
#include "dsp/real_fft.h"

#include "dsp/simd.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iostream>

namespace
{
constexpr double kPi = 3.14159265358979323846;
// Four doubles; GCC lowers it to two SSE2 registers in the baseline clone.
typedef double V4 __attribute__((vector_size(32)));

// One radix-2 DIF stage pass over all groups of the given span. The trivial
// last stage (span 2, twiddle 1) skips the multiplication: (d * 1 - e * 0) == d.
CORVALE_HOT_CLONES
void difStage(double* re, double* im, int count, int span, const double* wr, const double* wi) noexcept
{
    const int half = span >> 1;
    if (half == 1)
    {
        for (int base = 0; base < count; base += 2)
        {
            const double ar = re[base], ai = im[base];
            const double br = re[base + 1], bi = im[base + 1];
            re[base] = ar + br;
            im[base] = ai + bi;
            re[base + 1] = ar - br;
            im[base + 1] = ai - bi;
        }
        return;
    }
    for (int base = 0; base < count; base += span)
    {
        double* aRe = re + base;
        double* aIm = im + base;
        double* bRe = re + base + half;
        double* bIm = im + base + half;
        int j = 0;
        // Four butterflies at a time (half is a power of two, so 2 is the only remainder case).
        for (; j + 4 <= half; j += 4)
        {
            V4 ar, ai, br, bi, cr, ci;
            std::memcpy(&ar, aRe + j, sizeof(V4));
            std::memcpy(&ai, aIm + j, sizeof(V4));
            std::memcpy(&br, bRe + j, sizeof(V4));
            std::memcpy(&bi, bIm + j, sizeof(V4));
            std::memcpy(&cr, wr + j, sizeof(V4));
            std::memcpy(&ci, wi + j, sizeof(V4));
            const V4 dr = ar - br, di = ai - bi;
            const V4 sr = ar + br, si = ai + bi;
            const V4 tr = dr * cr - di * ci, ti = dr * ci + di * cr;
            std::memcpy(aRe + j, &sr, sizeof(V4));
            std::memcpy(aIm + j, &si, sizeof(V4));
            std::memcpy(bRe + j, &tr, sizeof(V4));
            std::memcpy(bIm + j, &ti, sizeof(V4));
        }
        for (; j < half; ++j)
        {
            const double dr = aRe[j] - bRe[j];
            const double di = aIm[j] - bIm[j];
            aRe[j] = aRe[j] + bRe[j];
            aIm[j] = aIm[j] + bIm[j];
            bRe[j] = dr * wr[j] - di * wi[j];
            bIm[j] = dr * wi[j] + di * wr[j];
        }
    }
}

// First stage when the upper half of the input is zero: a + 0 = a, (a - 0) * w = a * w.
CORVALE_HOT_CLONES
void difFirstStageUpperZero(double* __restrict re, double* __restrict im, int count,
                            const double* wr, const double* wi) noexcept
{
    const int half = count >> 1;
    int j = 0;
    for (; j + 4 <= half; j += 4)
    {
        V4 dr, di, cr, ci;
        std::memcpy(&dr, re + j, sizeof(V4));
        std::memcpy(&di, im + j, sizeof(V4));
        std::memcpy(&cr, wr + j, sizeof(V4));
        std::memcpy(&ci, wi + j, sizeof(V4));
        const V4 tr = dr * cr - di * ci, ti = dr * ci + di * cr;
        std::memcpy(re + half + j, &tr, sizeof(V4));
        std::memcpy(im + half + j, &ti, sizeof(V4));
    }
    for (; j < half; ++j)
    {
        const double dr = re[j];
        const double di = im[j];
        re[half + j] = dr * wr[j] - di * wi[j];
        im[half + j] = dr * wi[j] + di * wr[j];
    }
}

// The last two stages (spans 4 and 2) together, each result stored at its
// bit-reversed index so the output comes out in natural order. w1 is the one
// non-trivial twiddle of span 4.
CORVALE_HOT_CLONES
void difLastTwoStages(const double* re, const double* im, int count, double w1r, double w1i,
                      const int32_t* rev, double* __restrict outRe, double* __restrict outIm) noexcept
{
    for (int base = 0; base < count; base += 4)
    {
        const double s0r = re[base] + re[base + 2], s0i = im[base] + im[base + 2];
        const double d0r = re[base] - re[base + 2], d0i = im[base] - im[base + 2];
        const double s1r = re[base + 1] + re[base + 3], s1i = im[base + 1] + im[base + 3];
        const double er = re[base + 1] - re[base + 3], ei = im[base + 1] - im[base + 3];
        const double d1r = er * w1r - ei * w1i, d1i = er * w1i + ei * w1r;
        outRe[rev[base]] = s0r + s1r;
        outIm[rev[base]] = s0i + s1i;
        outRe[rev[base + 1]] = s0r - s1r;
        outIm[rev[base + 1]] = s0i - s1i;
        outRe[rev[base + 2]] = d0r + d1r;
        outIm[rev[base + 2]] = d0i + d1i;
        outRe[rev[base + 3]] = d0r - d1r;
        outIm[rev[base + 3]] = d0i - d1i;
    }
}
// The tables of the N = 128 kernels for one direction, computed as the constructor and
// planStages compute the same values for any length.
struct Tables128
{
    explicit Tables128(int sign)
    {
        constexpr int N = 128, M = 64;
        for (int k1 = 0; k1 < 8; ++k1)
        {
            for (int n2 = 0; n2 < 8; ++n2)
            {
                // Row k1, column n2 of the 8 x 8 decomposition: exp(sign*2*pi*i*n2*k1/64).
                const double angle = sign * 2.0 * kPi * (n2 * k1) / 64.0;
                passRe[8 * k1 + n2] = std::cos(angle);
                passIm[8 * k1 + n2] = std::sin(angle);
            }
        }
        const double angleStep = 2.0 * kPi / static_cast<double>(N);
        for (int k = 0; k <= M / 2; ++k)
        {
            const double low = -(angleStep * k), high = -(angleStep * (M - k));
            lowRe[k] = std::cos(low);
            lowIm[k] = std::sin(low);
            highRe[k] = std::cos(high);
            highIm[k] = std::sin(high);
        }
    }
    double passRe[64], passIm[64];
    double lowRe[33], lowIm[33], highRe[33], highIm[33];
};

RealFft128Tables sharedTables128(int sign)
{
    static const Tables128 forward(-1), inverse(+1);
    const Tables128& t = sign < 0 ? forward : inverse;
    return {t.passRe, t.passIm, t.lowRe, t.lowIm, t.highRe, t.highIm};
}
} // namespace

RFFT::RFFT(int N)
    : m_N(N), m_M(N / 2), m_stages(0)
{
    for (int m = m_M; m > 1; m /= 2)
        ++m_stages;
    m_twiddleTable.assign(static_cast<size_t>(m_M) + 1, Complex(0.0, 0.0));
    m_timeBuffer.assign(static_cast<size_t>(m_N), Complex(0.0, 0.0));
    m_spectrumBuffer.assign(static_cast<size_t>(m_N), Complex(0.0, 0.0));
    m_sizeAsDouble = static_cast<double>(m_N);
    m_angleStep = 2.0 * kPi / m_sizeAsDouble;
    for (int j = 0; j <= m_M; ++j)
    {
        const double angle = -(m_angleStep * j);
        m_twiddleTable[static_cast<size_t>(j)] = Complex(std::cos(angle), std::sin(angle));
    }
    m_workRe.assign(static_cast<size_t>(m_M) + 1, 0.0);
    m_workIm.assign(static_cast<size_t>(m_M) + 1, 0.0);
    m_orderedRe.assign(static_cast<size_t>(m_M) + 1, 0.0);
    m_orderedIm.assign(static_cast<size_t>(m_M) + 1, 0.0);
    for (int k = 0; k <= m_M / 2; ++k)
    {
        m_lowRe.push_back(m_twiddleTable[static_cast<size_t>(k)].real());
        m_lowIm.push_back(m_twiddleTable[static_cast<size_t>(k)].imag());
        m_highRe.push_back(m_twiddleTable[static_cast<size_t>(m_M - k)].real());
        m_highIm.push_back(m_twiddleTable[static_cast<size_t>(m_M - k)].imag());
    }
}

RFFT::~RFFT() = default;

void RFFT::transform(const Complex*, int) noexcept {}
void RFFT::dump(int, int) {}
void RFFT::dumpAll() {}
void RFFT::forwardReal(const double*) noexcept {}
void RFFT::inverseReal(Complex*) noexcept {}

void RFFT::normalize() noexcept
{
    const Complex factor(1.0 / m_sizeAsDouble, 0.0);
    for (Complex& value : m_timeBuffer)
        value *= factor;
}

void RFFT::planStages(int sign)
{
    m_stageTwiddles.clear();
    for (int span = m_M; span >= 2; span >>= 1)
    {
        for (int j = 0; j < span / 2; ++j)
        {
            const double angle = sign * 2.0 * kPi * j / span;
            m_stageTwiddles.emplace_back(std::cos(angle), std::sin(angle));
        }
    }
    if (m_N == 128)
    {
        m_fixed = sharedTables128(sign);
        m_fixedSize = true;
        simdLevel();  // see simdLevel()
    }
    m_stageRe.resize(m_stageTwiddles.size());
    m_stageIm.resize(m_stageTwiddles.size());
    for (size_t i = 0; i < m_stageTwiddles.size(); ++i)
    {
        m_stageRe[i] = m_stageTwiddles[i].real();
        m_stageIm[i] = m_stageTwiddles[i].imag();
    }
    // The permutation the bit-reversal pass applies, found by running that pass on 0..M-1.
    m_bitReverse.resize(static_cast<size_t>(std::max(m_M, 1)));
    for (int i = 0; i < static_cast<int>(m_bitReverse.size()); ++i)
        m_bitReverse[static_cast<size_t>(i)] = i;
    int r = 0;
    for (int i = 0; i < m_M; ++i)
    {
        if (r > i)
            std::swap(m_bitReverse[static_cast<size_t>(i)], m_bitReverse[static_cast<size_t>(r)]);
        int m = m_M / 2;
        while (r >= m && m > 0)
        {
            r -= m;
            m /= 2;
        }
        r += m;
    }
}

void RFFT::transformRecurrence(Complex* buf, const Complex* src, int count, int sign) noexcept
{
    std::copy(src, src + count, buf);
    m_radix = 2;
    m_span = count;
    for (int stage = 1; stage <= m_stages; ++stage)
    {
        if (stage != 1)
            m_span = m_span / m_radix;
        m_twiddle = Complex(1.0, 0.0);
        m_halfSpan = m_span / m_radix;
        const double theta = sign * 2.0 * kPi / m_span;
        m_step = Complex(std::cos(theta), std::sin(theta));
        for (int j = 0; j < m_halfSpan; ++j)
        {
            for (int idx = j; idx < count; idx += m_span)
            {
                const Complex a = buf[idx];
                const Complex b = buf[idx + m_halfSpan];
                buf[idx + m_halfSpan] = (a - b) * m_twiddle;
                buf[idx] = a + b;
            }
            m_twiddle = m_twiddle * m_step;
        }
    }
    int r = 0;
    for (int i = 0; i < count; ++i)
    {
        if (r > i)
            std::swap(buf[i], buf[r]);
        int m = count / 2;
        while (r >= m && m > 0)
        {
            r -= m;
            m /= 2;
        }
        r += m;
    }
}

void RFFT::runTransform(Complex* buf, const Complex* src, int count, int sign) noexcept
{
    if (m_recurrence || count != m_M || m_stageTwiddles.empty())
    {
        transformRecurrence(buf, src, count, sign);
        return;
    }
    std::copy(src, src + count, buf);
    const Complex* w = m_stageTwiddles.data();
    for (int span = count; span >= 2; span >>= 1)
    {
        const int half = span / 2;
        for (int base = 0; base < count; base += span)
        {
            for (int j = 0; j < half; ++j)
            {
                const Complex a = buf[base + j];
                const Complex b = buf[base + j + half];
                const double dr = a.real() - b.real();
                const double di = a.imag() - b.imag();
                buf[base + j] = Complex(a.real() + b.real(), a.imag() + b.imag());
                buf[base + j + half] = Complex(dr * w[j].real() - di * w[j].imag(),
                                               dr * w[j].imag() + di * w[j].real());
            }
        }
        w += half;
    }
    for (int i = 0; i < count; ++i)
    {
        const int r = m_bitReverse[static_cast<size_t>(i)];
        if (r > i)
            std::swap(buf[i], buf[r]);
    }
}

void RFFT::difSplit(double* re, double* im, bool upperZero, double* outRe, double* outIm) const noexcept
{
    const double* wr = m_stageRe.data();
    const double* wi = m_stageIm.data();
    int span = m_M;
    if (upperZero && span >= 8)
    {
        difFirstStageUpperZero(re, im, span, wr, wi);
        wr += span / 2;
        wi += span / 2;
        span >>= 1;
    }
    const int lastSpan = (m_M >= 4) ? 8 : 2;
    for (; span >= lastSpan; span >>= 1)
    {
        difStage(re, im, m_M, span, wr, wi);
        wr += span / 2;
        wi += span / 2;
    }
    if (m_M >= 4)
    {
        // wr/wi now point at the span-4 twiddles (1, w1).
        difLastTwoStages(re, im, m_M, wr[1], wi[1], m_bitReverse.data(), outRe, outIm);
        return;
    }
    for (int n = 0; n < m_M; ++n)
    {
        outRe[n] = re[m_bitReverse[static_cast<size_t>(n)]];
        outIm[n] = im[m_bitReverse[static_cast<size_t>(n)]];
    }
}

void RFFT::dumpBuffer(const std::vector<Complex>& buffer, char letter, int start, int count) const
{
    if (start < 0 || count <= 0 || start + count > m_N)
        return;
    for (int i = start; i < start + count; ++i)
        std::cout << letter << '[' << i << "] = " << buffer[static_cast<size_t>(i)] << std::endl;
}
