#include "gui/uidesc/uidescription.h"

#include "gui/cairo/cbitmap.h"
#include "gui/icontroller.h"
#include "gui/resources/resource_store.h"
#include "gui/uidesc/base64.h"
#include "gui/uidesc/uidescription_entries.h"
#include "gui/uidesc/ui_value_parser.h"

#include <cstdio>
#include <cstring>

namespace VSTGUI {

namespace {

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

} // namespace

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
