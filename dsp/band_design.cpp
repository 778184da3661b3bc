// CBandSet: the band design. Each band is a doubly terminated LC band-pass ladder
// (600-ohm source and load; L1||C1 to ground, L2+C2 in series, L3||C3 to ground),
// frequency-sampled at the design bins and turned into a time response by one
// unnormalised inverse real FFT.
#include "dsp/band_set.h"

#include "dsp/real_fft.h"

#include <cmath>

namespace
{
constexpr double kPi = 3.14159265358979323846;
constexpr double kTermination = 600.0;

struct BandComponents
{
    double C1;   // = C3, farads
    double C2;
    double L1;   // = L3, henries
    double L2;
};

// Resonances 25 * 10^(b/5) Hz; L2/L1 = C1/C2 ~ 9.27 gives every band the same relative width.
constexpr BandComponents kBands[CBandSet::kBandCount] = {
    {2.28474e-5, 2.46374e-6, 1.77389, 16.4501},       // 25 Hz
    {1.44084e-5, 1.5555e-6, 1.11996, 10.374},         // 40 Hz
    {9.09041e-6, 9.81388e-7, 0.7066, 6.5451},         // 63 Hz
    {5.73655e-6, 6.19083e-7, 0.44574, 4.13032},       // 100 Hz
    {3.61979e-6, 3.90605e-7, 0.281236, 2.60625},      // 160 Hz
    {2.28376e-6, 2.46482e-7, 0.177467, 1.6443},       // 250 Hz
    {1.44092e-6, 1.5552e-7, 0.111975, 1.03746},       // 400 Hz
    {9.09197e-7, 9.81218e-8, 0.0706477, 0.654622},    // 630 Hz
    {5.73655e-7, 6.19121e-8, 0.0445767, 0.413032},    // 1000 Hz
    {3.61954e-7, 3.90637e-8, 0.0281259, 0.260607},    // 1600 Hz
    {2.28378e-7, 2.46476e-8, 0.0177463, 0.164432},    // 2500 Hz
    {1.44096e-7, 1.55517e-8, 0.0111972, 0.103749},    // 4000 Hz
    {9.09188e-8, 9.81237e-9, 0.00706491, 0.0654615},  // 6300 Hz
    {5.73657e-8, 6.19122e-9, 0.00445768, 0.0413033},  // 10000 Hz
    {3.61953e-8, 3.90639e-9, 0.0028126, 0.0260606},   // 16000 Hz
};

// s^n as exp(n log s), exactly zero for s = 0.
std::complex<double> power(const std::complex<double>& s, int n)
{
    if (s == std::complex<double>(0.0, 0.0))
        return std::complex<double>(0.0, 0.0);
    return std::exp(static_cast<double>(n) * std::log(s));
}
} // namespace

CBandSet::CBandSet(int sampleRate, int designSize)
    : m_sampleRate(sampleRate), m_designSize(designSize), m_ones(static_cast<size_t>(designSize), 1.0),
      m_zeros(static_cast<size_t>(designSize), 0.0)
{
    std::vector<Complex> spectrum(static_cast<size_t>(designSize), Complex(0.0, 0.0));
    BRFFT transform(designSize);
    m_responses.reserve(kBandCount);
    for (int b = 0; b < kBandCount; ++b)
    {
        const BandComponents& c = kBands[b];
        m_responses.emplace_back(designSize);
        designBand(m_responses.back(), c.C1, c.C2, c.C1, c.L1, c.L2, c.L1, kTermination, kTermination, spectrum,
                   transform);
    }
}

void CBandSet::designBand(CTapArray& target, double C1, double C2, double C3, double L1, double L2, double L3,
                          double R1, double R2, std::vector<Complex>& spectrum, BRFFT& transform) const
{
    // H(s) = b3 s^3 / (a6 s^6 + ... + a1 s + a0): load voltage over source voltage.
    const double a6 = C1 * C2 * C3 * L1 * L2 * L3 * R1 * R2;
    const double a5 = C2 * C3 * L1 * L2 * L3 * R2 + C1 * C2 * L1 * L2 * L3 * R1;
    const double a4 = R2 * (L3 * (L1 * (C3 * R1 * (C1 + C2) + C1 * C2 * R1) + C2 * C3 * R1 * L2)
                            + C1 * C2 * R1 * L1 * L2)
                      + C2 * L1 * L2 * L3;
    const double a3 = R2 * ((C2 + C3) * L1 * L3 + C2 * L1 * L2) + L3 * (C2 * R1 * L2 + (C1 + C2) * R1 * L1);
    const double a2 = R2 * ((C2 + C3) * R1 * L3 + C2 * R1 * L2 + (C1 + C2) * R1 * L1) + L1 * L3;
    const double a1 = L1 * R2 + L3 * R1;
    const double a0 = R1 * R2;
    const double b3 = C2 * L1 * L3 * R2;

    // 0.8192 / designSize is exactly 0.0004 at 2048 points: the time response is scaled
    // the same at every design size.
    const double scale = 0.8192 / m_designSize;
    const int M = m_designSize / 2;
    Complex* X = spectrum.data();
    const Complex H0 = ladderResponse(0, b3, a6, a5, a4, a3, a2, a1, a0);
    for (int k = 1; k < M; ++k)
    {
        const Complex value = scale * ladderResponse(k, b3, a6, a5, a4, a3, a2, a1, a0);
        X[k] = value;
        X[m_designSize - k] = std::conj(value);
    }
    const Complex HM = ladderResponse(M, b3, a6, a5, a4, a3, a2, a1, a0);
    // DC and top bin share one packed entry: the top bin's imaginary part rides in both
    // imaginary parts and ends up as a constant on the even taps.
    X[0] = X[M] = Complex(scale * H0.real(), scale * HM.imag());

    transform.inverseReal(X);
    const Complex* time = transform.timeBuffer();
    double* values = target.values();
    for (int n = 0; n < target.count(); ++n)
        values[n] = time[n].real();
}

CBandSet::Complex CBandSet::ladderResponse(int k, double b3, double a6, double a5, double a4, double a3, double a2,
                                           double a1, double a0) const
{
    const double omega = 2.0 * kPi * k * (m_sampleRate * 0.5) / (m_designSize * 0.5);
    const Complex s(0.0, omega);
    const Complex numerator = power(s, 3) * b3;
    Complex denominator = a6 * power(s, 6) + a5 * power(s, 5) + a4 * power(s, 4) + a3 * power(s, 3)
                          + a2 * power(s, 2) + a1 * s;
    denominator = Complex(denominator.real() + a0, denominator.imag());
    return numerator / denominator;
}
