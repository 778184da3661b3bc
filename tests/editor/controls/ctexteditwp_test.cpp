// CTextEditWP: the units after a parameter's string and after the user's entry.
#include "editor/controls/ctexteditwp.h"
#include "gui/cframe.h"
#include "gui_test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

using namespace VSTGUI;

namespace {

class TextEditWPTest : public ::testing::Test
{
public:
    void SetUp() override
    {
        frame = owned(new CFrame(CRect(0, 0, 200, 100), nullptr));
        edit = new CTextEditWP(CRect(10, 10, 90, 28), &listener, 15, "1.00");
        edit->setUnits(" dB ");
        frame->addView(edit);
    }
    /// Clicks the field open, replaces the text with `text` and presses Enter.
    void enter(const std::string& text)
    {
        CPoint p(20, 15);
        frame->platformOnMouseDown(p, kLButton);
        frame->platformOnMouseUp(p, kLButton);
        ASSERT_TRUE(edit->isEditingText());
        for (char c : text)
        {
            VstKeyCode k;
            k.character = static_cast<unsigned char>(c);
            frame->platformOnKeyDown(k);
        }
        VstKeyCode enterKey;
        enterKey.virt = VKEY_RETURN;
        frame->platformOnKeyDown(enterKey);
    }

    test::RecordingListener listener;
    SharedPointer<CFrame> frame;
    CTextEditWP* edit = nullptr;
};

} // namespace

TEST_F(TextEditWPTest, ParameterStringsAndEntriesAlikeShowTheUnits)
{
    edit->setText("3.00"); // what a parameter binding hands over
    EXPECT_STREQ(edit->getText(), "3.00 dB");

    enter("4.5");
    EXPECT_STREQ(edit->getText(), "4.5 dB");
    EXPECT_EQ(listener.take(), (std::vector<std::string> {"begin", "change 0", "end"}));

    enter("2 dB"); // typed with its units
    EXPECT_STREQ(edit->getText(), "2 dB");
}

TEST_F(TextEditWPTest, AParsedEntryKeepsItsUnits)
{
    // A lenient parser (a leading number, the rest ignored) would read "2.00 dB" as
    // well: the shown text must not be parsed a second time and lose its units.
    edit->setMax(10.f);
    edit->setStringToValueFunction([](const std::string& text, float& value, CTextEdit*) {
        char* end = nullptr;
        const float v = std::strtof(text.c_str(), &end);
        if (end == text.c_str())
            return false;
        value = v;
        return true;
    });
    edit->setValueToStringFunction([](float v, std::string& text, CParamDisplay*) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.2f", static_cast<double>(v));
        text = buffer;
        return true;
    });
    enter("2");
    EXPECT_FLOAT_EQ(edit->getValue(), 2.f);
    EXPECT_STREQ(edit->getText(), "2.00 dB");
    EXPECT_EQ(listener.take(), (std::vector<std::string> {"begin", "change 2", "end"}));

    // Opening and closing the field without a change commits nothing.
    enter("");
    EXPECT_STREQ(edit->getText(), "2.00 dB");
    EXPECT_TRUE(listener.take().empty());
}

TEST_F(TextEditWPTest, TheCopyKeepsTheUnits)
{
    SharedPointer<CView> copy = owned(edit->newCopy());
    auto* copied = dynamic_cast<CTextEditWP*>(copy.get());
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->getUnits(), "dB");
    copied->setText("0.5");
    EXPECT_STREQ(copied->getText(), "0.5 dB");
}
