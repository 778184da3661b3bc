// The equaliser's output, as the wrapper drives it (runs of frames, both channels
// through the pair of engines), against the plain double-precision path: the taps
// combined here from the shared band responses, the per-sample reference convolution,
// gain and make-up in double. At every rate the equaliser designs for, on white noise
// with every band at +12 dB, at -12 dB and alternating, the outputs stay within 1e-6
// of the reference's peak (-120 dB).
#include "equaliser/corvale.h"

#include "dsp/band_set.h"
#include "dsp/reference_convolution.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

struct BoundCase
{
    int sampleRate;
    float bandDb[2]; // even bands, odd bands
};

class AgainstDoubleReference : public ::testing::TestWithParam<BoundCase>
{};

TEST_P(AgainstDoubleReference, WithinAMillionthOfThePeak)
{
    const BoundCase c = GetParam();
    CCorvale plugIn;
    plugIn.initializePlugIn();
    plugIn.m_nSampleRate = c.sampleRate;
    plugIn.prepareForProcessing();
    for (uint32_t band = 0; band < 15; ++band)
        plugIn.setControlPlain(band, c.bandDb[band % 2]);

    const int size = CCorvale::designSizeFor(c.sampleRate);
    const std::shared_ptr<const CBandSet> bands = CBandSet::shared(c.sampleRate, size);
    std::vector<double> taps(static_cast<size_t>(size), 0.0);
    for (int band = 0; band < 15; ++band)
    {
        const double gain = static_cast<float>(std::pow(10.0, c.bandDb[band % 2] / 20.0));
        for (int n = 0; n < size; ++n)
            taps[static_cast<size_t>(n)] += gain * bands->response(band).values()[n];
    }
    CReferenceConvolution reference[2] = {CReferenceConvolution(taps.data(), size, 64, 0),
                                          CReferenceConvolution(taps.data(), size, 64, 0)};

    const int frames = 3 * size + 1000;
    std::mt19937 random(static_cast<unsigned>(c.sampleRate));
    std::uniform_real_distribution<float> noise(-1.0f, 1.0f);
    std::vector<float> in[2], out[2];
    for (int ch = 0; ch < 2; ++ch)
    {
        in[ch].resize(static_cast<size_t>(frames));
        out[ch].resize(static_cast<size_t>(frames));
        for (float& s : in[ch])
            s = noise(random);
    }
    const float* inputs[2] = {in[0].data(), in[1].data()};
    float* outputs[2] = {out[0].data(), out[1].data()};
    HostInfo info;
    HostMessage transport;
    FrameRun run;
    run.inputs = inputs;
    run.outputs = outputs;
    run.channels = 2;
    run.hostInfo = &info;
    run.transport = &transport;
    for (int first = 0; first < frames; first += 500)
    {
        run.first = first;
        run.count = std::min(500, frames - first);
        plugIn.processFrameRun(run);
    }

    for (int ch = 0; ch < 2; ++ch)
    {
        std::vector<double> want(static_cast<size_t>(frames));
        double peak = 0.0;
        for (int n = 0; n < frames; ++n)
        {
            reference[ch].processSample(static_cast<double>(in[ch][static_cast<size_t>(n)]));
            want[static_cast<size_t>(n)] = reference[ch].currentOutput() * CCorvale::kMakeUpGain;
            peak = std::max(peak, std::fabs(want[static_cast<size_t>(n)]));
        }
        double worst = 0.0;
        for (int n = 0; n < frames; ++n)
            worst = std::max(
                worst, std::fabs(out[ch][static_cast<size_t>(n)] - want[static_cast<size_t>(n)]));
        EXPECT_GT(peak, 0.1);
        EXPECT_LE(worst, 1e-6 * peak)
            << c.sampleRate << " Hz, channel " << ch << ": worst deviation "
            << 20.0 * std::log10(worst / peak) << " dB of the peak";
    }
}

INSTANTIATE_TEST_SUITE_P(
    RatesAndSettings, AgainstDoubleReference,
    ::testing::Values(BoundCase {44100, {12.0f, 12.0f}}, BoundCase {44100, {-12.0f, -12.0f}},
                      BoundCase {44100, {12.0f, -12.0f}}, BoundCase {48000, {12.0f, 12.0f}},
                      BoundCase {48000, {-12.0f, 12.0f}}, BoundCase {88200, {12.0f, -12.0f}},
                      BoundCase {96000, {12.0f, 12.0f}}, BoundCase {96000, {-12.0f, -12.0f}},
                      BoundCase {176400, {-12.0f, 12.0f}}, BoundCase {192000, {12.0f, 12.0f}}));

} // namespace
