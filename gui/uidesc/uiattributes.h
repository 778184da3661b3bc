// UIAttributes: the attributes of one description entry, name to text, in the
// order they were given. The typed getters answer false for a missing or
// malformed value.
#pragma once

#include "gui/base/crect.h"

#include <string>
#include <utility>
#include <vector>

namespace VSTGUI {

class UIAttributes
{
public:
    using Entry = std::pair<std::string, std::string>;

    bool hasAttribute(const std::string& name) const { return find(name) != nullptr; }
    /// The attribute's text, or null when it is absent. [any]
    const std::string* getAttributeValue(const std::string& name) const { return find(name); }
    /// Sets (or replaces) an attribute. [any]
    void setAttribute(const std::string& name, const std::string& value);
    /// Sets an attribute only when it is absent (a repeated attribute: the first wins).
    void addIfAbsent(const std::string& name, const std::string& value);
    void removeAttribute(const std::string& name);

    bool getPointAttribute(const std::string& name, CPoint& out) const;
    bool getRectAttribute(const std::string& name, CRect& out) const;
    bool getDoubleAttribute(const std::string& name, double& out) const;
    bool getIntegerAttribute(const std::string& name, int32_t& out) const;
    bool getBooleanAttribute(const std::string& name, bool& out) const;

    size_t size() const { return entries.size(); }
    std::vector<Entry>::const_iterator begin() const { return entries.begin(); }
    std::vector<Entry>::const_iterator end() const { return entries.end(); }

private:
    const std::string* find(const std::string& name) const;

    std::vector<Entry> entries;
};

} // namespace VSTGUI
