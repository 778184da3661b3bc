// UiDescriptionResolver: lays out a template of a UI description the way the editor's
// loader builds it, as a flat list of views with their rectangles in the template's
// coordinates. A test oracle, kept to the rules of the format:
// - a child's origin is relative to its parent container's top-left;
// - a view with `template="X"` is template X's root with every attribute of the
//   referencing element applied over it (origin, size, colours...), X's children as its
//   children, and the referencing element's own children ignored;
// - `origin` and `size` are "x, y"; a missing one counts as 0, 0.
#pragma once

#include <pugixml.hpp>

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

struct ResolvedView
{
    std::string viewClass;   ///< "CViewContainer" when the element names none
    double x = 0, y = 0;     ///< top-left in the resolved template's coordinates
    double width = 0, height = 0;
    std::map<std::string, std::string> attributes;  ///< after template overrides
    int parent = -1;         ///< index in the list; -1 for the template's root
    std::string templateName;  ///< template this view is the root of, if any
};

/// Thrown for a description the loader could not lay out: a missing template, a template
/// that contains itself, an origin or size that is not "x, y".
struct ResolveError : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

class UiDescriptionResolver
{
public:
    /// Reads the templates of `root` (a vstgui-ui-description element). [main]
    explicit UiDescriptionResolver(const pugi::xml_node& root);

    /// Views of template `name`, parents before children, in drawing order. [main]
    std::vector<ResolvedView> resolve(const std::string& name) const;

    /// A number as the loader reads one: digits, a sign and one point, blanks ignored. [any]
    static bool parseNumber(const std::string& text, double& value);

    /// "x, y" with exactly one comma, numbers of digits, sign and one point. [any]
    static bool parsePoint(const std::string& text, double& x, double& y);

private:
    void build(const pugi::xml_node& node, double parentX, double parentY, int parent,
               std::vector<std::string>& templateStack, std::vector<ResolvedView>& out) const;
    pugi::xml_node findTemplate(const std::string& name) const;

    pugi::xml_node m_root;
};
