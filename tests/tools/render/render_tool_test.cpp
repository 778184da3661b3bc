// corvale-render as a user runs it: bad input gives one error line and status 1;
// renders, state files, listings and plots work against the fake gain module
// (latency 5, "Gain" 0..2, programs "Unity", "Half", "Mute").
#include "tool_runner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

const std::string kFake = FAKE_GAIN_BUNDLE;

std::vector<float> ramp(long frames, int channels)
{
    std::vector<float> s(static_cast<std::size_t>(frames * channels));
    for (long i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            s[static_cast<std::size_t>(i * channels + c)] = 0.8f * std::sin(0.01f * i + c) ;
    return s;
}

void expectOneLineError(const ToolResult& r, const std::string& expected)
{
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_EQ(r.err.rfind("corvale-render: ", 0), 0u) << r.err;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "exactly one line: " << r.err;
    EXPECT_NE(r.err.find(expected), std::string::npos) << "expected '" << expected << "' in: " << r.err;
}

// Output frame i must equal gain × input frame (i - delay) (zero before the delay).
void expectGainAndDelay(const Sound& in, const Sound& out, float gain, long delay, float tolerance)
{
    ASSERT_EQ(out.info.channels, in.info.channels);
    ASSERT_EQ(out.frames(), in.frames());
    const int ch = in.info.channels;
    for (long i = 0; i < out.frames(); ++i)
        for (int c = 0; c < ch; ++c) {
            const float expected = i >= delay ? gain * in.samples[static_cast<std::size_t>((i - delay) * ch + c)] : 0.0f;
            ASSERT_NEAR(out.samples[static_cast<std::size_t>(i * ch + c)], expected, tolerance) << "frame " << i;
        }
}

class RenderTool : public ::testing::Test
{
protected:
    void SetUp() override
    {
        input = tempPath("in.wav");
        output = tempPath("out.wav");
        writeSound(input, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 2, ramp(3000, 2));
    }
    std::string input, output;
};

} // namespace

TEST_F(RenderTool, BadInputGivesOneLineErrorAndStatusOne)
{
    const std::string textFile = tempPath("text.vst3");
    std::ofstream(textFile) << "not a module\n";
    const std::string notAudio = tempPath("not_audio.wav");
    std::ofstream(notAudio) << "not audio\n";
    const std::string badState = tempPath("bad.state");
    std::ofstream(badState) << "xy";
    const std::string surround = tempPath("three.wav");
    writeSound(surround, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 3, ramp(100, 3));

    struct Case
    {
        std::vector<std::string> args;
        std::string expected;
    };
    const Case cases[] = {
        {{}, "nothing to do"},
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"--block-size"}, "needs a value"},
        {{"--plugin", kFake, "--block-size", "0", "--list"}, "--block-size must be between"},
        {{"--plugin", kFake, "--block-size", "12x", "--list"}, "invalid integer"},
        {{"--plugin", kFake, input}, "missing OUTPUT"},
        {{"--plugin", kFake, input, output, "extra"}, "unexpected argument 'extra'"},
        {{"--plugin", textFile, "--list"}, "is not a VST 3 module"},
        {{"--plugin", FAKE_NO_FACTORY_SO, "--list"}, "does not export GetPluginFactory"},
        {{"--plugin", FAKE_NO_PROCESSOR_BUNDLE, "--list"}, "no audio processor class"},
        {{"--plugin", "/nonexistent/X.vst3", "--list"}, "no such file or directory"},
        {{"--plugin", kFake, tempPath("missing.wav"), output}, "cannot read audio file"},
        {{"--plugin", kFake, notAudio, output}, "cannot read audio file"},
        {{"--plugin", kFake, surround, output}, "only mono and stereo"},
        {{"--plugin", kFake, input, input}, "same file as INPUT"},
        {{"--plugin", kFake, input, "/nonexistent/dir/out.wav"}, "cannot write audio file"},
        {{"--plugin", kFake, "--set", "Volume=1", "--list"}, "unknown parameter 'Volume'"},
        {{"--plugin", kFake, "--set", "Gain=2.5", "--list"}, "outside 0..2"},
        {{"--plugin", kFake, "--set", "0=-0.1", "--list"}, "outside 0..2"},
        {{"--plugin", kFake, "--set", "Gain=loud", "--list"}, "invalid number 'loud'"},
        {{"--plugin", kFake, "--set", "Gain", "--list"}, "TITLE_OR_ID=VALUE"},
        {{"--plugin", kFake, "--set", "Level=0.5", "--list"}, "read-only"},
        {{"--plugin", kFake, "--program", "Loud", "--list"}, "unknown program 'Loud'"},
        {{"--plugin", kFake, "--program", "3", "--list"}, "unknown program '3'"},
        {{"--plugin", kFake, "--load-state", tempPath("missing.state"), "--list"}, "cannot read state file"},
        {{"--plugin", kFake, "--load-state", badState, "--list"}, "rejected the state"},
        {{"--plugin", kFake, "--save-state", "/nonexistent/dir/s.state"}, "cannot write state file"},
        {{"--plugin", kFake, "--plot-response", "/nonexistent/dir/r.png"}, "cannot write PNG"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        const ToolResult r = runTool(c.args);
        expectOneLineError(r, c.expected);
        EXPECT_TRUE(r.out.empty()) << r.out;
    }
    const Sound untouched = readSound(input);
    EXPECT_EQ(untouched.frames(), 3000) << "a refused render leaves the input alone";
}

TEST_F(RenderTool, HelpPrintsUsage)
{
    const ToolResult r = runTool({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("Usage: corvale-render"), std::string::npos);
    EXPECT_NE(r.out.find("--compensate-latency"), std::string::npos);
}

TEST_F(RenderTool, RendersWithGainAndLatencyInTheInputFormat)
{
    const Sound in = readSound(input);
    for (const std::string block : {"512", "100", "1"}) {
        SCOPED_TRACE(block);
        ASSERT_EQ(runTool({"--plugin", kFake, "--set", "Gain=0.5", "--block-size", block, input, output}).exitCode, 0);
        const Sound out = readSound(output);
        EXPECT_EQ(out.info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
        EXPECT_EQ(out.info.samplerate, 44100);
        expectGainAndDelay(in, out, 0.5f, 5, 1.5f / 32768.0f);
    }

    ASSERT_EQ(runTool({"--plugin", kFake, "--set", "0=0.5", "--compensate-latency", input, output}).exitCode, 0);
    expectGainAndDelay(in, readSound(output), 0.5f, 0, 1.5f / 32768.0f);
}

TEST_F(RenderTool, RendersMonoFlacAtItsOwnRate)
{
    const std::string flacIn = tempPath("in.flac"), flacOut = tempPath("out.flac");
    writeSound(flacIn, SF_FORMAT_FLAC | SF_FORMAT_PCM_24, 48000, 1, ramp(2000, 1));
    const ToolResult r = runTool({"--plugin", kFake, "--compensate-latency", flacIn, flacOut});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const Sound out = readSound(flacOut);
    EXPECT_EQ(out.info.format, SF_FORMAT_FLAC | SF_FORMAT_PCM_24);
    EXPECT_EQ(out.info.samplerate, 48000);
    expectGainAndDelay(readSound(flacIn), out, 1.0f, 0, 1e-6f);
}

TEST_F(RenderTool, ProgramsStateFilesAndListing)
{
    const Sound in = readSound(input);
    ASSERT_EQ(runTool({"--plugin", kFake, "--program", "Half", input, output}).exitCode, 0);
    expectGainAndDelay(in, readSound(output), 0.5f, 5, 1.5f / 32768.0f);
    ASSERT_EQ(runTool({"--plugin", kFake, "--program", "2", input, output}).exitCode, 0);
    expectGainAndDelay(in, readSound(output), 0.0f, 5, 0.0f);

    const std::string state = tempPath("gain.state");
    ASSERT_EQ(runTool({"--plugin", kFake, "--set", "Gain=1.2", "--save-state", state}).exitCode, 0);
    EXPECT_EQ(readBytes(state).size(), 8u);
    const ToolResult listed = runTool({"--plugin", kFake, "--load-state", state, "--list"});
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_NE(listed.out.find("Gain"), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find("1.20"), std::string::npos) << "current value text from the loaded state:\n" << listed.out;
    EXPECT_NE(listed.out.find("Programs (\"Programs\"):"), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find("   1  Half"), std::string::npos) << listed.out;

    ASSERT_EQ(runTool({"--plugin", kFake, "--load-state", state, input, output}).exitCode, 0);
    expectGainAndDelay(in, readSound(output), 1.2f, 5, 2.0f / 32768.0f);
}

TEST_F(RenderTool, PlotResponseWritesAPng)
{
    const std::string png = tempPath("response.png");
    std::remove(png.c_str());
    const ToolResult r = runTool({"--plugin", kFake, "--set", "Gain=2", "--plot-response", png});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto bytes = readBytes(png);
    ASSERT_GT(bytes.size(), 1000u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 8), std::string("\x89PNG\r\n\x1a\n", 8));
}

// The real bundle, which the build makes before this test.
class RenderToolCorvale : public RenderTool
{
protected:
    const std::string bundle = CORVALE_BUNDLE_PATH;
};

TEST_F(RenderToolCorvale, GainZeroRendersSilence)
{
    const ToolResult r = runTool({"--plugin", bundle, "--set", "Gain=0", input, output});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const Sound out = readSound(output);
    ASSERT_EQ(out.frames(), 3000);
    for (float s : out.samples)
        ASSERT_EQ(s, 0.0f);
}

TEST_F(RenderToolCorvale, BandGainReachesTheSavedState)
{
    const std::string state = tempPath("corvale.state");
    ASSERT_EQ(runTool({"--plugin", bundle, "--set", "1000=6", "--save-state", state}).exitCode, 0);
    const auto bytes = readBytes(state);
    ASSERT_EQ(bytes.size(), 82u);
    float band1000 = 0;
    std::memcpy(&band1000, bytes.data() + 8 + 8 * 4, sizeof band1000); // version, then bands 0..7
    EXPECT_FLOAT_EQ(band1000, 6.0f);
    expectOneLineError(runTool({"--plugin", bundle, "--set", "1000=13", "--list"}), "outside -12..12");
}

TEST_F(RenderToolCorvale, ListsPresetsAndPlots)
{
    const ToolResult listed = runTool({"--plugin", bundle, "--list"});
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_NE(listed.out.find("Factory Presets"), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find("  15  "), std::string::npos) << "sixteen programs:\n" << listed.out;

    const std::string png = tempPath("corvale.png");
    ASSERT_EQ(runTool({"--plugin", bundle, "--set", "1000=12", "--plot-response", png}).exitCode, 0);
    EXPECT_GT(readBytes(png).size(), 1000u);
}
