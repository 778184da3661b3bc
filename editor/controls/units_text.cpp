#include "editor/controls/units_text.h"

namespace VSTGUI {

namespace {

constexpr const char* kBlanks = " \t\r\n";

bool endsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size()
           && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace

std::string trimUnits(const char* units)
{
    if (!units)
        return {};
    const std::string s(units);
    const size_t first = s.find_first_not_of(kBlanks);
    if (first == std::string::npos)
        return {};
    const size_t last = s.find_last_not_of(kBlanks);
    return s.substr(first, last - first + 1);
}

std::string appendUnits(const std::string& text, const std::string& units)
{
    if (units.empty())
        return text;
    const std::string suffix = " " + units;
    return endsWith(text, suffix) ? text : text + suffix;
}

} // namespace VSTGUI
