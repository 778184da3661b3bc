// The editor's description as the loader reads it: every name it uses resolves, every value
// is in a syntax the loader accepts (it silently ignores the rest), and laid out as the
// format nests it, the controls land where the editor shows them.
#include "png_image.h"
#include "uidesc_resolver.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

const std::string kResourceDir = CORVALE_RESOURCE_DIR;

// Band names in frequency order; band k is parameter k, the gain parameter 15.
const std::vector<std::string> kBands = {"25", "40", "63", "100", "160", "250", "400", "630",
                                         "1000", "1600", "2500", "4000", "6300", "10000", "16000"};

const std::set<std::string> kPredefinedColours = {
    "~ BlackCColor", "~ WhiteCColor", "~ GreyCColor", "~ RedCColor", "~ GreenCColor",
    "~ BlueCColor", "~ YellowCColor", "~ CyanCColor", "~ MagentaCColor", "~ TransparentCColor"};
const std::set<std::string> kPredefinedFonts = {
    "~ SystemFont", "~ NormalFontVeryBig", "~ NormalFontBig", "~ NormalFont",
    "~ NormalFontSmall", "~ NormalFontSmaller", "~ NormalFontVerySmall", "~ SymbolFont"};

class TarnDescription : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const pugi::xml_parse_result parsed =
            m_doc.load_file((kResourceDir + "/tarn.uidesc").c_str());
        ASSERT_TRUE(parsed) << parsed.description() << " at offset " << parsed.offset;
        m_root = m_doc.child("vstgui-ui-description");
        ASSERT_TRUE(m_root);
    }

    // name -> an attribute of each entry of a table section.
    std::map<std::string, std::string> table(const char* section, const char* item,
                                             const char* valueAttribute) const
    {
        std::map<std::string, std::string> entries;
        for (const pugi::xml_node& n : m_root.child(section).children(item))
            entries.emplace(n.attribute("name").value(), n.attribute(valueAttribute).value());
        return entries;
    }

    // Every template root and view element, in document order.
    std::vector<pugi::xml_node> viewElements() const
    {
        std::vector<pugi::xml_node> nodes;
        for (const pugi::xpath_node& n : m_root.select_nodes("//template | //view"))
            nodes.push_back(n.node());
        return nodes;
    }

    std::vector<ResolvedView> editor() const
    {
        return UiDescriptionResolver(m_root).resolve("Editor");
    }

    int tagOf(const std::string& name) const
    {
        const auto tags = table("control-tags", "control-tag", "tag");
        const auto found = tags.find(name);
        return found == tags.end() ? -1 : std::stoi(found->second);
    }

    pugi::xml_document m_doc;
    pugi::xml_node m_root;
};

// `text` is '#' and then `digits` hexadecimal digits (lower case only if asked).
bool isHexColour(const std::string& text, size_t digits, bool lowerOnly)
{
    if (text.size() != digits + 1 || text[0] != '#')
        return false;
    for (size_t i = 1; i < text.size(); ++i)
    {
        const char c = text[i];
        const bool hex = std::isdigit(static_cast<unsigned char>(c)) || (c >= 'a' && c <= 'f')
                         || (!lowerOnly && c >= 'A' && c <= 'F');
        if (!hex)
            return false;
    }
    return true;
}

// An optional sign, then decimal digits only.
bool isInteger(const std::string& text, bool signAllowed)
{
    size_t i = signAllowed && !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (i == text.size())
        return false;
    for (; i < text.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return false;
    return true;
}

std::string describe(const pugi::xml_node& n)
{
    std::string text = n.name();
    for (const char* key : {"name", "template", "class", "title", "control-tag"})
        if (n.attribute(key))
            text += std::string(" ") + key + "=\"" + n.attribute(key).value() + "\"";
    return text;
}

} // namespace

TEST_F(TarnDescription, HasOnlySectionsTheLoaderAccepts)
{
    // Any other element at these levels makes the loader drop the whole description.
    const std::map<std::string, std::string> sectionItems = {
        {"bitmaps", "bitmap"}, {"fonts", "font"}, {"colors", "color"},
        {"gradients", "gradient"}, {"control-tags", "control-tag"}, {"variables", "var"},
        {"custom", "attributes"}};
    EXPECT_STREQ(m_root.attribute("version").value(), "1");
    for (const pugi::xml_node& section : m_root.children())
    {
        const std::string name = section.name();
        if (name == "template")
            continue;
        const auto expected = sectionItems.find(name);
        ASSERT_NE(expected, sectionItems.end()) << "unknown section <" << name << ">";
        for (const pugi::xml_node& item : section.children())
            EXPECT_EQ(item.name(), expected->second) << "in <" << name << ">";
    }
    for (const auto& [name, rgba] : table("colors", "color", "rgba"))
        EXPECT_TRUE(isHexColour(rgba, 8, true)) << name << " " << rgba;
    for (const pugi::xml_node& g : m_root.child("gradients").children("gradient"))
        EXPECT_GE(std::distance(g.children("color-stop").begin(), g.children("color-stop").end()), 2)
            << "a gradient needs two stops: " << describe(g);
}

TEST_F(TarnDescription, ControlTagsAreTheParameterIds)
{
    const auto tags = table("control-tags", "control-tag", "tag");
    for (const auto& [name, tag] : tags)
        EXPECT_TRUE(isInteger(tag, false)) << name << " = " << tag;
    for (size_t k = 0; k < kBands.size(); ++k)
        EXPECT_EQ(tagOf(kBands[k]), static_cast<int>(k)) << kBands[k];
    EXPECT_EQ(tagOf("Gain"), 15);
    const std::map<std::string, int> fixed = {
        {"ASSIGNBUTTON_1", 32768}, {"ASSIGNBUTTON_2", 32769}, {"ASSIGNBUTTON_3", 32770},
        {"JOYSTICK_X", 32773}, {"JOYSTICK_Y", 32774}, {"JOYSTICK", 32775}, {"TRACKPAD", 32776}};
    for (const auto& [name, tag] : fixed)
        EXPECT_EQ(tagOf(name), tag) << name;
    for (int n = 0; n < 32; ++n)
        EXPECT_EQ(tagOf("TAB_CTRL_" + std::to_string(n)), 65536 + n) << n;
    EXPECT_EQ(tags.size(), 16u + fixed.size() + 32u) << "a duplicate or stray tag name";
}

TEST_F(TarnDescription, EveryNameAViewUsesIsDefined)
{
    const auto tags = table("control-tags", "control-tag", "tag");
    const auto bitmaps = table("bitmaps", "bitmap", "path");
    const auto fonts = table("fonts", "font", "font-name");
    const auto colours = table("colors", "color", "rgba");
    for (const pugi::xml_node& n : viewElements())
    {
        SCOPED_TRACE(describe(n));
        for (const pugi::xml_attribute& a : n.attributes())
        {
            const std::string key = a.name();
            const std::string value = a.value();
            const bool colour =
                key.find("color") != std::string::npos && key != "background-color-draw-style";
            if (key == "control-tag")
            {
                EXPECT_TRUE(tags.count(value)) << "unknown control tag " << value;
            }
            else if ((key == "bitmap" || key == "handle-bitmap") && !value.empty())
            {
                EXPECT_TRUE(bitmaps.count(value)) << "unknown bitmap " << value;
            }
            else if (key == "font")
            {
                EXPECT_TRUE(fonts.count(value) || kPredefinedFonts.count(value)) << value;
            }
            else if (colour)
            {
                EXPECT_TRUE(colours.count(value) || kPredefinedColours.count(value)
                            || isHexColour(value, 6, false) || isHexColour(value, 8, false))
                    << key << " " << value;
            }
            else if (key == "template")
            {
                EXPECT_TRUE(m_root.find_child_by_attribute("template", "name", value.c_str()))
                    << "unknown template " << value;
            }
        }
    }
}

TEST_F(TarnDescription, BitmapTableNamesTheGeneratedFiles)
{
    const auto bitmaps = table("bitmaps", "bitmap", "path");
    const std::set<std::string> expected = {"vsbackground", "vshandle", "chickenhead2"};
    std::set<std::string> names;
    for (const auto& [name, path] : bitmaps)
    {
        names.insert(name);
        EXPECT_EQ(path, name + ".png");
        EXPECT_TRUE(PngImage(kResourceDir + "/" + path).ok()) << path;
        EXPECT_TRUE(PngImage(kResourceDir + "/" + name + "#2x.png").ok()) << name << "#2x.png";
    }
    EXPECT_EQ(names, expected);
}

TEST_F(TarnDescription, ValuesUseTheSyntaxTheLoaderParses)
{
    enum Kind { Point, Number, Integer, Bool };
    const std::map<std::string, Kind> kinds = {
        {"origin", Point}, {"size", Point}, {"minSize", Point}, {"maxSize", Point},
        {"handle-offset", Point}, {"min-value", Number}, {"max-value", Number},
        {"default-value", Number}, {"wheel-inc-value", Number}, {"zoom-factor", Number},
        {"height-of-one-image", Integer}, {"sub-pixmaps", Integer},
        {"value-precision", Integer}, {"transparent", Bool}, {"transparent-handle", Bool},
        {"immediate-text-change", Bool}, {"reverse-orientation", Bool},
        {"style-no-frame", Bool}, {"draw-back", Bool}, {"draw-frame", Bool},
        {"draw-value", Bool}};
    for (const pugi::xml_node& n : viewElements())
    {
        SCOPED_TRACE(describe(n));
        for (const pugi::xml_attribute& a : n.attributes())
        {
            const auto kind = kinds.find(a.name());
            if (kind == kinds.end())
                continue;
            const std::string value = a.value();
            double x = 0, y = 0;
            bool parses = false;
            switch (kind->second)
            {
            case Point: parses = UiDescriptionResolver::parsePoint(value, x, y); break;
            case Number: parses = UiDescriptionResolver::parseNumber(value, x); break;
            case Integer: parses = isInteger(value, true); break;
            case Bool: parses = value == "true" || value == "false"; break;
            }
            EXPECT_TRUE(parses) << a.name() << "=\"" << value << "\"";
        }
    }
    // The enumerations fall back silently to another choice when misspelt.
    for (const pugi::xpath_node& s : m_root.select_nodes("//view[@class='CSlider']"))
    {
        EXPECT_STREQ(s.node().attribute("orientation").value(), "vertical");
        EXPECT_STREQ(s.node().attribute("mode").value(), "free click");
    }
}

TEST_F(TarnDescription, EditorHasAFixedSize)
{
    const pugi::xml_node editor = m_root.find_child_by_attribute("template", "name", "Editor");
    ASSERT_TRUE(editor);
    for (const char* key : {"size", "minSize", "maxSize"})
        EXPECT_STREQ(editor.attribute(key).value(), "926, 213") << key;
}

TEST_F(TarnDescription, FifteenSlidersInFrequencyOrderWithTheirEditsAndNames)
{
    const std::vector<ResolvedView> views = editor();
    std::map<int, const ResolvedView*> sliders;
    for (const ResolvedView& v : views)
        if (v.viewClass == "CSlider")
            sliders[tagOf(v.attributes.at("control-tag"))] = &v;
    ASSERT_EQ(sliders.size(), 15u);
    for (int k = 0; k < 15; ++k)
    {
        SCOPED_TRACE("band " + kBands[static_cast<size_t>(k)]);
        ASSERT_TRUE(sliders.count(k));
        // Groups sit 50 apart from x = 35 at y = 30; the slider is 22, 22 into its group.
        const ResolvedView& slider = *sliders[k];
        ASSERT_GE(slider.parent, 0);
        const ResolvedView& group = views[static_cast<size_t>(slider.parent)];
        EXPECT_EQ(group.x, 35 + 50 * k);
        EXPECT_EQ(group.y, 30);
        EXPECT_EQ(slider.x, 35 + 50 * k + 22);
        EXPECT_EQ(slider.y, 52);
        EXPECT_EQ(slider.width, 32);
        EXPECT_EQ(slider.height, 95);
        EXPECT_EQ(slider.attributes.at("bitmap"), "vsbackground");
        EXPECT_EQ(slider.attributes.at("handle-bitmap"), "vshandle");
        EXPECT_EQ(slider.attributes.at("reverse-orientation"), "false");

        // Its group shows the band's name above it and a value field below it, on the
        // same parameter.
        int labels = 0, edits = 0;
        for (const ResolvedView& v : views)
        {
            if (v.parent != slider.parent)
                continue;
            if (v.viewClass == "CTextLabel")
            {
                ++labels;
                EXPECT_EQ(v.attributes.at("title"), kBands[static_cast<size_t>(k)]);
                EXPECT_LT(v.y + v.height, slider.y);
            }
            if (v.viewClass == "CTextEdit")
            {
                ++edits;
                EXPECT_EQ(tagOf(v.attributes.at("control-tag")), k);
                EXPECT_GT(v.y, slider.y + slider.height);
                EXPECT_LE(v.y + v.height, 213);
            }
        }
        EXPECT_EQ(labels, 1);
        EXPECT_EQ(edits, 1);
    }
}

TEST_F(TarnDescription, GainKnobShowsEveryFrameOfItsStrip)
{
    const std::vector<ResolvedView> views = editor();
    std::vector<const ResolvedView*> knobs;
    for (const ResolvedView& v : views)
        if (v.viewClass == "CAnimKnob")
            knobs.push_back(&v);
    ASSERT_EQ(knobs.size(), 1u);
    const ResolvedView& knob = *knobs.front();
    EXPECT_EQ(knob.x, 831);
    EXPECT_EQ(knob.y, 77);
    EXPECT_EQ(tagOf(knob.attributes.at("control-tag")), 15);

    // The knob picks frames of height-of-one-image from the bitmap; sub-pixmaps is
    // recomputed from the bitmap's height, so the strip itself must hold 80 frames.
    const int frameHeight = std::stoi(knob.attributes.at("height-of-one-image"));
    const PngImage strip(kResourceDir + "/" + knob.attributes.at("bitmap") + ".png");
    ASSERT_TRUE(strip.ok());
    EXPECT_EQ(frameHeight, knob.height);
    EXPECT_EQ(strip.width(), knob.width);
    EXPECT_EQ(strip.height() % frameHeight, 0);
    EXPECT_EQ(strip.height() / frameHeight, 80);
    EXPECT_EQ(std::stoi(knob.attributes.at("sub-pixmaps")), 80);
}

TEST_F(TarnDescription, LabelsAndTheirTexts)
{
    std::map<std::string, std::pair<double, double>> labels;
    for (const ResolvedView& v : editor())
        if (v.viewClass == "CTextLabel" && v.width > 75)
            labels[v.attributes.at("title")] = {v.x, v.y};
    const std::map<std::string, std::pair<double, double>> expected = {
        {std::string("Corvale V") + CORVALE_VERSION, {55, 175}},
        {"Brackwater", {770, 175}},
        {"dB", {370, 175}}};
    EXPECT_EQ(labels, expected);
}

TEST_F(TarnDescription, EveryControlLiesInsideTheEditor)
{
    for (const ResolvedView& v : editor())
    {
        if (!v.attributes.count("control-tag"))
            continue;
        SCOPED_TRACE(v.viewClass + " " + v.attributes.at("control-tag"));
        EXPECT_GE(v.x, 0);
        EXPECT_GE(v.y, 0);
        EXPECT_LE(v.x + v.width, 926);
        EXPECT_LE(v.y + v.height, 213);
    }
}
