// corvale-render's command line.
#pragma once

#include <string>
#include <vector>

namespace corvale::render {

/// One --set NAME=VALUE.
struct ParameterSetting
{
    std::string name; ///< parameter title or numeric ID
    double value = 0; ///< plain units
};

/// The command line of corvale-render.
struct Options
{
    std::string pluginPath; ///< empty: the default bundle
    bool vst2 = false;      ///< load through the module's VST 2 entry
    bool list = false;
    std::vector<ParameterSetting> settings;
    std::string program; ///< name or index; empty: none
    std::string loadStatePath;
    std::string saveStatePath;
    std::string plotPath;
    int blockSize = 512;
    double sampleRate = 44100.0; ///< used when there is no input file
    bool compensateLatency = false;
    bool progress = false; ///< force the progress bar
    bool editor = false;   ///< open the editor in a window until it is closed
    std::string editorScreenshotPath; ///< draw the editor into this PNG
    double scale = 1.0;    ///< the editor's content scale (1 to 4)
    bool help = false;
    std::string inputPath;
    std::string outputPath;
};

/// [main] Parses argv; throws ToolError with a one-line message on bad usage.
Options parseOptions(int argc, const char* const* argv);

/// [main] The --help text.
std::string usageText();

/// [main] The bundle to load when --plugin is not given: the build's bundle if it exists,
/// else the product's bundle in $HOME/.vst3.
std::string defaultPluginPath();

} // namespace corvale::render
