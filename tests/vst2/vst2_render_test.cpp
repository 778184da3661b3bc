// corvale-render through the module's VST 2 entry (--vst2) renders the same
// audio and saves the same state as through its VST 3 entry.
#include "tool_runner.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const std::string kBundle = CORVALE_BUNDLE_PATH;

std::vector<float> stereoNoise(int frames)
{
    std::vector<float> samples(static_cast<size_t>(frames) * 2);
    unsigned seed = 1;
    for (float& s : samples)
    {
        seed = seed * 1103515245u + 12345u;
        s = static_cast<float>((seed >> 16) & 0x7FFF) / 32768.0f - 0.5f;
    }
    return samples;
}

} // namespace

TEST(Vst2Render, SameOutputAndStateAsTheVst3Entry)
{
    const std::string input = tempPath("vst2_in.wav");
    writeSound(input, SF_FORMAT_WAV | SF_FORMAT_FLOAT, 48000, 2, stereoNoise(6000));

    struct Run { std::vector<std::string> extra; };
    const std::vector<std::string> settings = {"--set", "1000=6", "--set", "25=-12", "--program", "3",
                                               "--block-size", "300"};
    std::vector<Sound> outputs;
    std::vector<std::vector<char>> states;
    for (bool vst2 : {false, true})
    {
        const std::string tag = vst2 ? "vst2" : "vst3";
        const std::string output = tempPath("render_" + tag + ".wav");
        const std::string state = tempPath("state_" + tag + ".bin");
        std::vector<std::string> args = {"--plugin", kBundle};
        if (vst2)
            args.push_back("--vst2");
        args.insert(args.end(), settings.begin(), settings.end());
        args.insert(args.end(), {"--save-state", state, input, output});
        const ToolResult r = runTool(args);
        ASSERT_EQ(r.exitCode, 0) << tag << ": " << r.err;
        outputs.push_back(readSound(output));
        states.push_back(readBytes(state));
    }
    ASSERT_EQ(outputs[0].samples.size(), outputs[1].samples.size());
    EXPECT_EQ(outputs[0].samples, outputs[1].samples);
    double energy = 0.0;
    for (float s : outputs[1].samples)
        energy += static_cast<double>(s) * s;
    EXPECT_GT(energy, 1.0);
    EXPECT_EQ(states[0].size(), 82u);
    EXPECT_EQ(states[0], states[1]);

    // A state saved through one entry loads through the other.
    const ToolResult listed = runTool({"--plugin", kBundle, "--vst2", "--load-state", tempPath("state_vst3.bin"),
                                       "--list"});
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_NE(listed.out.find("6.00"), std::string::npos) << listed.out;
}
