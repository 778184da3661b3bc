// Parsing corvale-render's command line, its help text and the default bundle.
#include "options.h"

#include "tool_error.h"

#include "product_identity.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <sys/stat.h>

#ifndef CORVALE_DEFAULT_BUNDLE
#define CORVALE_DEFAULT_BUNDLE ""
#endif

namespace corvale::render {
namespace {

double parseNumber(const std::string& text, const std::string& what)
{
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || end == text.c_str() || *end != '\0' || errno == ERANGE
        || !std::isfinite(value))
        throw ToolError("invalid number '" + text + "' for " + what);
    return value;
}

int parseInteger(const std::string& text, const std::string& what, long lo, long hi)
{
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno == ERANGE)
        throw ToolError("invalid integer '" + text + "' for " + what);
    if (value < lo || value > hi)
        throw ToolError(what + " must be between " + std::to_string(lo) + " and "
                        + std::to_string(hi));
    return static_cast<int>(value);
}

ParameterSetting parseSetting(const std::string& text)
{
    const auto eq = text.rfind('=');
    if (eq == std::string::npos || eq == 0)
        throw ToolError("--set expects TITLE_OR_ID=VALUE, got '" + text + "'");
    ParameterSetting s;
    s.name = text.substr(0, eq);
    s.value = parseNumber(text.substr(eq + 1), "parameter \"" + s.name + "\"");
    return s;
}

bool exists(const std::string& path)
{
    struct stat st
    {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

} // namespace

Options parseOptions(int argc, const char* const* argv)
{
    Options o;
    std::vector<std::string> positional;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i)
    {
        std::string arg = argv[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-')
        {
            positional.push_back(arg);
            continue;
        }
        if (arg == "--")
        {
            optionsEnded = true;
            continue;
        }
        std::string name = arg;
        std::string value;
        bool hasValue = false;
        if (const auto eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos)
        {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
            hasValue = true;
        }
        auto takeValue = [&]() -> std::string {
            if (hasValue)
                return value;
            if (i + 1 >= argc)
                throw ToolError("option " + name + " needs a value");
            return argv[++i];
        };
        auto takeNonEmpty = [&]() -> std::string {
            std::string v = takeValue();
            if (v.empty())
                throw ToolError("option " + name + " needs a non-empty value");
            return v;
        };
        auto noValue = [&]() {
            if (hasValue)
                throw ToolError("option " + name + " takes no value");
        };
        if (name == "--help" || name == "-h")
        {
            noValue();
            o.help = true;
        }
        else if (name == "--list")
        {
            noValue();
            o.list = true;
        }
        else if (name == "--compensate-latency")
        {
            noValue();
            o.compensateLatency = true;
        }
        else if (name == "--progress")
        {
            noValue();
            o.progress = true;
        }
        else if (name == "--vst2")
        {
            noValue();
            o.vst2 = true;
        }
        else if (name == "--editor")
        {
            noValue();
            o.editor = true;
        }
        else if (name == "--editor-screenshot")
            o.editorScreenshotPath = takeNonEmpty();
        else if (name == "--scale")
        {
            o.scale = parseNumber(takeValue(), "--scale");
            if (o.scale < 1.0 || o.scale > 4.0)
                throw ToolError("--scale must be between 1 and 4");
        }
        else if (name == "--plugin")
            o.pluginPath = takeNonEmpty();
        else if (name == "--set")
            o.settings.push_back(parseSetting(takeValue()));
        else if (name == "--program")
            o.program = takeNonEmpty();
        else if (name == "--load-state")
            o.loadStatePath = takeNonEmpty();
        else if (name == "--save-state")
            o.saveStatePath = takeNonEmpty();
        else if (name == "--plot-response")
            o.plotPath = takeNonEmpty();
        else if (name == "--block-size")
            o.blockSize = parseInteger(takeValue(), "--block-size", 1, 65536);
        else if (name == "--sample-rate")
            o.sampleRate = parseInteger(takeValue(), "--sample-rate", 8000, 768000);
        else
            throw ToolError("unknown option '" + arg + "' (see --help)");
    }
    if (o.help)
        return o;
    if (positional.size() == 1)
        throw ToolError("missing OUTPUT file after INPUT '" + positional[0] + "'");
    if (positional.size() > 2)
        throw ToolError("unexpected argument '" + positional[2] + "'");
    if (positional.size() == 2)
    {
        o.inputPath = positional[0];
        o.outputPath = positional[1];
    }
    if (o.inputPath.empty() && !o.list && o.saveStatePath.empty() && o.plotPath.empty() && !o.editor
        && o.editorScreenshotPath.empty())
        throw ToolError("nothing to do: give INPUT OUTPUT, --list, --save-state, --plot-response, "
                        "--editor or --editor-screenshot (see --help)");
    return o;
}

std::string usageText()
{
    return std::string(
               "Usage: corvale-render [options] [INPUT OUTPUT]\n"
               "Renders an audio file through a VST 3 effect, or lists, saves state or plots.\n"
               "\n"
               "  --plugin PATH.vst3        the plug-in bundle (default: the build's Corvale "
               "bundle,\n"
               "                            else ~/.vst3/")
           + ProductIdentity::kBundleName
           + ")\n"
             "  --vst2                    load the plug-in through its VST 2 entry "
             "(VSTPluginMain);\n"
             "                            parameters are then its VST 2 indices\n"
             "  --list                    print parameters (ID, title, units, default, value) and "
             "programs\n"
             "  --set TITLE_OR_ID=VALUE   set a parameter in plain units, e.g. --set 1000=6 "
             "(repeatable)\n"
             "  --program NAME_OR_INDEX   select a program\n"
             "  --load-state FILE         load plug-in state before everything else\n"
             "  --save-state FILE         save the plug-in state after the settings\n"
             "  --block-size N            process block size (default 512)\n"
             "  --compensate-latency      trim the reported latency so the output lines up with "
             "the input\n"
             "  --plot-response FILE.png  plot the magnitude response of the current settings\n"
             "  --sample-rate HZ          sample rate without an input file (default 44100)\n"
             "  --editor                  open the plug-in's editor in a window until it is "
             "closed\n"
             "  --editor-screenshot FILE.png  draw the editor with the current settings into a "
             "PNG\n"
             "                            (no display needed)\n"
             "  --scale FACTOR            the editor's content scale, 1 to 4 (default 1)\n"
             "  --progress                always show the progress bar (default: files over 5 s on "
             "a terminal)\n"
             "  --help                    show this text\n"
             "\n"
             "INPUT may be any format libsndfile reads (WAV, FLAC, AIFF...), mono or stereo;\n"
             "OUTPUT gets the same format, sample rate and channel count.\n";
}

std::string defaultPluginPath()
{
    const std::string built = CORVALE_DEFAULT_BUNDLE;
    if (exists(built))
        return built;
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.vst3/" + ProductIdentity::kBundleName;
}

} // namespace corvale::render
