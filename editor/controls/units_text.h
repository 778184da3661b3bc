// The units texts the framework's text views append to what they show.
#pragma once

#include <string>

namespace VSTGUI {

/// `units` without the spaces, tabs, carriage returns and line feeds around it;
/// empty for null. [any]
std::string trimUnits(const char* units);

/// `text` followed by one space and `units`; `text` unchanged when `units` is empty
/// or `text` already ends with that suffix, so an entry typed with its units (or a
/// text shown once more) does not get them twice. [any]
std::string appendUnits(const std::string& text, const std::string& units);

} // namespace VSTGUI
