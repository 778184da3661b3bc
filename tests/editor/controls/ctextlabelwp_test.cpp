// CTextLabelWP: the units after the text, however the text arrives.
#include "editor/controls/ctextlabelwp.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace VSTGUI;

TEST(TextLabelWP, ShowsTheTextThenOneSpaceAndTheTrimmedUnits)
{
    const struct
    {
        const char* units;
        const char* text;
        const char* storedUnits;
        const char* shown;
    } cases[] = {
        {"dB", "3.00", "dB", "3.00 dB"},
        {"", "3.00", "", "3.00"},
        {nullptr, "3.00", "", "3.00"},
        {" dB\t", "3.00", "dB", "3.00 dB"},
        {"\r\n Hz \n", "440", "Hz", "440 Hz"},
        {" \t ", "3.00", "", "3.00"},
        {"m s", "12", "m s", "12 m s"}, // blanks inside are the units' own
        // An entry already carrying its units does not get them twice.
        {"dB", "-6 dB", "dB", "-6 dB"},
        {"dB", "-6dB", "dB", "-6dB dB"},
    };
    for (const auto& c : cases)
    {
        CTextLabelWP label(CRect(0, 0, 80, 20), "initial");
        label.setUnits(c.units);
        EXPECT_EQ(label.getUnits(), c.storedUnits) << c.units;
        label.setText(c.text);
        EXPECT_STREQ(label.getText(), c.shown) << c.text;
        // Shown again (a parameter refresh hands the same string): no units piled up.
        label.setText(c.text);
        EXPECT_STREQ(label.getText(), c.shown) << c.text;
    }
}

TEST(TextLabelWP, TheParameterStringAndTheCopyGetTheUnitsToo)
{
    CTextLabelWP label(CRect(0, 0, 80, 20), "title");
    EXPECT_STREQ(label.getText(), "title"); // the constructor's text stays as given
    label.setUnits("dB");
    EXPECT_STREQ(label.getText(), "title"); // units apply from the next text on

    // A bound label makes its text from its value through the value-to-string function.
    label.setValueToStringFunction([](float v, std::string& text, CParamDisplay*) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.2f", static_cast<double>(v));
        text = buffer;
        return true;
    });
    label.setValue(-4.5f);
    label.valueChanged();
    EXPECT_STREQ(label.getText(), "0.00 dB"); // the value was clamped to the range 0..1
    label.setMin(-12.f);
    label.setValue(-4.5f);
    label.valueChanged();
    EXPECT_STREQ(label.getText(), "-4.50 dB");

    SharedPointer<CView> copy = owned(label.newCopy());
    auto* copied = dynamic_cast<CTextLabelWP*>(copy.get());
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->getUnits(), "dB");
    copied->setText("7");
    EXPECT_STREQ(copied->getText(), "7 dB");
    EXPECT_STREQ(label.getText(), "-4.50 dB");
}
