// CBandSet: the fifteen band impulse responses of the equaliser for one sample rate
// and design size (designed in band_design.cpp). They depend on nothing else, so one
// read-only set serves every engine of every plug-in instance at that rate: shared()
// designs it on its first request and keeps it for the life of the process.
#pragma once

#include "dsp/tap_array.h"

#include <complex>
#include <memory>
#include <vector>

class BRFFT;

class CBandSet
{
public:
    using Complex = std::complex<double>;
    static constexpr int kBandCount = 15;

    /// The set for this rate and size. The first request designs it (a few milliseconds);
    /// every later one, from any thread and also at the same time, gets the same set,
    /// which stays valid while anybody holds it. [main]
    static std::shared_ptr<const CBandSet> shared(int sampleRate, int designSize);

    /// Designs the fifteen bands for sampleRate with designSize taps (a power of two). [main]
    CBandSet(int sampleRate, int designSize);
    CBandSet(const CBandSet&) = delete;
    CBandSet& operator=(const CBandSet&) = delete;

    /// Band b's impulse response (designSize taps); band 0 is 25 Hz. [any]
    const CTapArray& response(int band) const noexcept
    {
        return m_responses[static_cast<size_t>(band)];
    }
    /// designSize values of 1.0: the window of a band without decay. [any]
    const double* ones() const noexcept { return m_ones.data(); }
    /// designSize values of 0.0: the window of a band not yet opened. [any]
    const double* zeros() const noexcept { return m_zeros.data(); }
    int sampleRate() const noexcept { return m_sampleRate; } ///< [any]
    int designSize() const noexcept { return m_designSize; } ///< [any]

private:
    /// Response of the ladder with the given polynomial coefficients at design bin k
    /// (k * sampleRate / designSize Hz).
    Complex ladderResponse(int k, double b3, double a6, double a5, double a4, double a3, double a2,
                           double a1, double a0) const;
    /// One band's response into target, through the design spectrum and transform.
    void designBand(CTapArray& target, double C1, double C2, double C3, double L1, double L2,
                    double L3, double R1, double R2, std::vector<Complex>& spectrum,
                    BRFFT& transform) const;

    int m_sampleRate;
    int m_designSize;
    std::vector<CTapArray> m_responses;
    std::vector<double> m_ones;
    std::vector<double> m_zeros;
};
