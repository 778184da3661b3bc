// Applying the command line's settings to an effect, saving its state, and
// letting it settle before audio goes in.
#include "effect_setup.h"

#include "tool_error.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace corvale::render {
namespace {

std::string formatValue(double v)
{
    std::ostringstream out;
    out << v;
    return out.str();
}

std::vector<char> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw ToolError("cannot read state file '" + path + "'");
    std::vector<char> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        throw ToolError("cannot read state file '" + path + "'");
    return data;
}

int findProgram(Effect& effect, const std::string& nameOrIndex)
{
    const auto names = effect.programNames();
    if (names.empty())
        throw ToolError("the plug-in has no programs");
    for (std::size_t i = 0; i < names.size(); ++i)
    {
        if (names[i] == nameOrIndex)
            return static_cast<int>(i);
    }
    char* end = nullptr;
    const long index = std::strtol(nameOrIndex.c_str(), &end, 10);
    if (*end == '\0' && index >= 0 && static_cast<std::size_t>(index) < names.size())
        return static_cast<int>(index);
    throw ToolError("unknown program '" + nameOrIndex + "' (use a name or an index 0.."
                    + std::to_string(names.size() - 1) + ")");
}

void applySetting(Effect& effect, const ParameterSetting& setting)
{
    EffectParameter p;
    if (!effect.findParameter(setting.name, p))
        throw ToolError("unknown parameter '" + setting.name + "' (see --list)");
    if (p.readOnly)
        throw ToolError("parameter \"" + p.title + "\" is read-only");
    const double lo = std::min(p.minPlain, p.maxPlain);
    const double hi = std::max(p.minPlain, p.maxPlain);
    const double tolerance = 1e-9 * std::max(1.0, hi - lo);
    if (!(setting.value >= lo - tolerance && setting.value <= hi + tolerance))
        throw ToolError("value " + formatValue(setting.value) + " for \"" + p.title
                        + "\" is outside " + formatValue(lo) + ".." + formatValue(hi));
    std::string error;
    if (!effect.setParameterPlain(p.id, std::clamp(setting.value, lo, hi), error))
        throw ToolError("cannot set \"" + p.title + "\": " + error);
}

} // namespace

void applySettings(Effect& effect, const Options& options)
{
    std::string error;
    if (!options.loadStatePath.empty())
    {
        if (!effect.loadState(readFile(options.loadStatePath), error))
            throw ToolError("cannot load state from '" + options.loadStatePath + "': " + error);
    }
    if (!options.program.empty())
    {
        if (!effect.selectProgram(findProgram(effect, options.program), error))
            throw ToolError("cannot select program '" + options.program + "': " + error);
    }
    for (const auto& setting : options.settings)
        applySetting(effect, setting);
}

void saveStateFile(Effect& effect, const std::string& path)
{
    std::vector<char> data;
    std::string error;
    if (!effect.saveState(data, error))
        throw ToolError("cannot save state: " + error);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        throw ToolError("cannot write state file '" + path + "'");
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
    out.close();
    if (!out)
        throw ToolError("cannot write state file '" + path + "'");
}

void settle(Effect& effect, double sampleRate, int channels, int blockSize)
{
    // At least 8192 samples, and the latency plus the tail capped at 5 s.
    const double tail = std::min<double>(effect.tailSamples(), 5.0 * sampleRate);
    const long total = std::max<long>(8192, static_cast<long>(effect.latencySamples() + tail));
    std::vector<float> buffer(static_cast<std::size_t>(blockSize)
                              * static_cast<std::size_t>(channels));
    std::vector<float*> out(static_cast<std::size_t>(channels));
    for (int c = 0; c < channels; ++c)
        out[static_cast<std::size_t>(c)] = buffer.data()
                                           + static_cast<std::size_t>(c)
                                                 * static_cast<std::size_t>(blockSize);
    for (long done = 0; done < total; done += blockSize)
    {
        if (!effect.process(nullptr, out.data(), blockSize))
            throw ToolError("the plug-in failed to process audio");
    }
}

} // namespace corvale::render
