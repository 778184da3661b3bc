#include "gui/uidesc/base64.h"

#include <cctype>

namespace VSTGUI {

bool decodeBase64(const std::string& text, std::vector<unsigned char>& out)
{
    out.clear();
    uint32_t buffer = 0;
    int bits = 0;
    size_t symbols = 0;
    bool padding = false;
    for (char c : text)
    {
        if (std::isspace(static_cast<unsigned char>(c)))
            continue;
        if (c == '=')
        {
            padding = true;
            continue;
        }
        int v;
        if (c >= 'A' && c <= 'Z')
            v = c - 'A';
        else if (c >= 'a' && c <= 'z')
            v = c - 'a' + 26;
        else if (c >= '0' && c <= '9')
            v = c - '0' + 52;
        else if (c == '+')
            v = 62;
        else if (c == '/')
            v = 63;
        else
            return false;
        if (padding)
            return false;  // data after padding
        buffer = (buffer << 6) | static_cast<uint32_t>(v);
        bits += 6;
        ++symbols;
        if (bits >= 8)
        {
            bits -= 8;
            out.push_back(static_cast<unsigned char>((buffer >> bits) & 0xFF));
        }
    }
    return symbols % 4 != 1;
}

} // namespace VSTGUI
