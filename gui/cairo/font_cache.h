// FontCache: turns CFontDesc requests into cairo font faces through fontconfig,
// once per face and style. A face that is not installed falls back, in order, to
// the request's alternative names, to a metric-compatible stand-in, then to the
// system's sans face, keeping size and style. One cache per frame: nothing here
// is shared between editors.
#pragma once

#include "gui/base/cfontdesc.h"

#include <map>
#include <string>

typedef struct _cairo_font_face cairo_font_face_t;

namespace VSTGUI {

class FontCache
{
public:
    FontCache() = default;
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;
    ~FontCache();

    /// The cairo face for `font` (owned by the cache). [UI thread]
    cairo_font_face_t* getFace(const CFontDesc& font);
    /// The family fontconfig picked for `font`, e.g. "Liberation Sans". [UI thread]
    std::string getResolvedFamily(const CFontDesc& font);

private:
    struct Entry
    {
        cairo_font_face_t* face = nullptr;
        std::string family;
    };
    const Entry& resolve(const CFontDesc& font);

    std::map<std::string, Entry> entries;
};

} // namespace VSTGUI
