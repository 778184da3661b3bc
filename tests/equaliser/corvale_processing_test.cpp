#include "equaliser/corvale.h"

#include "dsp/graphic_eq_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace {

std::vector<float> noise(size_t count, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> uniform(-1.0f, 1.0f);
    std::vector<float> samples(count);
    for (float& s : samples)
        s = uniform(random);
    return samples;
}

// Runs frames through the plug-in; input and output are interleaved per channel count.
std::vector<float> run(CCorvale& plugIn, const std::vector<float>& input, uint32_t channels)
{
    std::vector<float> output(input.size(), -99.0f);
    for (size_t i = 0; i < input.size(); i += channels)
    {
        float out[2] = {-99.0f, -99.0f};
        plugIn.processFrame(&input[i], out, channels, channels);
        for (uint32_t c = 0; c < channels; ++c)
            output[i + c] = out[c];
        if (channels == 1)
        {
            EXPECT_EQ(out[1], -99.0f) << "mono writes only output[0]";
        }
    }
    return output;
}

} // namespace

TEST(CorvaleProcessing, OutputIsTheEngineOutputTimesGainAndMakeUp)
{
    CCorvale plugIn;
    plugIn.initializePlugIn();
    CGraphicEqEngine reference(44100, 0, 2048, 2048, 64, 0);
    for (int band = 0; band < 15; ++band)
        reference.setBandDecay(band, 0.0, 44100);
    reference.setBandGains(std::vector<double>(15, 1.0).data());

    plugIn.m_fGain = 0.5f;
    const std::vector<float> input = noise(2 * 6000, 7);
    const std::vector<float> output = run(plugIn, input, 2);
    double peak = 0.0;
    for (size_t i = 0; i < input.size(); i += 2)
    {
        reference.processSample(input[i]);
        const float y = static_cast<float>(reference.currentOutput());
        ASSERT_EQ(output[i], static_cast<float>(static_cast<double>(y * 0.5f) * 2.5)) << i;
        peak = std::max(peak, std::abs(static_cast<double>(output[i])));
    }
    EXPECT_GT(peak, 0.1) << "the filter is loaded and passes the signal";
}

TEST(CorvaleProcessing, GainZeroIsExactSilenceOnBothChannels)
{
    CCorvale plugIn;
    plugIn.initializePlugIn();
    plugIn.setControlNormalized(15, 0.0f, false);
    for (float v : run(plugIn, noise(2 * 5000, 3), 2))
        ASSERT_EQ(v, 0.0f);
}

TEST(CorvaleProcessing, MonoFeedsOnlyTheLeftEngine)
{
    CCorvale mono;
    CCorvale stereo;
    mono.initializePlugIn();
    stereo.initializePlugIn();
    const std::vector<float> monoInput = noise(4000, 11);
    std::vector<float> stereoInput;
    for (float s : monoInput)
    {
        stereoInput.push_back(s);
        stereoInput.push_back(0.0f);
    }
    const std::vector<float> monoOutput = run(mono, monoInput, 1);
    const std::vector<float> stereoOutput = run(stereo, stereoInput, 2);
    for (size_t i = 0; i < monoInput.size(); ++i)
        ASSERT_EQ(monoOutput[i], stereoOutput[2 * i]) << i;
    EXPECT_EQ(mono.rightEngine().pos(), 0) << "the right engine was never fed";
    EXPECT_NE(stereo.rightEngine().pos(), 0);
}

TEST(CorvaleProcessing, BandChangesReachTheEnginesBeforeTheNextFrame)
{
    // Several bands moved at once (as a preset does) are taken up together,
    // and the very next frame already runs with them.
    CCorvale plugIn;
    plugIn.initializePlugIn();
    CGraphicEqEngine reference(44100, 0, 2048, 2048, 64, 0);
    for (int band = 0; band < 15; ++band)
        reference.setBandDecay(band, 0.0, 44100);
    std::vector<double> gains(15, 1.0);
    reference.setBandGains(gains.data());

    const std::vector<float> input = noise(2 * 9000, 5);
    float out[2];
    for (size_t i = 0; i < input.size(); i += 2)
    {
        if (i == 2 * 3000)
        {
            plugIn.setControlPlain(2, -6.0f);
            plugIn.setControlPlain(8, 9.0f);
            gains[2] = static_cast<float>(std::pow(10.0, -6.0 / 20.0));
            gains[8] = static_cast<float>(std::pow(10.0, 9.0 / 20.0));
            reference.setBandGains(gains.data());
        }
        plugIn.processFrame(&input[i], out, 2, 2);
        reference.processSample(input[i]);
        const float y = static_cast<float>(reference.currentOutput());
        ASSERT_EQ(out[0], static_cast<float>(static_cast<double>(y * 1.0f) * 2.5)) << i / 2;
    }
}

namespace {

// Feeds interleaved frames through processFrameRun in runs of the given lengths (cycled),
// as the wrapper does between MIDI events; returns the output interleaved the same way.
std::vector<float> runInRuns(CCorvale& plugIn, const std::vector<float>& input, uint32_t channels,
                             const std::vector<int>& lengths, HostInfo& info)
{
    const size_t frames = input.size() / channels;
    std::vector<std::vector<float>> in(channels, std::vector<float>(frames)), out(channels, std::vector<float>(frames));
    for (size_t i = 0; i < frames; ++i)
        for (uint32_t c = 0; c < channels; ++c)
            in[c][i] = input[i * channels + c];
    const float* inputs[2] = {in[0].data(), in[channels - 1].data()};
    float* outputs[2] = {out[0].data(), out[channels - 1].data()};
    HostMessage transport;
    transport.hostInfo = &info;
    transport.updateCount = -1;
    FrameRun run;
    run.inputs = inputs;
    run.outputs = outputs;
    run.channels = channels;
    run.hostInfo = &info;
    run.transport = &transport;
    run.timeStep = 1.0 / 44100.0;
    size_t k = 0;
    for (size_t first = 0; first < frames; ++k)
    {
        run.first = static_cast<int32_t>(first);
        run.count = static_cast<int32_t>(std::min<size_t>(static_cast<size_t>(lengths[k % lengths.size()]), frames - first));
        plugIn.processFrameRun(run);
        first += static_cast<size_t>(run.count);
    }
    std::vector<float> output(input.size());
    for (size_t i = 0; i < frames; ++i)
        for (uint32_t c = 0; c < channels; ++c)
            output[i * channels + c] = out[c][i];
    return output;
}

} // namespace

// The wrapper hands the frames between MIDI events over as runs: whatever the run lengths,
// the outputs are those of processFrame frame by frame (band changes between runs
// included), and the plug-in's host information ends where a transport message per
// frame would have left it.
TEST(CorvaleProcessing, RunsGiveTheSameOutputsAsFrameByFrame)
{
    const std::vector<std::vector<int>> runLengths = {{1}, {64}, {512}, {37, 1, 200, 63, 5}, {4096}};
    for (uint32_t channels : {1u, 2u})
    {
        for (const auto& lengths : runLengths)
        {
            CCorvale byFrame, byRun;
            byFrame.initializePlugIn();
            byRun.initializePlugIn();
            const std::vector<float> input = noise(channels * 5000, 41);
            const std::vector<float> expected = run(byFrame, input, channels);
            HostInfo info;
            info.samplePosition = 1000;
            const std::vector<float> got = runInRuns(byRun, input, channels, lengths, info);
            ASSERT_EQ(got, expected) << channels << " channels, first run " << lengths[0];
            EXPECT_EQ(byRun.m_hostInfo.samplePosition, 1000u + 5000u);
            EXPECT_DOUBLE_EQ(byRun.m_hostInfo.seconds, 6000.0 / 44100.0);

            // A preset's worth of band changes between runs reaches both the same way.
            for (CCorvale* p : {&byFrame, &byRun})
            {
                p->setControlPlain(3, 7.5f);
                p->setControlPlain(12, -9.0f);
                p->setControlPlain(15, 1.7f);
            }
            const std::vector<float> later = noise(channels * 3000, 43);
            ASSERT_EQ(runInRuns(byRun, later, channels, lengths, info), run(byFrame, later, channels));
        }
    }
}

TEST(CorvaleProcessing, NonFiniteInputInARunIsFilteredAsSilence)
{
    CCorvale poisoned, silent;
    poisoned.initializePlugIn();
    silent.initializePlugIn();
    std::vector<float> input = noise(2 * 4000, 47), zeroed = input;
    for (size_t i = 2 * 1000; i < 2 * 1040; ++i)
    {
        input[i] = (i % 3 == 0) ? std::numeric_limits<float>::infinity() : std::numeric_limits<float>::quiet_NaN();
        zeroed[i] = 0.0f;
    }
    HostInfo a, b;
    EXPECT_EQ(runInRuns(poisoned, input, 2, {300}, a), runInRuns(silent, zeroed, 2, {300}, b));
}
