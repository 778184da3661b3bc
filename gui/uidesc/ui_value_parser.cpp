#include "gui/uidesc/ui_value_parser.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

namespace VSTGUI {
namespace UIValueParser {

namespace {

std::string stripSpaces(const std::string& s)
{
    std::string out;
    for (char c : s)
        if (!std::isspace(static_cast<unsigned char>(c)))
            out += c;
    return out;
}

bool parseParts(const std::string& text, size_t count, double* out)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;)
    {
        const size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    if (parts.size() != count)
        return false;
    double values[4] = {};
    for (size_t i = 0; i < count; ++i)
        if (!parseDouble(parts[i], values[i]))
            return false;
    for (size_t i = 0; i < count; ++i)
        out[i] = values[i];
    return true;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Recursive-descent evaluation of tag expressions.
class Expression
{
public:
    Expression(const std::string& t, const std::function<bool(const std::string&, double&)>& v)
        : text(t), variable(v)
    {
    }

    bool evaluate(double& out)
    {
        if (!sum(out, 0))
            return false;
        skipSpace();
        return pos == text.size();
    }

private:
    static constexpr int kMaxDepth = 64;

    void skipSpace()
    {
        while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos])))
            ++pos;
    }
    bool sum(double& out, int depth)
    {
        if (!product(out, depth))
            return false;
        for (;;)
        {
            skipSpace();
            if (pos >= text.size() || (text[pos] != '+' && text[pos] != '-'))
                return true;
            const char op = text[pos++];
            double rhs;
            if (!product(rhs, depth))
                return false;
            out = op == '+' ? out + rhs : out - rhs;
        }
    }
    bool product(double& out, int depth)
    {
        if (!factor(out, depth))
            return false;
        for (;;)
        {
            skipSpace();
            if (pos >= text.size() || (text[pos] != '*' && text[pos] != '/'))
                return true;
            const char op = text[pos++];
            double rhs;
            if (!factor(rhs, depth))
                return false;
            if (op == '/' && rhs == 0.0)
                return false;
            out = op == '*' ? out * rhs : out / rhs;
        }
    }
    bool factor(double& out, int depth)
    {
        if (depth > kMaxDepth)
            return false;
        skipSpace();
        if (pos >= text.size())
            return false;
        const char c = text[pos];
        if (c == '(')
        {
            ++pos;
            if (!sum(out, depth + 1))
                return false;
            skipSpace();
            if (pos >= text.size() || text[pos] != ')')
                return false;
            ++pos;
            return true;
        }
        if (c == '-' || c == '+')
        {
            ++pos;
            if (!factor(out, depth + 1))
                return false;
            if (c == '-')
                out = -out;
            return true;
        }
        if (std::isdigit(static_cast<unsigned char>(c)) || c == '.')
        {
            const size_t start = pos;
            while (pos < text.size() &&
                   (std::isdigit(static_cast<unsigned char>(text[pos])) || text[pos] == '.'))
                ++pos;
            return parseDouble(text.substr(start, pos - start), out);
        }
        // A variable name: everything up to the next operator or parenthesis.
        const size_t start = pos;
        while (pos < text.size() && std::string("+-*/()").find(text[pos]) == std::string::npos)
            ++pos;
        std::string name = text.substr(start, pos - start);
        while (!name.empty() && std::isspace(static_cast<unsigned char>(name.back())))
            name.pop_back();
        return !name.empty() && variable && variable(name, out);
    }

    const std::string& text;
    const std::function<bool(const std::string&, double&)>& variable;
    size_t pos = 0;
};

} // namespace

bool parseDouble(const std::string& raw, double& out)
{
    const std::string text = stripSpaces(raw);
    if (text.empty())
        return false;
    bool dot = false, digit = false, exponent = false;
    for (size_t i = 0; i < text.size(); ++i)
    {
        const char c = text[i];
        if (std::isdigit(static_cast<unsigned char>(c)))
            digit = true;
        else if (c == '.' && !dot && !exponent)
            dot = true;
        else if (c == 'e' && dot && !exponent)
            exponent = true;
        else if ((c == '+' || c == '-') && (i == 0 || text[i - 1] == 'e'))
            continue;
        else
            return false;
    }
    if (!digit)
        return false;
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !std::isfinite(v))
        return false;
    out = v;
    return true;
}

bool parseInteger(const std::string& raw, int32_t& out)
{
    const std::string text = stripSpaces(raw);
    size_t i = (!text.empty() && (text[0] == '+' || text[0] == '-')) ? 1 : 0;
    if (i >= text.size())
        return false;
    for (size_t j = i; j < text.size(); ++j)
        if (!std::isdigit(static_cast<unsigned char>(text[j])))
            return false;
    const long long v = std::strtoll(text.c_str(), nullptr, 10);
    if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        return false;
    out = static_cast<int32_t>(v);
    return true;
}

bool parseLeadingInteger(const std::string& text, int32_t& out)
{
    const char* s = text.c_str();
    while (std::isspace(static_cast<unsigned char>(*s)))
        ++s;
    const char* digits = s + ((*s == '+' || *s == '-') ? 1 : 0);
    if (!std::isdigit(static_cast<unsigned char>(*digits)))
        return false;
    const long long v = std::strtoll(s, nullptr, 10);
    if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        return false;
    out = static_cast<int32_t>(v);
    return true;
}

bool parsePoint(const std::string& text, CPoint& out)
{
    double v[2] = {};
    if (!parseParts(text, 2, v))
        return false;
    out = CPoint(v[0], v[1]);
    return true;
}

bool parseRect(const std::string& text, CRect& out)
{
    double v[4] = {};
    if (!parseParts(text, 4, v))
        return false;
    out = CRect(v[0], v[1], v[2], v[3]);
    return true;
}

bool parseBool(const std::string& text, bool& out)
{
    if (text == "true")
        out = true;
    else if (text == "false")
        out = false;
    else
        return false;
    return true;
}

bool parseHexColor(const std::string& text, CColor& out)
{
    if ((text.size() != 7 && text.size() != 9) || text[0] != '#')
        return false;
    uint8_t c[4] = {0, 0, 0, 255};
    for (size_t i = 0; i + 1 < text.size(); i += 2)
    {
        const int hi = hexDigit(text[i + 1]), lo = hexDigit(text[i + 2]);
        if (hi < 0 || lo < 0)
            return false;
        c[i / 2] = static_cast<uint8_t>(hi * 16 + lo);
    }
    out = CColor(c[0], c[1], c[2], c[3]);
    return true;
}

int32_t parseTag(const std::string& text,
                 const std::function<bool(const std::string&, double&)>& variable)
{
    int32_t whole;
    if (parseInteger(text, whole) && stripSpaces(text) == text)
        return whole;
    if (text.size() == 6 && text.front() == '\'' && text.back() == '\'')
        return static_cast<int32_t>((static_cast<uint32_t>(static_cast<unsigned char>(text[1])) << 24) |
                                    (static_cast<uint32_t>(static_cast<unsigned char>(text[2])) << 16) |
                                    (static_cast<uint32_t>(static_cast<unsigned char>(text[3])) << 8) |
                                    static_cast<uint32_t>(static_cast<unsigned char>(text[4])));
    double v = 0.0;
    Expression e(text, variable);
    if (text.empty() || !e.evaluate(v) || !std::isfinite(v) || v < std::numeric_limits<int32_t>::min() ||
        v > std::numeric_limits<int32_t>::max())
        return -1;
    return static_cast<int32_t>(v);
}

} // namespace UIValueParser
} // namespace VSTGUI
