// corvale-render: renders audio through a VST 3 effect, lists it, saves its state and
// plots its response. Every failure ends with one line on stderr and exit status 1.
#include "audio_file.h"
#include "editor_picture.h"
#include "effect_setup.h"
#include "options.h"
#include "parameter_listing.h"
#include "renderer.h"
#include "response_measurement.h"
#include "response_plot.h"
#include "tool_error.h"
#include "vst2_effect.h"
#include "vst3_effect.h"

#include <exception>
#include <iostream>
#include <memory>
#include <optional>
#include <unistd.h>

namespace corvale::render {
namespace {

constexpr double kProgressMinSeconds = 5.0;

int run(int argc, const char* const* argv)
{
    const Options options = parseOptions(argc, argv);
    if (options.help)
    {
        std::cout << usageText();
        return 0;
    }

    // Check the input before loading anything, so a typo fails fast.
    std::optional<AudioFile> input;
    if (!options.inputPath.empty())
    {
        input.emplace(AudioFile::openRead(options.inputPath));
        const int channels = input->info().channels;
        if (channels < 1 || channels > 2)
            throw ToolError("'" + options.inputPath + "' has " + std::to_string(channels)
                            + " channels; only mono and stereo are supported");
        if (sameFile(options.inputPath, options.outputPath))
            throw ToolError("OUTPUT '" + options.outputPath + "' is the same file as INPUT");
    }

    const std::string pluginPath = options.pluginPath.empty() ? defaultPluginPath()
                                                              : options.pluginPath;
    std::unique_ptr<Effect> loaded;
    if (options.vst2)
        loaded = std::make_unique<Vst2Effect>(pluginPath);
    else
        loaded = std::make_unique<Vst3Effect>(pluginPath);
    Effect& effect = *loaded;

    const double sampleRate = input ? input->info().samplerate : options.sampleRate;
    const int channels = input ? input->info().channels : 2;
    std::string error;
    if (!effect.prepare(sampleRate, channels, options.blockSize, error))
        throw ToolError("cannot prepare the plug-in: " + error);

    applySettings(effect, options);
    settle(effect, sampleRate, channels, options.blockSize);

    if (!options.saveStatePath.empty())
        saveStateFile(effect, options.saveStatePath);
    if (options.list)
        printListing(effect, std::cout);

    if (input)
    {
        RenderSettings settings;
        settings.blockSize = options.blockSize;
        settings.compensateLatency = options.compensateLatency;
        const double seconds = static_cast<double>(input->info().frames) / sampleRate;
        settings.showProgress = options.progress
                                || (seconds > kProgressMinSeconds && ::isatty(STDERR_FILENO));
        renderFile(effect, *input, options.outputPath, settings);
    }
    if (!options.plotPath.empty())
    {
        const auto response = measureResponse(effect, sampleRate, channels, options.blockSize);
        plotResponse(response, effect.name() + " magnitude response", options.plotPath);
    }
    if (!options.editorScreenshotPath.empty())
        writeEditorPicture(effect.drawEditor(options.scale), options.editorScreenshotPath);
    if (options.editor)
        effect.runEditor(options.scale);
    return 0;
}

} // namespace
} // namespace corvale::render

int main(int argc, char** argv)
{
    try
    {
        return corvale::render::run(argc, argv);
    }
    catch (const corvale::render::ToolError& e)
    {
        std::cerr << "corvale-render: " << e.what() << '\n';
    }
    catch (const std::bad_alloc&)
    {
        std::cerr << "corvale-render: out of memory\n";
    }
    catch (const std::exception& e)
    {
        std::cerr << "corvale-render: " << e.what() << '\n';
    }
    return 1;
}
