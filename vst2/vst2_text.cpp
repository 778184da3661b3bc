#include "vst2/vst2_text.h"

#include <cctype>
#include <cstring>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {
namespace {

char lower(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

} // namespace

void copyVst2Text(char* dest, const char* source, size_t size)
{
    if (dest == nullptr || size == 0)
        return;
    size_t n = 0;
    if (source != nullptr)
        for (; n + 1 < size && source[n] != 0; ++n)
            dest[n] = source[n];
    dest[n] = 0;
}

void copyVst2Text(char* dest, const char16* source, size_t size)
{
    if (dest == nullptr || size == 0)
        return;
    size_t n = 0;
    if (source != nullptr)
        for (; n + 1 < size && source[n] != 0; ++n)
            dest[n] = source[n] < 0x80 ? static_cast<char>(source[n]) : '?';
    dest[n] = 0;
}

bool equalsIgnoringCase(const char* a, const char* b)
{
    if (a == nullptr || b == nullptr)
        return false;
    for (; *a != 0 && *b != 0; ++a, ++b)
        if (lower(*a) != lower(*b))
            return false;
    return *a == *b;
}

bool containsIgnoringCase(const char* text, const char* part)
{
    if (text == nullptr || part == nullptr)
        return false;
    const size_t n = std::strlen(part);
    for (; *text != 0; ++text)
    {
        size_t k = 0;
        while (k < n && text[k] != 0 && lower(text[k]) == lower(part[k]))
            ++k;
        if (k == n)
            return true;
    }
    return n == 0;
}

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
