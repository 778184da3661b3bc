// The real Corvale bundle, loaded through its exports and driven as a DAW drives it.
// Skipped while the build has no bundle.
#include "host/plugin_instance.h"
#include "host/string_convert.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstring>
#include <fstream>
#include <vector>

using namespace corvale::host;
using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr ParamID kBand1000Id = 8;
constexpr ParamID kGainId = 15;
constexpr ParamID kPresetsId = 0x70727374;
constexpr int32 kBlock = 256;
constexpr double kRate = 44100.0;

class CorvaleBundle : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::ifstream probe(std::string(CORVALE_BUNDLE_PATH) + "/Contents/x86_64-linux/CorvaleV0020.so");
        if (!probe)
            GTEST_SKIP() << "bundle not built: " << CORVALE_BUNDLE_PATH;
        ASSERT_TRUE(plugin.load(CORVALE_BUNDLE_PATH)) << plugin.error();
        ASSERT_TRUE(plugin.prepare({kRate, kBlock, 2, false})) << plugin.error();
    }

    // Runs `n` samples of `in` (mono, fed to both channels) and returns output channel 0.
    std::vector<float> run(const std::vector<float>& in)
    {
        std::vector<float> out(in.size()), right(kBlock), block(kBlock);
        for (std::size_t pos = 0; pos < in.size(); pos += kBlock) {
            const auto n = static_cast<int32>(std::min<std::size_t>(kBlock, in.size() - pos));
            const float* inputs[2] = {in.data() + pos, in.data() + pos};
            float* outputs[2] = {out.data() + pos, right.data()};
            EXPECT_TRUE(plugin.process(inputs, outputs, n));
        }
        return out;
    }

    // |H(f)| in dB of the current settings, by a direct DFT of the impulse response.
    double responseDb(double freqHz)
    {
        run(std::vector<float>(8192, 0.0f)); // new taps are taken in gradually
        std::vector<float> impulse(16384, 0.0f);
        impulse[0] = 1.0f;
        const auto out = run(impulse);
        std::complex<double> sum;
        const double w = 2.0 * 3.14159265358979323846 * freqHz / kRate;
        for (std::size_t n = 0; n < out.size(); ++n)
            sum += static_cast<double>(out[n]) * std::polar(1.0, -w * static_cast<double>(n));
        return 20.0 * std::log10(std::abs(sum) + 1e-12);
    }

    PluginInstance plugin;
};

} // namespace

TEST_F(CorvaleBundle, PublishesBandsGainAndPresets)
{
    EXPECT_EQ(plugin.classInfo().name, "CorvaleV0020");
    EXPECT_EQ(plugin.classInfo().subCategories, "FX|EQ");
    EXPECT_FALSE(plugin.hasSeparateController()) << "a single-component effect";
    const char* titles[] = {"25", "40", "63", "100", "160", "250", "400", "630",
                            "1000", "1600", "2500", "4000", "6300", "10000", "16000"};
    for (ParamID id = 0; id < 15; ++id) {
        ParameterInfo info {};
        ASSERT_TRUE(plugin.findParameter(titles[id], info)) << titles[id];
        EXPECT_EQ(info.id, id);
        EXPECT_DOUBLE_EQ(plugin.normalizedToPlain(id, 0.0), -12.0);
        EXPECT_DOUBLE_EQ(plugin.normalizedToPlain(id, 1.0), 12.0);
    }
    ParameterInfo gain {};
    ASSERT_TRUE(plugin.findParameter("Gain", gain));
    EXPECT_EQ(gain.id, kGainId);
    EXPECT_DOUBLE_EQ(plugin.normalizedToPlain(kGainId, 1.0), 2.0);

    ParameterInfo program {};
    ASSERT_TRUE(plugin.programParameter(program));
    EXPECT_EQ(program.id, kPresetsId);
    EXPECT_EQ(toUtf8(program.title), "Factory Presets");
    EXPECT_EQ(plugin.programNames().size(), 16u);
    EXPECT_EQ(plugin.latencySamples(), 127u);
}

TEST_F(CorvaleBundle, GainZeroSilencesTheOutput)
{
    ASSERT_TRUE(plugin.setParameter(kGainId, 0.0));
    std::vector<float> noise(8192);
    for (std::size_t i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<float>(std::sin(0.37 * static_cast<double>(i)) * 0.5);
    const auto out = run(noise);
    for (std::size_t i = 4096; i < out.size(); ++i)
        ASSERT_LT(std::fabs(out[i]), 1e-6f) << "sample " << i;
}

TEST_F(CorvaleBundle, BandBoostLiftsItsOwnBand)
{
    const double flat1k = responseDb(1000.0);
    const double flat100 = responseDb(100.0);
    ASSERT_TRUE(plugin.setParameter(kBand1000Id, 1.0)); // +12 dB
    const double lift1k = responseDb(1000.0) - flat1k;
    const double lift100 = responseDb(100.0) - flat100;
    EXPECT_GT(lift1k, 6.0);
    EXPECT_LT(lift1k, 14.0);
    EXPECT_LT(std::fabs(lift100), 3.0) << "three bands away stays near flat";
}

TEST_F(CorvaleBundle, StateCarriesBandGainsToANewInstance)
{
    ASSERT_TRUE(plugin.setParameter(kBand1000Id, 0.75)); // +6 dB
    run(std::vector<float>(kBlock, 0.0f));
    std::vector<char> state;
    ASSERT_TRUE(plugin.getState(state));
    ASSERT_EQ(state.size(), 82u);
    EXPECT_EQ(state[0], 1);
    float band = 0;
    std::memcpy(&band, state.data() + 8 + 4 * kBand1000Id, sizeof band);
    EXPECT_FLOAT_EQ(band, 6.0f);

    PluginInstance other;
    ASSERT_TRUE(other.load(CORVALE_BUNDLE_PATH)) << other.error();
    ASSERT_TRUE(other.setState(state)) << other.error();
    EXPECT_NEAR(other.normalized(kBand1000Id), 0.75, 1e-6) << "the controller follows setComponentState";
    std::vector<char> again;
    ASSERT_TRUE(other.getState(again));
    EXPECT_EQ(again, state);
}

TEST_F(CorvaleBundle, ProgramChangeAsksTheHostToReloadValues)
{
    ASSERT_TRUE(plugin.selectProgram(2)) << plugin.error();
    const auto restarts = plugin.componentHandler().restartRequests();
    ASSERT_FALSE(restarts.empty());
    EXPECT_NE(restarts.back() & kParamValuesChanged, 0);
    EXPECT_NEAR(plugin.normalized(kPresetsId), 2.0 / 15.0, 1e-9);
}
