// UTF-16 <-> UTF-8 for the host library.
#include "host/string_convert.h"

namespace corvale::host {

std::string toUtf8(const Steinberg::Vst::TChar* text, std::size_t maxChars)
{
    std::string out;
    if (text == nullptr)
        return out;
    for (std::size_t i = 0; i < maxChars && text[i] != 0; ++i)
    {
        char32_t c = static_cast<char16_t>(text[i]);
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < maxChars)
        {
            const char32_t low = static_cast<char16_t>(text[i + 1]);
            if (low >= 0xDC00 && low < 0xE000)
            {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (c < 0x80)
        {
            out += static_cast<char>(c);
        }
        else if (c < 0x800)
        {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
        else if (c < 0x10000)
        {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
        else
        {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

void toString128(const std::string& text, Steinberg::Vst::String128 out)
{
    // Decodes UTF-8; malformed bytes are passed through as single code units.
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size() && n < 127;)
    {
        const auto byte = static_cast<unsigned char>(text[i]);
        char32_t c = byte;
        std::size_t len = 1;
        if (byte >= 0xF0)
        {
            c = byte & 0x07;
            len = 4;
        }
        else if (byte >= 0xE0)
        {
            c = byte & 0x0F;
            len = 3;
        }
        else if (byte >= 0xC0)
        {
            c = byte & 0x1F;
            len = 2;
        }
        if (len > 1 && i + len <= text.size())
        {
            for (std::size_t k = 1; k < len; ++k)
                c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        else
        {
            c = byte;
            len = 1;
        }
        i += len;
        if (c >= 0x10000)
        {
            if (n + 2 > 127)
                break;
            c -= 0x10000;
            out[n++] = static_cast<Steinberg::Vst::TChar>(0xD800 + (c >> 10));
            out[n++] = static_cast<Steinberg::Vst::TChar>(0xDC00 + (c & 0x3FF));
        }
        else
        {
            out[n++] = static_cast<Steinberg::Vst::TChar>(c);
        }
    }
    out[n] = 0;
}

} // namespace corvale::host
