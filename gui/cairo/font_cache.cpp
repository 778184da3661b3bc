#include "gui/cairo/font_cache.h"

#include <cairo-ft.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <cstring>
#include <vector>

namespace VSTGUI {

namespace {

// Faces that descriptions written on other systems name, and the free faces
// with the same metrics (or the closest look) that the project installs.
const char* standIn(const std::string& face)
{
    static const struct
    {
        const char* face;
        const char* standIn;
    } kTable[] = {
        {"Arial", "Liberation Sans"},           {"Helvetica", "Liberation Sans"},
        {"Microsoft Sans Serif", "Liberation Sans"}, {"Verdana", "DejaVu Sans"},
        {"Tahoma", "DejaVu Sans"},              {"Times New Roman", "Liberation Serif"},
        {"Courier New", "Liberation Mono"},
    };
    for (const auto& e : kTable)
        if (strcasecmp(e.face, face.c_str()) == 0)
            return e.standIn;
    return nullptr;
}

std::string trim(const std::string& s)
{
    const auto b = s.find_first_not_of(" \t");
    if (b == std::string::npos)
        return {};
    const auto e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

std::vector<std::string> familiesFor(const CFontDesc& font)
{
    std::vector<std::string> families;
    auto add = [&](const std::string& f) {
        if (f.empty())
            return;
        families.push_back(f);
        if (const char* s = standIn(f))
            families.push_back(s);
    };
    add(trim(font.getName()));
    const std::string& alts = font.getAlternativeNames();
    size_t start = 0;
    while (start <= alts.size())
    {
        const size_t comma = alts.find(',', start);
        add(trim(alts.substr(start, comma == std::string::npos ? std::string::npos : comma - start)));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    families.push_back("sans-serif");
    return families;
}

} // namespace

FontCache::~FontCache()
{
    for (auto& e : entries)
        cairo_font_face_destroy(e.second.face);
}

const FontCache::Entry& FontCache::resolve(const CFontDesc& font)
{
    const bool bold = (font.getStyle() & kBoldFace) != 0;
    const bool italic = (font.getStyle() & kItalicFace) != 0;
    const std::string key = font.getName() + '\n' + font.getAlternativeNames() + '\n' +
                            (bold ? 'b' : '-') + (italic ? 'i' : '-');
    auto it = entries.find(key);
    if (it != entries.end())
        return it->second;

    FcPattern* pattern = FcPatternCreate();
    for (const auto& f : familiesFor(font))
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(f.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);

    Entry entry;
    if (match)
    {
        FcChar8* family = nullptr;
        if (FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch && family)
            entry.family = reinterpret_cast<const char*>(family);
        entry.face = cairo_ft_font_face_create_for_pattern(match);
        FcPatternDestroy(match);
    }
    else
    {
        // No font configuration at all: cairo's own default face.
        entry.face = cairo_toy_font_face_create("sans-serif",
                                                italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                                                bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    }
    FcPatternDestroy(pattern);
    return entries.emplace(key, entry).first->second;
}

cairo_font_face_t* FontCache::getFace(const CFontDesc& font)
{
    return resolve(font).face;
}

std::string FontCache::getResolvedFamily(const CFontDesc& font)
{
    return resolve(font).family;
}

} // namespace VSTGUI
