// UIDescription's reader of the resource tables, tags, variables and templates.
#include "gui/uidesc/ui_value_parser.h"
#include "gui/uidesc/uidescription.h"
#include "gui/uidesc/uidescription_entries.h"

#include <algorithm>
#include <cstring>

namespace VSTGUI {

namespace {

struct Section
{
    const char* name;
    const char* item;  // null: any content
};

const Section kSections[] = {
    {"bitmaps", "bitmap"},  {"fonts", "font"},          {"colors", "color"},
    {"gradients", "gradient"}, {"control-tags", "control-tag"}, {"variables", "var"},
    {"custom", nullptr},    {"template", nullptr},
};

} // namespace

UIAttributes UIDescription::attributesOf(const pugi::xml_node& node, bool substituteVariables) const
{
    UIAttributes attributes;
    for (const pugi::xml_attribute& a : node.attributes())
    {
        std::string value = a.value();
        if (substituteVariables)
        {
            auto it = variables.find(value);
            if (it != variables.end())
                value = it->second;
        }
        attributes.addIfAbsent(a.name(), value);
    }
    return attributes;
}

bool UIDescription::parseTables()
{
    const pugi::xml_node root = document->document_element();
    if (std::strcmp(root.name(), "vstgui-ui-description") != 0)
    {
        logError(std::string("root element is <") + root.name() + ">, not <vstgui-ui-description>");
        return false;
    }
    for (const pugi::xml_node& section : root.children())
    {
        if (section.type() != pugi::node_element)
            continue;
        const Section* known = nullptr;
        for (const auto& s : kSections)
            if (std::strcmp(section.name(), s.name) == 0)
                known = &s;
        if (!known)
        {
            logError(std::string("unknown element <") + section.name() + ">");
            return false;
        }
        if (known->item)
            for (const pugi::xml_node& item : section.children())
                if (item.type() == pugi::node_element && std::strcmp(item.name(), known->item) != 0)
                {
                    logError(std::string("unknown element <") + item.name() + "> in <" + known->name + ">");
                    return false;
                }
        const std::string sectionName = section.name();
        if (sectionName == "template")
        {
            const std::string templateName = section.attribute("name").value();
            if (!templates.count(templateName))
            {
                templates.emplace(templateName, section);
                templateAttributes.emplace(templateName, attributesOf(section, false));
            }
            continue;
        }
        for (const pugi::xml_node& item : section.children())
        {
            if (item.type() != pugi::node_element)
                continue;
            const UIAttributes a = attributesOf(item, false);
            const std::string* itemName = a.getAttributeValue("name");
            if (!itemName)
                continue;
            const std::string& n = *itemName;
            if (sectionName == "bitmaps" && !bitmaps.count(n))
            {
                auto entry = std::make_unique<BitmapEntry>();
                if (const std::string* p = a.getAttributeValue("path"))
                    entry->path = *p;
                CRect offsets;
                if (a.getRectAttribute("nineparttiled-offsets", offsets))
                {
                    entry->ninePart = true;
                    entry->offsets = {offsets.left, offsets.top, offsets.right, offsets.bottom};
                }
                const pugi::xml_node data = item.child("data");
                if (data && std::strcmp(data.attribute("encoding").as_string("base64"), "base64") == 0)
                    entry->base64 = data.text().get();
                bitmaps.emplace(n, std::move(entry));
            }
            else if (sectionName == "fonts" && !fonts.count(n))
            {
                int32_t size = 12;
                if (const std::string* s = a.getAttributeValue("size"))
                    UIValueParser::parseLeadingInteger(*s, size);
                int32_t style = 0;
                const struct
                {
                    const char* attr;
                    int32_t bit;
                } kStyles[] = {{"bold", kBoldFace},
                               {"italic", kItalicFace},
                               {"underline", kUnderlineFace},
                               {"strike-through", kStrikethroughFace}};
                for (const auto& s : kStyles)
                    if (const std::string* v = a.getAttributeValue(s.attr))
                        if (*v == "true")
                            style |= s.bit;
                const std::string* face = a.getAttributeValue("font-name");
                auto font = owned(new CFontDesc(face ? *face : "", size, style));
                if (const std::string* alt = a.getAttributeValue("alternative-font-names"))
                    font->setAlternativeNames(*alt);
                fonts.emplace(n, font);
            }
            else if (sectionName == "colors" && !colors.count(n))
            {
                CColor c(255, 255, 255, 255);
                int32_t component;
                if (a.getIntegerAttribute("red", component))
                    c.red = static_cast<uint8_t>(std::min(255, std::max(0, component)));
                if (a.getIntegerAttribute("green", component))
                    c.green = static_cast<uint8_t>(std::min(255, std::max(0, component)));
                if (a.getIntegerAttribute("blue", component))
                    c.blue = static_cast<uint8_t>(std::min(255, std::max(0, component)));
                if (a.getIntegerAttribute("alpha", component))
                    c.alpha = static_cast<uint8_t>(std::min(255, std::max(0, component)));
                CColor parsedColor;
                if (const std::string* rgb = a.getAttributeValue("rgb"))
                    if (rgb->size() == 7 && UIValueParser::parseHexColor(*rgb, parsedColor))
                        c = parsedColor;
                if (const std::string* rgba = a.getAttributeValue("rgba"))
                    if (rgba->size() == 9 && UIValueParser::parseHexColor(*rgba, parsedColor))
                        c = parsedColor;
                colors.emplace(n, c);
            }
            else if (sectionName == "gradients" && !gradients.count(n))
            {
                std::vector<GradientStop> stops;
                for (const pugi::xml_node& stop : item.children("color-stop"))
                {
                    GradientStop s;
                    const UIAttributes sa = attributesOf(stop, false);
                    const std::string* rgba = sa.getAttributeValue("rgba");
                    if (rgba && UIValueParser::parseHexColor(*rgba, s.color) &&
                        sa.getDoubleAttribute("start", s.start))
                        stops.push_back(s);
                }
                if (stops.size() >= 2)
                    gradients.emplace(n, stops);
            }
            else if (sectionName == "control-tags" && !controlTags.count(n))
            {
                const std::string* tag = a.getAttributeValue("tag");
                controlTags.emplace(n, tag ? *tag : "");
            }
            else if (sectionName == "variables" && !variables.count(n))
            {
                const std::string* value = a.getAttributeValue("value");
                variables.emplace(n, value ? *value : "");
            }
            else if (sectionName == "custom" && std::strcmp(item.name(), "attributes") == 0 &&
                     !customAttributes.count(n))
                customAttributes.emplace(n, a);
        }
    }
    return true;
}

} // namespace VSTGUI
