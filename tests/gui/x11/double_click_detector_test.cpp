#include "gui/x11/double_click_detector.h"

#include <gtest/gtest.h>

using VSTGUI::X11::DoubleClickDetector;

TEST(DoubleClickDetector, SecondPressOfTheSameButtonSoonAndNearby)
{
    struct Case
    {
        const char* what;
        uint8_t button;
        uint32_t dtMs;
        int dx;
        int dy;
        bool isDouble;
    };
    const Case cases[] = {
        {"same spot at once", 1, 0, 0, 0, true},
        {"250 ms later", 1, 250, 0, 0, true},
        {"251 ms later", 1, 251, 0, 0, false},
        {"5 px away both ways", 1, 100, 5, -5, true},
        {"6 px to the right", 1, 100, 6, 0, false},
        {"6 px up", 1, 100, 0, -6, false},
        {"another button", 3, 10, 0, 0, false},
    };
    for (const Case& c : cases) {
        DoubleClickDetector detector;
        EXPECT_FALSE(detector.press(1, 1000, 50, 50)) << c.what;
        EXPECT_EQ(detector.press(c.button, 1000 + c.dtMs, 50 + c.dx, 50 + c.dy), c.isDouble) << c.what;
    }
}

TEST(DoubleClickDetector, PairsDoNotOverlapAndTheClockMayWrap)
{
    DoubleClickDetector detector;
    const uint32_t nearWrap = 0xffffff80u; // the server's millisecond clock wraps 128 ms later
    EXPECT_FALSE(detector.press(1, nearWrap, 10, 10));
    EXPECT_TRUE(detector.press(1, nearWrap + 200u, 10, 10)) << "200 ms later, across the wrap";
    EXPECT_FALSE(detector.press(1, nearWrap + 210u, 10, 10)) << "a third press starts a new pair";
    EXPECT_TRUE(detector.press(1, nearWrap + 220u, 10, 10));
    EXPECT_FALSE(detector.press(1, nearWrap + 600u, 10, 10));
    EXPECT_FALSE(detector.press(1, nearWrap + 900u, 10, 10)) << "300 ms after the last press";
}
