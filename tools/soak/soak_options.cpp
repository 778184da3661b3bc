#include "soak_options.h"

#include <cmath>
#include <stdexcept>

namespace corvale::soak {
namespace {

double positiveNumber(const std::string& option, const std::string& text)
{
    size_t used = 0;
    double value = 0.0;
    try
    {
        value = std::stod(text, &used);
    }
    catch (const std::exception&)
    {
        used = 0;
    }
    if (used != text.size() || !std::isfinite(value) || value <= 0.0)
        throw std::invalid_argument(option + " needs a positive number, not '" + text + "'");
    return value;
}

uint64_t wholeNumber(const std::string& option, const std::string& text)
{
    size_t used = 0;
    uint64_t value = 0;
    try
    {
        value = std::stoull(text, &used);
    }
    catch (const std::exception&)
    {
        used = 0;
    }
    if (used == 0 || used != text.size() || text[0] == '-')
        throw std::invalid_argument(option + " needs a whole number, not '" + text + "'");
    return value;
}

} // namespace

SoakOptions parseSoakOptions(int argc, const char* const* argv)
{
    SoakOptions options;
    for (int i = 1; i < argc; ++i)
    {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc)
                throw std::invalid_argument(arg + " needs a value");
            return argv[++i];
        };
        if (arg == "--help" || arg == "-h")
            options.help = true;
        else if (arg == "--seconds")
            options.seconds = positiveNumber(arg, value());
        else if (arg == "--seed")
            options.seed = wholeNumber(arg, value());
        else if (arg == "--plugin")
            options.pluginPath = value();
        else if (arg == "--rate-change-every")
            options.rateChangeSeconds = positiveNumber(arg, value());
        else
            throw std::invalid_argument("unknown option '" + arg + "' (try --help)");
    }
    return options;
}

std::string soakUsage()
{
    return "usage: corvale-soak [--seconds S] [--seed N] [--plugin BUNDLE] [--rate-change-every "
           "S]\n"
           "\n"
           "Loads the plug-in as a DAW does and drives it hard for S seconds (default 30):\n"
           "an audio thread processes random blocks of 1 to 4096 frames with random\n"
           "sample-accurate automation of every parameter, bypass toggles and notes, while\n"
           "the main thread changes programs, loads and saves states and edits parameters,\n"
           "and every S seconds (default 2) deactivates, switches between 44.1 and 96 kHz\n"
           "and reactivates. Every output sample must be finite and within a bound measured\n"
           "at start, and process must not allocate. Prints what it did, the worst and the\n"
           "99.9th-percentile block time as a fraction of the block's real-time budget, and\n"
           "exits with status 1 when a check failed (2 for bad usage or a plug-in that\n"
           "cannot be loaded). The same seed makes the same random choices.\n";
}

} // namespace corvale::soak
