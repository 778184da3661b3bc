// UI descriptions: every construct of the format on small descriptions, the
// builder's conversation with its controller, and bad input of every kind.
#include "gui/cframe.h"
#include "gui/canimknob.h"
#include "gui/cknob.h"
#include "gui/cslider.h"
#include "gui/ctextedit.h"
#include "gui/cvumeter.h"
#include "gui/icontroller.h"
#include "gui/resources/resource_store.h"
#include "gui/uidesc/uidescription.h"
#include "gui_test_support.h"

#include <gtest/gtest.h>

#include <random>

using namespace VSTGUI;

namespace {

std::string wrap(const std::string& body)
{
    return "<?xml version=\"1.0\"?>\n<vstgui-ui-description version=\"1\">\n" + body +
           "\n</vstgui-ui-description>\n";
}

/// Logs what the builder asks, and can answer with views and sub-controllers of its own.
class RecordingController : public IController
{
public:
    explicit RecordingController(std::vector<std::string>& l, std::string n = "main") : log(l), name(std::move(n)) {}
    ~RecordingController() override { log.push_back(name + " destroyed"); }

    void valueChanged(CControl*) override {}
    void controlTagDidChange(CControl* c) override
    {
        log.push_back(name + " tag " + std::to_string(c->getTag()) + " size " +
                      std::to_string(static_cast<int>(c->getWidth())));
    }
    int32_t getTagForName(const char* tagName, int32_t registered) const override
    {
        return std::string(tagName) == "Adjusted" ? 77 : registered;
    }
    CView* createView(const UIAttributes& a, const IUIDescription*) override
    {
        const std::string* custom = a.getAttributeValue("custom-view-name");
        log.push_back(name + " createView " + (custom ? *custom : "-"));
        if (custom && *custom == "MyKnob")
            return new CKnob(CRect(), nullptr, -1, nullptr, nullptr);
        return nullptr;
    }
    CView* verifyView(CView* view, const UIAttributes& a, const IUIDescription*) override
    {
        const std::string* id = a.getAttributeValue("id");
        log.push_back(name + " verify " + (id ? *id : "?") + " " +
                      std::to_string(static_cast<int>(view->getWidth())));
        return view;
    }
    IController* createSubController(const char* sub, const IUIDescription*) override
    {
        log.push_back(name + " sub " + sub);
        return std::string(sub) == "Inner" ? new RecordingController(log, "inner") : nullptr;
    }

    std::vector<std::string>& log;
    std::string name;
};

SharedPointer<CView> build(UIDescription& d, const char* templateName, IController* c = nullptr)
{
    return SharedPointer<CView>(d.createView(templateName, c), true);
}

} // namespace

TEST(UIDescriptionTables, ColorsFontsGradientsTagsAndCustomAttributes)
{
    UIDescription d("tables", wrap(R"(
  <colors>
    <color name="parts" red="10" green="20"/>
    <color name="rgb" red="1" rgb="#102030"/>
    <color name="rgba" rgb="#102030" rgba="#40506070"/>
    <color name="parts" red="99"/>
  </colors>
  <fonts>
    <font name="f1" font-name="Verdana" size="14px" bold="true" italic="yes"/>
    <font name="f2" font-name="Nope" alternative-font-names="Arial, Helvetica"/>
  </fonts>
  <gradients>
    <gradient name="g"><color-stop rgba="#000000ff" start="0"/><color-stop rgba="#ffffffff" start="1"/></gradient>
    <gradient name="one"><color-stop rgba="#000000ff" start="0"/><color-stop rgba="bad" start="1"/></gradient>
  </gradients>
  <variables><var name="base" value="1000" type="number"/><var name="wide" value="50, 10"/></variables>
  <control-tags>
    <control-tag name="plain" tag="12"/>
    <control-tag name="code" tag="'ab  '"/>
    <control-tag name="expr" tag="base + 3"/>
    <control-tag name="bad" tag="x+"/>
  </control-tags>
  <custom><attributes name="FocusDrawing" enabled="true" width="2"/><anything-goes/></custom>)"));
    ASSERT_TRUE(d.parse());
    CColor c;
    ASSERT_TRUE(d.getColor("parts", c));
    EXPECT_EQ(c, CColor(10, 20, 255, 255));  // the first entry of a name wins
    ASSERT_TRUE(d.getColor("rgb", c));
    EXPECT_EQ(c, CColor(0x10, 0x20, 0x30, 255));
    ASSERT_TRUE(d.getColor("rgba", c));
    EXPECT_EQ(c, CColor(0x40, 0x50, 0x60, 0x70));
    ASSERT_TRUE(d.getColor("~ GreyCColor", c));
    EXPECT_EQ(c, CColor(127, 127, 127, 255));
    ASSERT_TRUE(d.getColor("~ TransparentCColor", c));
    EXPECT_EQ(c, CColor(255, 255, 255, 0));
    EXPECT_FALSE(d.getColor("~ PinkCColor", c));

    CFontDesc* f1 = d.getFont("f1");
    ASSERT_NE(f1, nullptr);
    EXPECT_EQ(f1->getName(), "Verdana");
    EXPECT_EQ(f1->getSize(), 14);
    EXPECT_EQ(f1->getStyle(), kBoldFace);  // italic only for exactly "true"
    ASSERT_NE(d.getFont("f2"), nullptr);
    EXPECT_EQ(d.getFont("f2")->getSize(), 12);
    EXPECT_EQ(d.getFont("~ NormalFontSmaller")->getSize(), 10);
    EXPECT_EQ(d.getFont("~ NormalFontSmaller")->getName(), "Arial");
    EXPECT_EQ(d.getFont("nope"), nullptr);

    std::vector<GradientStop> stops;
    EXPECT_TRUE(d.getGradient("g", stops));
    EXPECT_EQ(stops.size(), 2u);
    EXPECT_FALSE(d.getGradient("one", stops));  // fewer than two valid stops

    EXPECT_EQ(d.getTagForName("plain"), 12);
    EXPECT_EQ(d.getTagForName("code"), ('a' << 24) | ('b' << 16) | (' ' << 8) | ' ');
    EXPECT_EQ(d.getTagForName("expr"), 1003);
    EXPECT_EQ(d.getTagForName("bad"), -1);
    EXPECT_EQ(d.getTagForName("missing"), -1);
    std::string v;
    EXPECT_TRUE(d.getVariable("wide", v));
    EXPECT_EQ(v, "50, 10");
    const UIAttributes* focus = d.getCustomAttributes("FocusDrawing");
    ASSERT_NE(focus, nullptr);
    EXPECT_EQ(*focus->getAttributeValue("width"), "2");
}

TEST(UIDescriptionBuild, ChildrenClassesVariablesAndRawAttributes)
{
    UIDescription d("build", wrap(R"(
  <variables><var name="wide" value="50, 10"/></variables>
  <template name="T" size="200, 100" background-color="#ff0000ff">
    <view class="CViewContainer" origin="10, 20" size="100, 50" background-color="#00ff00ff">
      <view class="CTextLabel" origin="5, 5" size="wide" title="a\nb">
        <view class="CTextLabel" origin="0, 0" size="10, 10"/>
      </view>
    </view>
    <view class="NoSuchClass" origin="1, 2" size="3, 4" background-color="#0000ffff" transparent="true"/>
    <view origin="5, 6" size="7, 8"><attribute id="abcd" value="raw"/></view>
    <view class="CView" origin="1, 1" origin="9, 9" size="2, 2"/>
  </template>)"));
    ASSERT_TRUE(d.parse());
    auto root = build(d, "T").cast<CViewContainer>();
    ASSERT_TRUE(root);
    EXPECT_EQ(root->getViewSize(), CRect(0, 0, 200, 100));
    EXPECT_EQ(root->getBackgroundColor(), CColor(255, 0, 0));
    ASSERT_EQ(root->getNbViews(), 4);
    EXPECT_EQ(root->getView(3)->getViewSize(), CRect(1, 1, 3, 3));  // a repeated attribute: the first wins
    auto* group = dynamic_cast<CViewContainer*>(root->getView(0));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->getViewSize(), CRect(10, 20, 110, 70));
    auto* label = dynamic_cast<CTextLabel*>(group->getView(0));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->getViewSize(), CRect(5, 5, 55, 15));  // "wide" came from the variable
    EXPECT_STREQ(label->getText(), "a\nb");
    auto* unknown = dynamic_cast<CViewContainer*>(root->getView(1));
    ASSERT_NE(unknown, nullptr);  // an empty container with the container's attributes
    EXPECT_EQ(unknown->getBackgroundColor(), CColor(0, 0, 255));
    EXPECT_TRUE(unknown->getTransparency());
    auto* plain = dynamic_cast<CViewContainer*>(root->getView(2));
    ASSERT_NE(plain, nullptr);
    char raw[8] = {};
    uint32_t size = 0;
    EXPECT_TRUE(plain->getAttribute(('a' << 24) | ('b' << 16) | ('c' << 8) | 'd', sizeof raw, raw, size));
    EXPECT_EQ(std::string(raw, size), "raw");
}

TEST(UIDescriptionBuild, ClassDefaultsAndMalformedValuesKeepThem)
{
    UIDescription d("defaults", wrap(R"(
  <control-tags><control-tag name="T" tag="5"/></control-tags>
  <template name="T" size="100, 100">
    <view class="CSlider" origin="0, 0" size="10, 50" zoom-factor="fast" mode="sideways" orientation="vertical" min-value="1e3"/>
    <view class="CTextEdit" origin="0, 0" size="x, 10" font-color="#12345" transparent="yes" style-no-frame="true" style-round-rect="maybe"/>
    <view class="CAnimKnob" origin="0, 0" size="20, 20" height-of-one-image="20.0" control-tag="T"/>
    <view class="CVuMeter" num-led="42.0"/>
    <view class="CTextLabel" value-precision="3.7" text-alignment="middle" control-tag="17 fish"/>
  </template>)"));
    ASSERT_TRUE(d.parse());
    auto root = build(d, "T").cast<CViewContainer>();
    ASSERT_TRUE(root);
    auto* slider = dynamic_cast<CSlider*>(root->getView(0));
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->getZoomFactor(), 10.f);
    EXPECT_EQ(slider->getMode(), CSlider::kUseGlobal);
    EXPECT_EQ(slider->getStyle(), kVertical | kLeft);  // no reverse-orientation: value 0 at the top
    EXPECT_EQ(slider->getMin(), 0.f);
    auto* edit = dynamic_cast<CTextEdit*>(root->getView(1));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->getViewSize().getSize(), CPoint(100, 20));  // the size was malformed
    EXPECT_EQ(edit->getFontColor(), kWhiteCColor);
    EXPECT_FALSE(edit->getTransparency());
    EXPECT_EQ(edit->getStyle(), kNoFrame);  // "maybe" clears the round-rect bit
    EXPECT_EQ(edit->getTag(), -1);
    auto* knob = dynamic_cast<CAnimKnob*>(root->getView(2));
    ASSERT_NE(knob, nullptr);
    EXPECT_EQ(knob->getHeightOfOneImage(), 0);  // "20.0" is not an integer
    EXPECT_EQ(knob->getTag(), 5);
    auto* meter = dynamic_cast<CVuMeter*>(root->getView(3));
    ASSERT_NE(meter, nullptr);
    EXPECT_EQ(meter->getNbLed(), 100);
    EXPECT_EQ(meter->getViewSize(), CRect());
    auto* label = dynamic_cast<CTextLabel*>(root->getView(4));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->getPrecision(), 3);
    EXPECT_EQ(label->getHoriAlign(), kCenterText);
    EXPECT_EQ(label->getTag(), 17);  // not in the table but starts with a number
}

TEST(UIDescriptionBuild, ControllerConversationAndApplierOrder)
{
    std::vector<std::string> log;
    UIDescription d("conversation", wrap(R"(
  <control-tags><control-tag name="Gain" tag="4"/></control-tags>
  <template name="T" size="100, 100" id="root">
    <view class="CViewContainer" size="50, 50" sub-controller="Inner" id="group">
      <view class="CSlider" size="10, 40" control-tag="Gain" id="slider"/>
      <view class="CKnob" size="20, 20" custom-view-name="MyKnob" control-tag="Adjusted" id="knob"/>
    </view>
    <view class="CTextLabel" size="30, 10" sub-controller="Unknown" id="label"/>
  </template>)"));
    ASSERT_TRUE(d.parse());
    {
        RecordingController controller(log);
        auto root = build(d, "T", &controller).cast<CViewContainer>();
        ASSERT_TRUE(root);
        const std::vector<std::string> expected = {
            "main createView -",
            "main sub Inner",
            "inner createView -",
            "inner createView -",
            "inner tag 4 size 0",  // the tag is set before the size is applied
            "inner verify slider 10",
            "inner createView MyKnob",
            "inner tag 77 size 0",  // the controller adjusted the tag
            "inner verify knob 20",
            "inner verify group 50",
            "main sub Unknown",
            "main createView -",
            "main verify label 30",
            "main verify root 100",
        };
        EXPECT_EQ(log, expected);
        auto* group = dynamic_cast<CViewContainer*>(root->getView(0));
        ASSERT_NE(group, nullptr);
        auto* knob = dynamic_cast<CKnob*>(group->getView(1));
        ASSERT_NE(knob, nullptr);  // the controller's own view, with the entry's attributes
        EXPECT_EQ(knob->getTag(), 77);
        EXPECT_NE(group->getController(), nullptr);
        log.clear();
    }
    // The sub-controller went with its view; the main one is the caller's.
    EXPECT_EQ(log, (std::vector<std::string>{"inner destroyed", "main destroyed"}));
}

TEST(UIDescriptionBuild, TemplateUsedAsChildTakesTheEntrysAttributes)
{
    std::vector<std::string> log;
    UIDescription d("templates", wrap(R"(
  <template name="Editor" size="300, 200" id="editor">
    <view template="Group" origin="40, 30" size="100, 60" background-color="#00ff00ff" custom-view-name="X" sub-controller="Y" id="ref">
      <view class="CView" size="5, 5"/>
    </view>
    <view template="Group" origin="150, 30"/>
  </template>
  <template name="Group" class="CViewContainer" size="75, 40" background-color="#000000ff" transparent="true" id="group">
    <view class="CView" origin="10, 10" size="20, 20" autosize="left top right bottom" id="stretch"/>
    <view class="CView" origin="50, 20" size="5, 5" autosize="right bottom" id="moving"/>
    <view class="CView" origin="0, 0" size="5, 5" id="fixed"/>
  </template>)"));
    ASSERT_TRUE(d.parse());
    RecordingController controller(log);
    auto root = build(d, "Editor", &controller).cast<CViewContainer>();
    ASSERT_TRUE(root);
    ASSERT_EQ(root->getNbViews(), 2);
    auto* first = dynamic_cast<CViewContainer*>(root->getView(0));
    auto* second = dynamic_cast<CViewContainer*>(root->getView(1));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(first->getViewSize(), CRect(40, 30, 140, 90));
    EXPECT_EQ(first->getBackgroundColor(), CColor(0, 255, 0));
    EXPECT_TRUE(first->getTransparency());  // unstated: the template's value stays
    EXPECT_EQ(first->getNbViews(), 3);      // the entry's own children are ignored
    EXPECT_EQ(first->getView(0)->getViewSize(), CRect(10, 10, 55, 50));  // grew with the size
    EXPECT_EQ(first->getView(1)->getViewSize(), CRect(75, 40, 80, 45));  // kept to the far edges
    EXPECT_EQ(first->getView(2)->getViewSize(), CRect(0, 0, 5, 5));
    EXPECT_EQ(second->getViewSize(), CRect(150, 30, 225, 70));
    // The reference asked the controller nothing; the template root was verified
    // before the overrides (at its own width, 75).
    EXPECT_EQ(std::count(log.begin(), log.end(), "main sub Y"), 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), "main createView X"), 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), "main verify group 75"), 2);
    EXPECT_EQ(std::count(log.begin(), log.end(), "main verify ref 100"), 0);
}

TEST(UIDescriptionErrors, EachIsAClearMessageAndNoViews)
{
    const struct
    {
        const char* what;
        std::string xml;
        bool parses;
        const char* message;
    } cases[] = {
        {"malformed XML", "<vstgui-ui-description><template name=\"T\">", false, "not well-formed"},
        {"empty", "", false, "not well-formed"},
        {"wrong root", "<something/>", false, "root element"},
        {"unknown section", wrap("<bitmapz/><template name=\"T\"/>"), false, "unknown element <bitmapz>"},
        {"unknown table item", wrap("<colors><colour name=\"x\"/></colors>"), false, "unknown element <colour>"},
        {"missing template", wrap("<template name=\"Other\"/>"), true, "no template \"T\""},
        {"template containing itself", wrap("<template name=\"T\"><view template=\"T\"/></template>"), true,
         "contains itself"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        UIDescription d(c.what, c.xml);
        EXPECT_EQ(d.parse(), c.parses);
        CView* first = d.createView("T", nullptr);
        CView* second = d.createView("T", nullptr);
        if (first)  // a template containing itself still builds, without the loop
            first->forget();
        if (second)
            second->forget();
        if (!c.parses || std::string(c.message).find("no template") != std::string::npos)
        {
            EXPECT_EQ(first, nullptr);
        }
        ASSERT_FALSE(d.getErrors().empty());
        EXPECT_NE(d.getErrors().front().find(c.message), std::string::npos) << d.getErrors().front();
        // Said once, however often it happens.
        std::set<std::string> unique(d.getErrors().begin(), d.getErrors().end());
        EXPECT_EQ(unique.size(), d.getErrors().size());
    }
    UIDescription missing("no-such-description.uidesc");
    EXPECT_FALSE(missing.parse());
    EXPECT_EQ(missing.createView("T", nullptr), nullptr);
    EXPECT_NE(missing.getErrors().front().find("cannot be read"), std::string::npos);
}

TEST(UIDescriptionErrors, BitmapsThatCannotBeHad)
{
    // A 1 x 1 red PNG as embedded data, used because the file is absent.
    const char* redPixel =
        "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mP8z8DwHwAFBQIAX8jx0gAAAABJRU5ErkJggg==";
    UIDescription d("bitmaps", wrap(std::string(R"(
  <bitmaps>
    <bitmap name="fallback" path="absent.png"><data encoding="base64">)") + redPixel + R"(</data></bitmap>
    <bitmap name="absent" path="absent.png"/>
    <bitmap name="notpng" path="test.uidesc"/>
    <bitmap name="resource" path="track.png"/>
  </bitmaps>
  <template name="T" size="10, 10">
    <view class="CSlider" size="10, 10" bitmap="absent" handle-bitmap="unknown"/>
  </template>)"));
    ASSERT_TRUE(d.parse());
    ASSERT_NE(d.getBitmap("fallback"), nullptr);
    EXPECT_EQ(d.getBitmap("fallback")->getSize(), CPoint(1, 1));
    ASSERT_NE(d.getBitmap("resource"), nullptr);
    EXPECT_EQ(d.getBitmap("resource")->getSize(), CPoint(10, 50));
    EXPECT_EQ(d.getBitmap("notpng"), nullptr);
    auto root = build(d, "T").cast<CViewContainer>();
    ASSERT_TRUE(root);
    auto* slider = dynamic_cast<CSlider*>(root->getView(0));
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->getBackground(), nullptr);
    EXPECT_EQ(slider->getHandle(), nullptr);
    auto frame = owned(new CFrame(CRect(0, 0, 10, 10), nullptr));
    frame->addView(root.release());
    test::Canvas canvas(*frame);  // draws without its bitmaps
    int absentMessages = 0;
    for (const auto& e : d.getErrors())
        absentMessages += e.find("\"absent\"") != std::string::npos;
    EXPECT_EQ(absentMessages, 1);
}

TEST(UIDescriptionBuild, DoubleResolutionBitmapsFromTheTable)
{
    UIDescription d("hires", wrap("<bitmaps>"
                                  "<bitmap name=\"k\" path=\"k.png\"><data>" +
                                  test::solidPngBase64(4, 4, kRedCColor) +
                                  "</data></bitmap>"
                                  "<bitmap name=\"k2\" path=\"k#2x.png\"><data>" +
                                  test::solidPngBase64(8, 8, kBlueCColor) +
                                  "</data></bitmap>"
                                  "<bitmap name=\"odd\" path=\"odd.png\"><data>" +
                                  test::solidPngBase64(4, 4, kRedCColor) +
                                  "</data></bitmap>"
                                  "<bitmap name=\"odd2\" path=\"odd_2x.png\"><data>" +
                                  test::solidPngBase64(7, 8, kBlueCColor) + "</data></bitmap>"
                                  "</bitmaps>"));
    ASSERT_TRUE(d.parse());
    CBitmap* k = d.getBitmap("k");
    ASSERT_NE(k, nullptr);
    EXPECT_EQ(k->getSize(), CPoint(4, 4));
    EXPECT_TRUE(k->hasHighResolution());
    EXPECT_EQ(cairo_image_surface_get_width(k->getSurface(2.0)), 8);
    EXPECT_EQ(cairo_image_surface_get_width(k->getSurface(1.0)), 4);
    CBitmap* odd = d.getBitmap("odd");
    ASSERT_NE(odd, nullptr);
    EXPECT_FALSE(odd->hasHighResolution());  // not twice the size: not used
}

TEST(UIDescriptionErrors, MutatedDescriptionsNeverCrash)
{
    const ResourceBytes original = findEmbeddedResource("test.uidesc");
    ASSERT_TRUE(original);
    const std::string text(reinterpret_cast<const char*>(original.data), original.size);
    std::mt19937 random(20240611);
    const std::string alphabet = "<>/=\"' ,.-#0123456789abcdefxyz\n";
    int built = 0;
    for (int round = 0; round < 300; ++round)
    {
        std::string mutated = text;
        const int edits = 1 + static_cast<int>(random() % 8);
        for (int e = 0; e < edits; ++e)
        {
            const size_t pos = random() % mutated.size();
            switch (random() % 4)
            {
            case 0:
                mutated[pos] = alphabet[random() % alphabet.size()];
                break;
            case 1:
                mutated.erase(pos, 1 + random() % 12);
                break;
            case 2:
                mutated.insert(pos, mutated.substr(random() % mutated.size(), 1 + random() % 40));
                break;
            default:
                mutated.insert(pos, 1, alphabet[random() % alphabet.size()]);
                break;
            }
            if (mutated.empty())
                mutated = "<";
        }
        UIDescription d("mutated", mutated);
        if (!d.parse())
            continue;
        CView* view = d.createView("Main", nullptr);
        if (!view)
            continue;
        ++built;
        auto frame = owned(new CFrame(CRect(0, 0, 300, 200), nullptr));
        frame->addView(view);
        test::Canvas canvas(*frame);
    }
    EXPECT_GT(built, 10);  // the loop reached the builder and the drawing, not only the parser
}
