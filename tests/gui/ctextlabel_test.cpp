// CParamDisplay's text for a value and CTextLabel's own text, shortened to fit.
#include "gui/cframe.h"
#include "gui/ctextlabel.h"
#include "gui_test_support.h"

#include <gtest/gtest.h>

using namespace VSTGUI;

TEST(ParamDisplay, TextForAValue)
{
    CParamDisplay display(CRect(0, 0, 100, 20));
    EXPECT_EQ(display.valueToText(0.5f), "0.50");
    display.setPrecision(0);
    EXPECT_EQ(display.valueToText(2.6f), "3");
    display.setValueToStringFunction([](float v, std::string& text, CParamDisplay*) {
        if (v < 0)
            return false;  // not ours: the numeric format is used
        text = std::to_string(static_cast<int>(v * 100)) + " %";
        return true;
    });
    EXPECT_EQ(display.valueToText(0.25f), "25 %");
    EXPECT_EQ(display.valueToText(-1.f), "-1");
}

TEST(TextLabel, ValueChangeRendersTheTextThroughTheFunction)
{
    test::RecordingListener listener;
    CTextLabel label(CRect(0, 0, 100, 20), "start");
    label.setListener(&listener);
    label.valueChanged();  // no function: the text stays
    EXPECT_STREQ(label.getText(), "start");
    label.setValueToStringFunction([](float v, std::string& text, CParamDisplay*) {
        text = "v=" + std::to_string(static_cast<int>(v * 10));
        return true;
    });
    label.setValue(0.7f);
    label.valueChanged();
    EXPECT_STREQ(label.getText(), "v=7");
    EXPECT_EQ(listener.take().size(), 2u);
}

TEST(TextLabel, TruncatesAtTheChosenEnd)
{
    auto frame = owned(new CFrame(CRect(0, 0, 200, 40), nullptr));
    auto* label = new CTextLabel(CRect(0, 0, 60, 20), "a rather long label text");
    frame->addView(label);
    const struct
    {
        CTextLabel::TextTruncateMode mode;
        bool dotsFirst, dotsLast;
    } cases[] = {{CTextLabel::kTruncateHead, true, false}, {CTextLabel::kTruncateTail, false, true}};
    for (const auto& c : cases)
    {
        label->setTextTruncateMode(c.mode);
        test::Canvas canvas(*frame);
        const std::string shown = label->getTruncatedText();
        EXPECT_LT(shown.size(), std::string(label->getText()).size());
        EXPECT_EQ(shown.rfind("..", 0) == 0, c.dotsFirst) << shown;
        EXPECT_EQ(shown.size() >= 2 && shown.compare(shown.size() - 2, 2, "..") == 0, c.dotsLast) << shown;
    }
    label->setTextTruncateMode(CTextLabel::kTruncateNone);
    test::Canvas canvas(*frame);
    EXPECT_EQ(label->getTruncatedText(), label->getText());
}

TEST(TextLabel, NoDrawStyleDrawsNothing)
{
    auto frame = owned(new CFrame(CRect(0, 0, 100, 20), nullptr));
    frame->setTransparency(true);
    auto* label = new CTextLabel(CRect(0, 0, 100, 20), "HHHH");
    label->setStyle(kNoDrawStyle);
    frame->addView(label);
    test::Canvas canvas(*frame);
    EXPECT_EQ(canvas.countDiffering(CRect(0, 0, 100, 20), CColor(0, 0, 0, 0), 0), 0);
    label->setStyle(0);
    test::Canvas drawn(*frame);
    EXPECT_GT(drawn.countDiffering(CRect(0, 0, 100, 20), CColor(0, 0, 0, 0), 0), 100);
}
