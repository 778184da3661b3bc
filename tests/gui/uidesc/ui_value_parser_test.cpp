// The value syntax of UI descriptions, as tables of accepted and refused texts.
#include "gui/uidesc/ui_value_parser.h"

#include <gtest/gtest.h>

using namespace VSTGUI;
namespace P = VSTGUI::UIValueParser;

TEST(UIValueParser, Numbers)
{
    const struct
    {
        const char* text;
        bool ok;
        double value;
    } doubles[] = {{"1", true, 1},        {"-2.5", true, -2.5}, {" 3 ", true, 3},   {"+4", true, 4},
                   {"1.5e2", true, 150},  {"1e2", false, 0},    {"1.2.3", false, 0}, {"", false, 0},
                   {"abc", false, 0},     {"12px", false, 0},   {".5", true, 0.5},  {"-", false, 0}};
    for (const auto& c : doubles)
    {
        double v = -999;
        EXPECT_EQ(P::parseDouble(c.text, v), c.ok) << c.text;
        EXPECT_EQ(v, c.ok ? c.value : -999) << c.text;
    }
    const struct
    {
        const char* text;
        bool ok;
        int32_t value;
    } integers[] = {{"42", true, 42}, {"-7", true, -7}, {"42.0", false, 0}, {"4x", false, 0},
                    {"", false, 0},   {"99999999999", false, 0}};
    for (const auto& c : integers)
    {
        int32_t v = -999;
        EXPECT_EQ(P::parseInteger(c.text, v), c.ok) << c.text;
        EXPECT_EQ(v, c.ok ? c.value : -999) << c.text;
    }
    int32_t leading = 0;
    EXPECT_TRUE(P::parseLeadingInteger("2.5", leading));
    EXPECT_EQ(leading, 2);
    EXPECT_TRUE(P::parseLeadingInteger(" 14px", leading));
    EXPECT_EQ(leading, 14);
    EXPECT_FALSE(P::parseLeadingInteger("px", leading));
}

TEST(UIValueParser, PointsRectsAndBools)
{
    CPoint p(-1, -1);
    EXPECT_TRUE(P::parsePoint("10, 20", p));
    EXPECT_EQ(p, CPoint(10, 20));
    EXPECT_TRUE(P::parsePoint("1.5,-2", p));
    EXPECT_EQ(p, CPoint(1.5, -2));
    for (const char* bad : {"10", "1, 2, 3", "a, b", "", ", 5", "10 20"})
    {
        CPoint q(7, 7);
        EXPECT_FALSE(P::parsePoint(bad, q)) << bad;
        EXPECT_EQ(q, CPoint(7, 7));
    }
    CRect r;
    EXPECT_TRUE(P::parseRect("1, 2, 3, 4", r));
    EXPECT_EQ(r, CRect(1, 2, 3, 4));
    EXPECT_FALSE(P::parseRect("1, 2, 3", r));
    bool b = false;
    EXPECT_TRUE(P::parseBool("true", b));
    EXPECT_TRUE(b);
    EXPECT_FALSE(P::parseBool("TRUE", b));
    EXPECT_FALSE(P::parseBool("1", b));
}

TEST(UIValueParser, Colors)
{
    const struct
    {
        const char* text;
        bool ok;
        CColor color;
    } cases[] = {{"#ff8000", true, CColor(255, 128, 0, 255)},
                 {"#FF800040", true, CColor(255, 128, 0, 64)},
                 {"#ff80", false, {}},
                 {"ff8000", false, {}},
                 {"#gg8000", false, {}},
                 {"#ff8000f", false, {}}};
    for (const auto& c : cases)
    {
        CColor out(1, 2, 3, 4);
        EXPECT_EQ(P::parseHexColor(c.text, out), c.ok) << c.text;
        EXPECT_EQ(out, c.ok ? c.color : CColor(1, 2, 3, 4)) << c.text;
    }
}

TEST(UIValueParser, ControlTags)
{
    auto vars = [](const std::string& name, double& out) {
        if (name == "base")
        {
            out = 100;
            return true;
        }
        return false;
    };
    const struct
    {
        const char* text;
        int32_t tag;
    } cases[] = {{"15", 15},
                 {"'abcd'", ('a' << 24) | ('b' << 16) | ('c' << 8) | 'd'},
                 {"base + 5", 105},
                 {"(base - 1) * 2", 198},
                 {"base / 4", 25},
                 {"1 / 0", -1},
                 {"unknown + 1", -1},
                 {"5 +", -1},
                 {"(1", -1},
                 {"", -1},
                 {"12abc", -1}};
    for (const auto& c : cases)
        EXPECT_EQ(P::parseTag(c.text, vars), c.tag) << c.text;
    // Deep nesting is refused, not a stack overflow.
    EXPECT_EQ(P::parseTag(std::string(100000, '(') + "1" + std::string(100000, ')'), vars), -1);
}
