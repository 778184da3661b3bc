#include "gui/uidesc/uiattributes.h"

#include "gui/uidesc/ui_value_parser.h"

#include <algorithm>

namespace VSTGUI {

const std::string* UIAttributes::find(const std::string& name) const
{
    for (const auto& e : entries)
        if (e.first == name)
            return &e.second;
    return nullptr;
}

void UIAttributes::setAttribute(const std::string& name, const std::string& value)
{
    for (auto& e : entries)
        if (e.first == name)
        {
            e.second = value;
            return;
        }
    entries.emplace_back(name, value);
}

void UIAttributes::addIfAbsent(const std::string& name, const std::string& value)
{
    if (!find(name))
        entries.emplace_back(name, value);
}

void UIAttributes::removeAttribute(const std::string& name)
{
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [&](const Entry& e) { return e.first == name; }),
                  entries.end());
}

bool UIAttributes::getPointAttribute(const std::string& name, CPoint& out) const
{
    const std::string* v = find(name);
    return v && UIValueParser::parsePoint(*v, out);
}

bool UIAttributes::getRectAttribute(const std::string& name, CRect& out) const
{
    const std::string* v = find(name);
    return v && UIValueParser::parseRect(*v, out);
}

bool UIAttributes::getDoubleAttribute(const std::string& name, double& out) const
{
    const std::string* v = find(name);
    return v && UIValueParser::parseDouble(*v, out);
}

bool UIAttributes::getIntegerAttribute(const std::string& name, int32_t& out) const
{
    const std::string* v = find(name);
    return v && UIValueParser::parseInteger(*v, out);
}

bool UIAttributes::getBooleanAttribute(const std::string& name, bool& out) const
{
    const std::string* v = find(name);
    return v && UIValueParser::parseBool(*v, out);
}

} // namespace VSTGUI
