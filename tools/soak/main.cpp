// corvale-soak: loads the plug-in as a DAW does and drives it from an audio
// and a main thread for a while, checking its output, its allocations and its
// timing (soak_run.h). Not a test: CI runs it for 30 seconds, people for hours.
#include "soak_options.h"
#include "soak_run.h"

#include <iostream>
#include <stdexcept>

int main(int argc, char** argv)
{
    using namespace corvale::soak;
    SoakOptions options;
    try
    {
        options = parseSoakOptions(argc, argv);
    }
    catch (const std::invalid_argument& e)
    {
        std::cerr << "corvale-soak: " << e.what() << "\n";
        return 2;
    }
    if (options.help)
    {
        std::cout << soakUsage();
        return 0;
    }
    if (options.pluginPath.empty())
        options.pluginPath = CORVALE_DEFAULT_BUNDLE;

    SoakRun run(options);
    if (!run.run())
    {
        std::cerr << "corvale-soak: " << run.error() << "\n";
        return 2;
    }
    std::cout << describe(run.findings(), options.seed, options.pluginPath);
    return run.findings().passed() ? 0 : 1;
}
