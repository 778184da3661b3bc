// CTextEdit: opening the field, typing, and how an entry is committed or dropped.
#include "gui/cframe.h"
#include "gui/cslider.h"
#include "gui/ctextedit.h"
#include "gui_test_support.h"

#include <gtest/gtest.h>

using namespace VSTGUI;
using Events = std::vector<std::string>;

namespace {

VstKeyCode key(uint8_t virt, int32_t character = 0, uint8_t modifier = 0)
{
    VstKeyCode k;
    k.virt = virt;
    k.character = character;
    k.modifier = modifier;
    return k;
}

class TextEditTest : public ::testing::Test
{
public:
    void SetUp() override
    {
        frame = owned(new CFrame(CRect(0, 0, 200, 100), nullptr));
        edit = new CTextEdit(CRect(10, 10, 70, 28), &listener, 5, "1.5");
        frame->addView(edit);
        other = new CSlider(CRect(100, 10, 110, 60), nullptr, 6, nullptr, nullptr, CPoint(), kVertical);
        frame->addView(other);
    }
    void click(double x, double y, int32_t buttons = kLButton)
    {
        CPoint p(x, y);
        frame->platformOnMouseDown(p, buttons);
        frame->platformOnMouseUp(p, buttons);
    }
    void type(const std::string& text)
    {
        for (char c : text)
        {
            VstKeyCode k = key(0, static_cast<unsigned char>(c));
            frame->platformOnKeyDown(k);
        }
    }
    void press(uint8_t virt, uint8_t modifier = 0)
    {
        VstKeyCode k = key(virt, 0, modifier);
        frame->platformOnKeyDown(k);
    }

    test::RecordingListener listener;
    SharedPointer<CFrame> frame;
    CTextEdit* edit = nullptr;
    CSlider* other = nullptr;
};

} // namespace

TEST_F(TextEditTest, ClickOpensTheFieldWithEverythingSelected)
{
    click(20, 15);
    ASSERT_TRUE(edit->isEditingText());
    EXPECT_EQ(frame->getFocusView(), edit);
    EXPECT_EQ(edit->getEditText(), "1.5");
    EXPECT_EQ(edit->getSelectionStart(), 0u);
    EXPECT_EQ(edit->getSelectionEnd(), 3u);
    type("42");  // replaces the selection
    EXPECT_EQ(edit->getEditText(), "42");
    EXPECT_STREQ(edit->getText(), "1.5");  // nothing committed yet
    EXPECT_TRUE(listener.take().empty());
}

TEST_F(TextEditTest, EachWayOfEndingTheEntry)
{
    const struct
    {
        const char* how;
        std::function<void(TextEditTest&)> end;
        bool commits;
    } cases[] = {
        {"Enter", [](TextEditTest& t) { t.press(VKEY_RETURN); }, true},
        {"keypad Enter", [](TextEditTest& t) { t.press(VKEY_ENTER); }, true},
        {"click elsewhere", [](TextEditTest& t) { t.click(150, 80); }, true},
        {"click on another control", [](TextEditTest& t) { t.click(105, 30); }, true},
        {"window loses focus", [](TextEditTest& t) { t.frame->platformOnFocusChanged(false); }, true},
        {"focus moved", [](TextEditTest& t) { t.frame->setFocusView(t.other); }, true},
        {"Escape", [](TextEditTest& t) { t.press(VKEY_ESCAPE); }, false},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.how);
        edit->setText("1.5");
        listener.take();
        click(20, 15);
        type("7");
        c.end(*this);
        EXPECT_FALSE(edit->isEditingText());
        EXPECT_STREQ(edit->getText(), c.commits ? "7" : "1.5");
        EXPECT_EQ(listener.take(), c.commits ? (Events{"begin", "change 0", "end"}) : Events{});
    }
}

TEST_F(TextEditTest, AnUnchangedEntryCommitsNothing)
{
    click(20, 15);
    press(VKEY_RETURN);
    EXPECT_TRUE(listener.take().empty());
}

TEST_F(TextEditTest, EditingKeys)
{
    const struct
    {
        std::vector<VstKeyCode> keys;
        std::string text;
        size_t caret;
    } cases[] = {
        {{key(VKEY_END), key(VKEY_BACK)}, "1.", 2},
        {{key(VKEY_HOME), key(VKEY_DELETE)}, ".5", 0},
        {{key(VKEY_LEFT)}, "1.5", 0},                              // collapses the selection
        {{key(VKEY_END), key(VKEY_LEFT), key(0, '0')}, "1.05", 3},
        {{key(VKEY_HOME), key(VKEY_RIGHT), key(VKEY_RIGHT, 0, MODIFIER_SHIFT), key(0, '_')}, "1_5", 2},
        {{key(VKEY_HOME), key(VKEY_BACK)}, "1.5", 0},              // nothing before the caret
        {{key(VKEY_END), key(0, 0xE9)}, "1.5\xC3\xA9", 5},         // UTF-8 for e-acute
        {{key(VKEY_END), key(0, 0xE9), key(VKEY_BACK)}, "1.5", 3}, // removed as one character
        {{key(VKEY_END), key(VKEY_SPACE, ' ')}, "1.5 ", 4},
        {{key(VKEY_END), key(0, 'x', MODIFIER_CONTROL)}, "1.5", 3}, // shortcuts type nothing
    };
    for (const auto& c : cases)
    {
        click(20, 15);
        for (VstKeyCode k : c.keys)
            frame->platformOnKeyDown(k);
        EXPECT_EQ(edit->getEditText(), c.text);
        EXPECT_EQ(edit->getCaret(), c.caret);
        press(VKEY_ESCAPE);
    }
}

TEST_F(TextEditTest, ImmediateTextChangeCommitsEveryKeystroke)
{
    edit->setImmediateTextChange(true);
    click(20, 15);
    type("12");
    EXPECT_STREQ(edit->getText(), "12");
    EXPECT_EQ(listener.take(), (Events{"begin", "change 0", "end", "begin", "change 0", "end"}));
    EXPECT_TRUE(edit->isEditingText());
    press(VKEY_RETURN);
    EXPECT_TRUE(listener.take().empty());
}

TEST_F(TextEditTest, StringToValueFunctionTurnsTheEntryIntoAValue)
{
    edit->setMax(10.f);
    edit->setStringToValueFunction([](const std::string& text, float& value, CTextEdit*) {
        char* end = nullptr;
        const float v = std::strtof(text.c_str(), &end);
        if (end == text.c_str())
            return false;
        value = v;
        return true;
    });
    click(20, 15);
    type("3");
    press(VKEY_RETURN);
    EXPECT_FLOAT_EQ(edit->getValue(), 3.f);
    EXPECT_STREQ(edit->getText(), "3.00");
    EXPECT_EQ(listener.take(), (Events{"begin", "change 3", "end"}));
    click(20, 15);
    type("abc");  // not understood: the text is kept as typed, the value stays
    press(VKEY_RETURN);
    EXPECT_FLOAT_EQ(edit->getValue(), 3.f);
    EXPECT_STREQ(edit->getText(), "abc");
}

TEST_F(TextEditTest, DoubleClickStyleOpensOnlyOnADoubleClick)
{
    edit->setStyle(kDoubleClickStyle);
    click(20, 15);
    EXPECT_FALSE(edit->isEditingText());
    click(20, 15, kLButton | kDoubleClick);
    EXPECT_TRUE(edit->isEditingText());
}

TEST_F(TextEditTest, ExactlyCtrlClickSetsTheDefaultInsteadOfEditing)
{
    edit->setDefaultValue(0.25f);
    click(20, 15, kLButton | kControl);
    EXPECT_FALSE(edit->isEditingText());
    EXPECT_FLOAT_EQ(edit->getValue(), 0.25f);
    EXPECT_STREQ(edit->getText(), "0.25");
}

TEST_F(TextEditTest, RemovingTheEditWhileEditingIsSafe)
{
    click(20, 15);
    type("9");
    frame->removeView(edit);
    EXPECT_EQ(frame->getFocusView(), nullptr);
    VstKeyCode k = key(0, '1');
    EXPECT_FALSE(frame->platformOnKeyDown(k));
}

TEST_F(TextEditTest, SecureStyleDrawsNoCharacters)
{
    edit->setSecureStyle(true);
    edit->setText("secret");
    test::Canvas canvas(*frame);
    EXPECT_STREQ(edit->getText(), "secret");
    click(20, 15);
    EXPECT_EQ(edit->getEditText(), "secret");
}
