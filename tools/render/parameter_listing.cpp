// Formatting the parameter and program listing.
#include "parameter_listing.h"

#include <cstdio>
#include <string>

namespace corvale::render {
namespace {

std::string row(const std::string& id, const std::string& title, const std::string& units,
                const std::string& def, const std::string& current)
{
    char line[512];
    std::snprintf(line, sizeof line, "%10s  %-24s  %-8s  %10s  %s", id.c_str(), title.c_str(),
                  units.c_str(), def.c_str(), current.c_str());
    return line;
}

std::string number(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

} // namespace

void printListing(Effect& effect, std::ostream& out)
{
    out << "Parameters of \"" << effect.name() << "\":\n";
    out << row("ID", "Title", "Units", "Default", "Current") << '\n';
    for (const auto& p : effect.parameters())
        out << row(std::to_string(p.id), p.title, p.units, number(p.defaultPlain), p.currentText)
            << '\n';

    const auto programs = effect.programNames();
    if (programs.empty())
    {
        out << "No programs.\n";
        return;
    }
    out << "Programs (\"" << effect.programListName() << "\"):\n";
    for (std::size_t i = 0; i < programs.size(); ++i)
    {
        char index[24];
        std::snprintf(index, sizeof index, "%4zu", i);
        out << index << "  " << programs[i] << '\n';
    }
}

} // namespace corvale::render
