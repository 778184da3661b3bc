#include "uidesc_resolver.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace {

std::map<std::string, std::string> attributesOf(const pugi::xml_node& node)
{
    std::map<std::string, std::string> attributes;
    for (const pugi::xml_attribute& a : node.attributes())
        attributes.emplace(a.name(), a.value());  // first of a duplicate wins
    return attributes;
}

} // namespace

bool UiDescriptionResolver::parseNumber(const std::string& text, double& value)
{
    std::string digits;
    for (char c : text)
    {
        if (c == ' ' || c == '\t')
            continue;
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.'))
            return false;
        digits += c;
    }
    if (digits.empty() || std::count(digits.begin(), digits.end(), '.') > 1)
        return false;
    char* end = nullptr;
    value = std::strtod(digits.c_str(), &end);
    return end == digits.c_str() + digits.size();
}

UiDescriptionResolver::UiDescriptionResolver(const pugi::xml_node& root) : m_root(root) {}

bool UiDescriptionResolver::parsePoint(const std::string& text, double& x, double& y)
{
    const size_t comma = text.find(',');
    if (comma == std::string::npos || text.find(',', comma + 1) != std::string::npos)
        return false;
    return parseNumber(text.substr(0, comma), x) && parseNumber(text.substr(comma + 1), y);
}

pugi::xml_node UiDescriptionResolver::findTemplate(const std::string& name) const
{
    for (const pugi::xml_node& t : m_root.children("template"))
        if (name == t.attribute("name").value())
            return t;
    return {};
}

std::vector<ResolvedView> UiDescriptionResolver::resolve(const std::string& name) const
{
    const pugi::xml_node root = findTemplate(name);
    if (!root)
        throw ResolveError("no template \"" + name + "\"");
    std::vector<ResolvedView> views;
    std::vector<std::string> stack{name};
    build(root, 0, 0, -1, stack, views);
    views.front().templateName = name;
    return views;
}

void UiDescriptionResolver::build(const pugi::xml_node& node, double parentX, double parentY,
                                  int parent, std::vector<std::string>& templateStack,
                                  std::vector<ResolvedView>& out) const
{
    ResolvedView view;
    pugi::xml_node content = node;
    const std::string referenced = node.attribute("template").value();
    if (!referenced.empty())
    {
        if (std::find(templateStack.begin(), templateStack.end(), referenced) != templateStack.end())
            throw ResolveError("template \"" + referenced + "\" contains itself");
        content = findTemplate(referenced);
        if (!content)
            throw ResolveError("no template \"" + referenced + "\"");
        view.attributes = attributesOf(content);
        view.templateName = referenced;
        // The reference's attributes win, except that it cannot change the class.
        for (const auto& [key, value] : attributesOf(node))
            if (key != "class")
                view.attributes[key] = value;
    }
    else
    {
        view.attributes = attributesOf(node);
    }
    const auto cls = view.attributes.find("class");
    view.viewClass = cls == view.attributes.end() ? "CViewContainer" : cls->second;

    double ox = 0, oy = 0, w = 0, h = 0;
    const auto origin = view.attributes.find("origin");
    if (origin != view.attributes.end() && !parsePoint(origin->second, ox, oy))
        throw ResolveError("origin \"" + origin->second + "\" is not \"x, y\"");
    const auto size = view.attributes.find("size");
    if (size != view.attributes.end() && !parsePoint(size->second, w, h))
        throw ResolveError("size \"" + size->second + "\" is not \"x, y\"");
    view.x = parentX + ox;
    view.y = parentY + oy;
    view.width = w;
    view.height = h;
    view.parent = parent;

    const int self = static_cast<int>(out.size());
    out.push_back(view);
    if (!referenced.empty())
        templateStack.push_back(referenced);
    for (const pugi::xml_node& child : content.children("view"))
        build(child, view.x, view.y, self, templateStack, out);
    if (!referenced.empty())
        templateStack.pop_back();
}
