// ToolError: the one exception corvale-render reports to the user.
#pragma once

#include <stdexcept>
#include <string>

namespace corvale::render {

/// A usage or input error: main() prints it as one line and exits with status 1.
class ToolError : public std::runtime_error
{
public:
    explicit ToolError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace corvale::render
