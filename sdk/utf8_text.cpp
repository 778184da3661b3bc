// UTF-8 <-> UTF-16 for String128 texts, written out so that malformed input gets
// a replacement character instead of an exception, and nothing allocates.
#include "sdk/utf8_text.h"

#include <cstdint>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point at *p and advances p past it.
char32_t decodeUtf8(const unsigned char*& p)
{
    const unsigned char lead = *p++;
    if (lead < 0x80)
        return lead;
    int extra = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0)
    {
        extra = 1;
        cp = lead & 0x1F;
        minimum = 0x80;
    }
    else if ((lead & 0xF0) == 0xE0)
    {
        extra = 2;
        cp = lead & 0x0F;
        minimum = 0x800;
    }
    else if ((lead & 0xF8) == 0xF0)
    {
        extra = 3;
        cp = lead & 0x07;
        minimum = 0x10000;
    }
    else
        return kReplacement;
    for (int i = 0; i < extra; ++i)
    {
        if ((*p & 0xC0) != 0x80)  // also stops at the terminator
            return kReplacement;
        cp = (cp << 6) | (*p++ & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not characters.
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return kReplacement;
    return cp;
}

}  // namespace

void utf8ToString128(const char* utf8, String128 text)
{
    constexpr int32 kCapacity = 128;
    int32 length = 0;
    const auto* p = reinterpret_cast<const unsigned char*>(utf8 ? utf8 : "");
    while (*p)
    {
        const char32_t cp = decodeUtf8(p);
        const int32 units = cp >= 0x10000 ? 2 : 1;
        if (length + units > kCapacity - 1)
            break;
        if (units == 2)
        {
            const char32_t v = cp - 0x10000;
            text[length++] = static_cast<TChar>(0xD800 + (v >> 10));
            text[length++] = static_cast<TChar>(0xDC00 + (v & 0x3FF));
        }
        else
            text[length++] = static_cast<TChar>(cp);
    }
    text[length] = 0;
}

void utf16ToUtf8(const TChar* text, char* utf8, size_t utf8Size)
{
    if (!utf8 || utf8Size == 0)
        return;
    size_t length = 0;
    for (const TChar* p = text; p && *p; ++p)
    {
        char32_t cp = static_cast<char16_t>(*p);
        if (cp >= 0xD800 && cp <= 0xDBFF && p[1] >= 0xDC00 && p[1] <= 0xDFFF)
        {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (static_cast<char16_t>(p[1]) - 0xDC00);
            ++p;
        }
        else if (cp >= 0xD800 && cp <= 0xDFFF)
            cp = kReplacement;

        unsigned char bytes[4];
        size_t count = 0;
        if (cp < 0x80)
            bytes[count++] = static_cast<unsigned char>(cp);
        else if (cp < 0x800)
        {
            bytes[count++] = static_cast<unsigned char>(0xC0 | (cp >> 6));
            bytes[count++] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
        }
        else if (cp < 0x10000)
        {
            bytes[count++] = static_cast<unsigned char>(0xE0 | (cp >> 12));
            bytes[count++] = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
            bytes[count++] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
        }
        else
        {
            bytes[count++] = static_cast<unsigned char>(0xF0 | (cp >> 18));
            bytes[count++] = static_cast<unsigned char>(0x80 | ((cp >> 12) & 0x3F));
            bytes[count++] = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
            bytes[count++] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
        }
        if (length + count > utf8Size - 1)
            break;
        for (size_t i = 0; i < count; ++i)
            utf8[length++] = static_cast<char>(bytes[i]);
    }
    utf8[length] = '\0';
}

}  // namespace Rive2ZOD3
}  // namespace Vst
}  // namespace Steinberg
