// Golden response guard: the module's magnitude response, measured through its
// VST 3 exports as a host loads it, must stay within 0.05 dB of the table in
// golden_response_table.txt at every point of a fixed grid (60 frequencies a sixth
// of an octave apart from 20 Hz), for a fresh instance (all bands flat) and three
// factory programs, at 44.1 and 48 kHz. An optimisation that changes the sound
// fails here.
//
// How the table was produced: make_golden_response (built beside this test from
// the same golden_response.cpp) measured the Release module as it was before the
// tree was reorganised into its present layers and wrote the table to a file;
// the reorganised module measures byte for byte the same table. Nothing in it was
// copied from a test's output by hand. When a change of the sound is intended,
// regenerate it from the build directory:
//
//   tests/vst3/golden/make_golden_response > ../tests/vst3/golden/golden_response_table.txt
//
// and say in the commit why the sound changed.
#include "golden_response.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <ostream>
#include <sstream>
#include <tuple>

namespace golden {

void PrintTo(const Setting& setting, std::ostream* out)
{
    *out << setting.sampleRate << " Hz, program " << setting.program;
}

} // namespace golden

namespace {

constexpr double kToleranceDb = 0.05;

using Key = std::tuple<int, int, int>;  // rate, program, grid position

std::map<Key, double> readTable()
{
    std::ifstream file(GOLDEN_RESPONSE_TABLE);
    EXPECT_TRUE(file) << "cannot read " << GOLDEN_RESPONSE_TABLE;
    std::stringstream text;
    text << file.rdbuf();
    std::vector<golden::Point> points;
    EXPECT_TRUE(golden::parse(text.str(), points)) << "malformed line in " << GOLDEN_RESPONSE_TABLE;

    const std::vector<double> grid = golden::frequencyGrid();
    std::map<Key, double> table;
    for (const golden::Point& p : points)
    {
        int position = -1;
        for (size_t i = 0; i < grid.size(); ++i)
            if (std::fabs(grid[i] - p.freqHz) < 1e-3)
                position = static_cast<int>(i);
        EXPECT_GE(position, 0) << p.freqHz << " Hz is not on the grid";
        table[Key(static_cast<int>(p.sampleRate), p.program, position)] = p.magnitudeDb;
    }
    return table;
}

class GoldenResponse : public ::testing::TestWithParam<golden::Setting>
{
};

TEST_P(GoldenResponse, StaysWithinTheTable)
{
    static const std::map<Key, double> table = readTable();
    const golden::Setting setting = GetParam();
    std::vector<golden::Point> measured;
    std::string error;
    ASSERT_TRUE(golden::measure(CORVALE_BUNDLE_PATH, setting, measured, error)) << error;
    ASSERT_EQ(measured.size(), golden::frequencyGrid().size());
    for (size_t i = 0; i < measured.size(); ++i)
    {
        const golden::Point& p = measured[i];
        const auto row = table.find(Key(static_cast<int>(setting.sampleRate), setting.program, static_cast<int>(i)));
        ASSERT_NE(row, table.end()) << "the table has no point for " << p.freqHz << " Hz";
        EXPECT_NEAR(p.magnitudeDb, row->second, kToleranceDb) << p.freqHz << " Hz";
    }
}

std::string name(const ::testing::TestParamInfo<golden::Setting>& info)
{
    const std::string rate = std::to_string(static_cast<int>(info.param.sampleRate));
    return "rate" + rate + (info.param.program < 0 ? "_flat" : "_program" + std::to_string(info.param.program));
}

INSTANTIATE_TEST_SUITE_P(Settings, GoldenResponse, ::testing::ValuesIn(golden::settings()), name);

} // namespace
