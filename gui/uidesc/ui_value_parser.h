// Parsing the value texts of a UI description. Each function answers false for
// a text it does not accept, leaving the output untouched, so a malformed value
// keeps whatever the view had.
#pragma once

#include "gui/base/ccolor.h"
#include "gui/base/crect.h"

#include <functional>
#include <string>

namespace VSTGUI {
namespace UIValueParser {

/// A number made of digits, sign, one '.', and an 'e' after the dot; spaces around are ignored.
bool parseDouble(const std::string& text, double& out);
/// Digits with an optional sign only ("42.0" is refused).
bool parseInteger(const std::string& text, int32_t& out);
/// The leading decimal integer ("2.5" gives 2); false when the text has none.
bool parseLeadingInteger(const std::string& text, int32_t& out);
/// "x, y": exactly one comma, each part a number.
bool parsePoint(const std::string& text, CPoint& out);
/// "l, t, r, b": each part a number.
bool parseRect(const std::string& text, CRect& out);
/// Exactly "true" or "false".
bool parseBool(const std::string& text, bool& out);
/// "#rrggbb" (alpha 255) or "#rrggbbaa".
bool parseHexColor(const std::string& text, CColor& out);
/// A control-tag value: a decimal integer, a 'abcd' four-character code, or an
/// expression of numbers and variables with + - * / and parentheses. -1 when
/// none of these; `variable` resolves a name to a number (false: unknown).
int32_t parseTag(const std::string& text,
                 const std::function<bool(const std::string&, double&)>& variable);

} // namespace UIValueParser
} // namespace VSTGUI
