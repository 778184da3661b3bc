#include "equaliser/corvale.h"

#include "dsp/graphic_eq_engine.h"

#include <gtest/gtest.h>

#include <cmath>
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
