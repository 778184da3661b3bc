// Helpers shared by the filter engine's tests: reproducible random signals, the
// largest magnitude of a signal, FFTW as the independent transform, and an engine
// with every band window open.
#pragma once

#include "dsp/graphic_eq_engine.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <random>
#include <vector>

namespace dsptest {

using Complex = std::complex<double>;

/// n values uniform in [-1, 1), the same for the same seed.
inline std::vector<double> randomSignal(int n, unsigned seed)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    std::vector<double> x(static_cast<size_t>(n));
    for (double& v : x)
        v = dist(rng);
    return x;
}

/// The largest magnitude in v (0 for an empty v).
inline double peak(const std::vector<double>& v)
{
    double m = 0.0;
    for (double value : v)
        m = std::max(m, std::abs(value));
    return m;
}

/// FFTW's r2c: bins 0..N/2 of the unnormalised forward DFT of x (N = x.size()).
inline std::vector<Complex> fftwForward(const std::vector<double>& x)
{
    const int n = static_cast<int>(x.size());
    std::vector<double> in(x);
    std::vector<Complex> out(static_cast<size_t>(n / 2 + 1));
    fftw_plan plan = fftw_plan_dft_r2c_1d(n, in.data(), reinterpret_cast<fftw_complex*>(out.data()),
                                          FFTW_ESTIMATE);
    fftw_execute(plan);
    fftw_destroy_plan(plan);
    return out;
}

/// FFTW's c2r: n times the inverse DFT of a proper half spectrum (n / 2 + 1 bins).
inline std::vector<double> fftwInverse(const std::vector<Complex>& half, int n)
{
    std::vector<Complex> in(half);
    std::vector<double> out(static_cast<size_t>(n));
    fftw_plan plan = fftw_plan_dft_c2r_1d(n, reinterpret_cast<fftw_complex*>(in.data()), out.data(),
                                          FFTW_ESTIMATE);
    fftw_execute(plan);
    fftw_destroy_plan(plan);
    return out;
}

/// Opens every band window fully, as the plug-in does before processing.
inline void openAllBands(CGraphicEqEngine& engine, int sampleRate)
{
    for (int b = 0; b < CGraphicEqEngine::kBandCount; ++b)
        engine.setBandDecay(b, 0.0, sampleRate);
}

} // namespace dsptest
