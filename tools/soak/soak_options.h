// corvale-soak's command line.
#pragma once

#include <cstdint>
#include <string>

namespace corvale::soak {

struct SoakOptions
{
    double seconds = 30.0;          ///< how long to run
    uint64_t seed = 1;              ///< seeds every random choice of the run
    std::string pluginPath;         ///< empty: the build's bundle
    double rateChangeSeconds = 2.0; ///< how often to deactivate, change rate, reactivate
    bool help = false;
};

/// [main] Parses argv; throws std::invalid_argument with a one-line message on bad usage.
SoakOptions parseSoakOptions(int argc, const char* const* argv);

/// [main] The --help text.
std::string soakUsage();

} // namespace corvale::soak
