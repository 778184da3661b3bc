#include "gui/uidesc/uidescription.h"

#include "gui/cairo/cbitmap.h"
#include "gui/cviewcontainer.h"
#include "gui/icontroller.h"
#include "gui/resources/resource_store.h"
#include "gui/uidesc/base64.h"
#include "gui/uidesc/ui_value_parser.h"
#include "gui/uidesc/ui_view_factory.h"

#include <cstdio>
#include <cstring>

namespace VSTGUI {

namespace {

// Deeper nesting than this is refused: no real layout comes near it, and it
// bounds the builder's recursion for hostile input.
constexpr int kMaxNesting = 64;

const struct
{
    const char* name;
    CColor color;
} kPredefinedColors[] = {
    {"~ BlackCColor", kBlackCColor},   {"~ WhiteCColor", kWhiteCColor},
    {"~ GreyCColor", kGreyCColor},     {"~ RedCColor", kRedCColor},
    {"~ GreenCColor", kGreenCColor},   {"~ BlueCColor", kBlueCColor},
    {"~ YellowCColor", kYellowCColor}, {"~ CyanCColor", kCyanCColor},
    {"~ MagentaCColor", kMagentaCColor}, {"~ TransparentCColor", kTransparentCColor},
};

CFontDesc* predefinedFont(const std::string& name)
{
    const struct
    {
        const char* name;
        CFontDesc* font;
    } kFonts[] = {
        {"~ SystemFont", kSystemFont},
        {"~ NormalFontVeryBig", kNormalFontVeryBig},
        {"~ NormalFontBig", kNormalFontBig},
        {"~ NormalFont", kNormalFont},
        {"~ NormalFontSmall", kNormalFontSmall},
        {"~ NormalFontSmaller", kNormalFontSmaller},
        {"~ NormalFontVerySmall", kNormalFontVerySmall},
        {"~ SymbolFont", kSymbolFont},
    };
    for (const auto& f : kFonts)
        if (name == f.name)
            return f.font;
    return nullptr;
}

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

uint32_t fourCharCode(const std::string& id)
{
    uint32_t code = 0;
    for (size_t i = 0; i < 4; ++i)
        code = (code << 8) | (i < id.size() ? static_cast<unsigned char>(id[i]) : ' ');
    return code;
}

void releaseController(IController* c)
{
    if (!c)
        return;
    if (auto* object = dynamic_cast<CBaseObject*>(c))
        object->forget();
    else
        delete c;
}

} // namespace

struct UIDescription::BitmapEntry
{
    std::string path;
    std::string base64;
    bool ninePart = false;
    CNinePartTiledDescription offsets;
};

struct UIDescription::Built
{
    CView* view = nullptr;
    std::string className;
};

UIDescription::UIDescription(const std::string& n) : name(n) {}

UIDescription::UIDescription(const std::string& n, const std::string& xml)
    : name(n), xmlText(xml), fromMemory(true)
{
}

UIDescription::~UIDescription() = default;

void UIDescription::logError(const std::string& message) const
{
    if (!logged.insert(message).second)
        return;
    errors.push_back(message);
    std::fprintf(stderr, "UI description \"%s\": %s\n", name.c_str(), message.c_str());
}

void UIDescription::clear()
{
    bitmaps.clear();
    fonts.clear();
    colors.clear();
    gradients.clear();
    controlTags.clear();
    variables.clear();
    customAttributes.clear();
    templates.clear();
    templateAttributes.clear();
    bitmapCache.clear();
    document.reset();
    parsed = false;
}

bool UIDescription::readBytes(std::vector<unsigned char>& out)
{
    if (fromMemory)
    {
        out.assign(xmlText.begin(), xmlText.end());
        return true;
    }
    if (const ResourceBytes bytes = findEmbeddedResource(name))
    {
        out.assign(bytes.data, bytes.data + bytes.size);
        return true;
    }
    return readWholeFile(name, out);
}

bool UIDescription::parse()
{
    if (parsed)
        return true;
    clear();
    std::vector<unsigned char> bytes;
    if (!readBytes(bytes))
    {
        logError("cannot be read (no such resource or file)");
        return false;
    }
    document = std::make_unique<pugi::xml_document>();
    const pugi::xml_parse_result result = document->load_buffer(bytes.data(), bytes.size());
    if (!result)
    {
        logError(std::string("is not well-formed XML: ") + result.description() + " at byte " +
                 std::to_string(result.offset));
        clear();
        return false;
    }
    if (!parseTables())
    {
        clear();
        return false;
    }
    parsed = true;
    return true;
}

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

bool UIDescription::hasTemplate(UTF8StringPtr templateName) const
{
    return templateName && templates.count(templateName) != 0;
}

std::vector<std::string> UIDescription::getTemplateNames() const
{
    std::vector<std::string> names;
    for (const auto& t : templates)
        names.push_back(t.first);
    return names;
}

const UIAttributes* UIDescription::getTemplateAttributes(UTF8StringPtr templateName) const
{
    if (!templateName)
        return nullptr;
    auto it = templateAttributes.find(templateName);
    return it == templateAttributes.end() ? nullptr : &it->second;
}

CView* UIDescription::createView(UTF8StringPtr templateName, IController* controller)
{
    if (!parsed)
    {
        logError("was not read successfully: no views can be built");
        return nullptr;
    }
    const std::string wanted = templateName ? templateName : "";
    if (!templates.count(wanted))
    {
        logError("has no template \"" + wanted + "\"");
        return nullptr;
    }
    controllerStack.assign(1, controller);
    templatesBeingBuilt.clear();
    const Built built = buildTemplate(wanted, 0);
    controllerStack.clear();
    return built.view;
}

UIDescription::Built UIDescription::buildTemplate(const std::string& templateName, int depth)
{
    auto it = templates.find(templateName);
    if (it == templates.end())
    {
        logError("has no template \"" + templateName + "\"");
        return {};
    }
    for (const auto& t : templatesBeingBuilt)
        if (t == templateName)
        {
            logError("template \"" + templateName + "\" contains itself");
            return {};
        }
    templatesBeingBuilt.push_back(templateName);
    Built built = buildNode(it->second, depth);
    templatesBeingBuilt.pop_back();
    return built;
}

UIDescription::Built UIDescription::buildNode(const pugi::xml_node& node, int depth)
{
    if (depth > kMaxNesting)
    {
        logError("views are nested more than " + std::to_string(kMaxNesting) + " deep");
        return {};
    }
    const UIAttributes attributes = attributesOf(node, true);
    const bool isTemplateElement = std::strcmp(node.name(), "template") == 0;

    // A reference to another template: build it, then let this entry's attributes override.
    if (const std::string* ref = attributes.getAttributeValue("template"); ref && !isTemplateElement)
    {
        Built built = buildTemplate(*ref, depth + 1);
        if (built.view)
            UIViewFactory::applyAttributes(built.view, built.className, attributes, this);
        return built;
    }

    IController* subController = nullptr;
    if (const std::string* sub = attributes.getAttributeValue("sub-controller"))
        if (IController* current = getController())
            subController = current->createSubController(sub->c_str(), this);
    if (subController)
        controllerStack.push_back(subController);

    Built built;
    const std::string* className = attributes.getAttributeValue("class");
    if (IController* current = getController())
        built.view = current->createView(attributes, this);
    if (built.view)
    {
        built.className = className ? *className : "CView";
        if (className)
            UIViewFactory::applyAttributes(built.view, *className, attributes, this);
    }
    else
        built.view = UIViewFactory::createView(className ? *className : "CViewContainer", attributes,
                                               this, &built.className);

    auto* container = dynamic_cast<CViewContainer*>(built.view);
    for (const pugi::xml_node& child : node.children())
    {
        if (child.type() != pugi::node_element)
            continue;
        if (container && std::strcmp(child.name(), "view") == 0)
        {
            const Built c = buildNode(child, depth + 1);
            if (c.view)
                container->addView(c.view);
        }
        else if (std::strcmp(child.name(), "attribute") == 0)
        {
            const std::string value = child.attribute("value").value();
            built.view->setAttribute(fourCharCode(child.attribute("id").value()),
                                     static_cast<uint32_t>(value.size()), value.data());
        }
    }

    if (IController* current = getController())
    {
        CView* verified = current->verifyView(built.view, attributes, this);
        if (verified != built.view)
        {
            // The controller answered another view (or none) and took care of ours.
            built.view = verified;
        }
    }

    if (subController)
    {
        controllerStack.pop_back();
        if (built.view)
            built.view->setController(subController);
        else
            releaseController(subController);
    }
    return built;
}

CBitmap* UIDescription::getBitmap(UTF8StringPtr bitmapName) const
{
    if (!bitmapName)
        return nullptr;
    auto cached = bitmapCache.find(bitmapName);
    if (cached != bitmapCache.end())
        return cached->second;
    auto it = bitmaps.find(bitmapName);
    if (it == bitmaps.end())
    {
        logError(std::string("names bitmap \"") + bitmapName + "\", which its bitmap table lacks");
        return nullptr;
    }
    SharedPointer<CBitmap> bitmap = loadBitmap(bitmapName, *it->second);
    bitmapCache.emplace(bitmapName, bitmap);
    return bitmap;
}

bool UIDescription::readBitmapBytes(const std::string& path, const BitmapEntry* entry,
                                    std::vector<unsigned char>& out) const
{
    out.clear();
    if (!path.empty())
    {
        if (const ResourceBytes bytes = findEmbeddedResource(path))
        {
            out.assign(bytes.data, bytes.data + bytes.size);
            return true;
        }
        // Beside a description read from a file.
        const size_t slash = name.rfind('/');
        if (!fromMemory && slash != std::string::npos && readWholeFile(name.substr(0, slash + 1) + path, out))
            return true;
    }
    return entry && !entry->base64.empty() && decodeBase64(entry->base64, out);
}

SharedPointer<CBitmap> UIDescription::loadBitmap(const std::string& bitmapName,
                                                 const BitmapEntry& entry) const
{
    std::vector<unsigned char> bytes;
    SharedPointer<CBitmap> bitmap;
    if (readBitmapBytes(entry.path, &entry, bytes))
        bitmap = entry.ninePart
                     ? owned<CBitmap>(new CNinePartTiledBitmap(bytes.data(), bytes.size(), entry.offsets))
                     : owned(new CBitmap(bytes.data(), bytes.size()));
    if (!bitmap || !bitmap->isLoaded())
    {
        // The file may be there but broken while the entry carries good data.
        if (!entry.base64.empty() && decodeBase64(entry.base64, bytes))
            bitmap = entry.ninePart
                         ? owned<CBitmap>(new CNinePartTiledBitmap(bytes.data(), bytes.size(), entry.offsets))
                         : owned(new CBitmap(bytes.data(), bytes.size()));
    }
    if (!bitmap || !bitmap->isLoaded())
    {
        logError("bitmap \"" + bitmapName + "\" (\"" + entry.path + "\") cannot be loaded as PNG");
        return {};
    }
    // The double-resolution version: "name#2x.png" or "name_2x.png", embedded or in the table.
    const size_t dot = entry.path.rfind('.');
    for (const char* marker : {"#2x", "_2x"})
    {
        if (entry.path.empty())
            break;
        const std::string hiPath = dot == std::string::npos
                                       ? entry.path + marker
                                       : entry.path.substr(0, dot) + marker + entry.path.substr(dot);
        const BitmapEntry* hiEntry = nullptr;
        for (const auto& b : bitmaps)
            if (b.second->path == hiPath)
                hiEntry = b.second.get();
        if (readBitmapBytes(hiPath, hiEntry, bytes) && bitmap->addHighResolution(bytes.data(), bytes.size()))
            break;
    }
    return bitmap;
}

CFontDesc* UIDescription::getFont(UTF8StringPtr fontName) const
{
    if (!fontName)
        return nullptr;
    if (CFontDesc* f = predefinedFont(fontName))
        return f;
    auto it = fonts.find(fontName);
    return it == fonts.end() ? nullptr : it->second.get();
}

bool UIDescription::getColor(UTF8StringPtr colorName, CColor& color) const
{
    if (!colorName)
        return false;
    for (const auto& c : kPredefinedColors)
        if (std::strcmp(colorName, c.name) == 0)
        {
            color = c.color;
            return true;
        }
    auto it = colors.find(colorName);
    if (it != colors.end())
    {
        color = it->second;
        return true;
    }
    return UIValueParser::parseHexColor(colorName, color);
}

bool UIDescription::getGradient(UTF8StringPtr gradientName, std::vector<GradientStop>& stops) const
{
    auto it = gradientName ? gradients.find(gradientName) : gradients.end();
    if (it == gradients.end())
        return false;
    stops = it->second;
    return true;
}

int32_t UIDescription::getTagForName(UTF8StringPtr tagName) const
{
    if (!tagName)
        return -1;
    int32_t tag = -1;
    auto it = controlTags.find(tagName);
    if (it != controlTags.end())
        tag = UIValueParser::parseTag(it->second, [this](const std::string& var, double& out) {
            auto v = variables.find(var);
            return v != variables.end() && UIValueParser::parseDouble(v->second, out);
        });
    if (IController* c = getController())
        tag = c->getTagForName(tagName, tag);
    return tag;
}

IControlListener* UIDescription::getControlListener(UTF8StringPtr tagName) const
{
    IController* c = getController();
    return c && tagName ? c->getControlListener(tagName) : nullptr;
}

IController* UIDescription::getController() const
{
    return controllerStack.empty() ? nullptr : controllerStack.back();
}

bool UIDescription::getVariable(UTF8StringPtr varName, std::string& value) const
{
    auto it = varName ? variables.find(varName) : variables.end();
    if (it == variables.end())
        return false;
    value = it->second;
    return true;
}

const UIAttributes* UIDescription::getCustomAttributes(UTF8StringPtr setName) const
{
    auto it = setName ? customAttributes.find(setName) : customAttributes.end();
    return it == customAttributes.end() ? nullptr : &it->second;
}

} // namespace VSTGUI
