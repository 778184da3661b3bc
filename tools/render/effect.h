// Effect: what corvale-render needs of a plug-in, whichever entry point
// (VST 3 or VST 2) loads it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvale::render {

/// One parameter as the tool shows and sets it (plain units).
struct EffectParameter
{
    std::uint32_t id = 0;
    std::string title;
    std::string units;
    double minPlain = 0.0; ///< plain value at normalised 0
    double maxPlain = 1.0; ///< plain value at normalised 1
    double defaultPlain = 0.0;
    std::string currentText; ///< the plug-in's display text of the current value
    std::int32_t stepCount = 0;
    bool readOnly = false;
    bool programChange = false;
};

/// An editor drawn off-screen: width × height device pixels, premultiplied ARGB, 32 bits
/// each in native byte order (cairo's ARGB32), row by row without gaps.
struct EditorPicture
{
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

/// What the render tool needs of a plug-in, independent of the plug-in format, so a
/// second backend (another plug-in API) can sit beside the VST 3 one.
class Effect
{
public:
    virtual ~Effect() = default;

    /// [main] The plug-in's class name.
    virtual std::string name() const = 0;

    /// [main] All parameters with their current values.
    virtual std::vector<EffectParameter> parameters() = 0;
    /// [main] Finds a parameter by title or numeric ID.
    virtual bool findParameter(const std::string& titleOrId, EffectParameter& out) = 0;
    /// [main] Sets a parameter to a plain value (already range-checked by the caller).
    virtual bool setParameterPlain(std::uint32_t id, double plain, std::string& error) = 0;

    /// [main] Name of the program list and its program names (empty when none).
    virtual std::string programListName() = 0;
    virtual std::vector<std::string> programNames() = 0;
    /// [main] Selects a program by index.
    virtual bool selectProgram(int index, std::string& error) = 0;

    /// [main] The plug-in's state as bytes, and back.
    virtual bool saveState(std::vector<char>& out, std::string& error) = 0;
    virtual bool loadState(const std::vector<char>& data, std::string& error) = 0;

    /// [main] Sets up processing for `channels` (1 or 2) at `sampleRate`, blocks of at most
    /// `maxBlock`.
    virtual bool prepare(double sampleRate, int channels, int maxBlock, std::string& error) = 0;
    /// [main] Reported latency and tail in samples (tail capped by the caller).
    virtual std::uint32_t latencySamples() = 0;
    virtual std::uint32_t tailSamples() = 0;
    /// [audio] Processes one block of planar audio; `in` may be null for silence.
    virtual bool process(const float* const* in, float* const* out, int numSamples) = 0;

    /// [main] Opens the plug-in's editor at content scale `scale` in a window of its own on
    /// $DISPLAY and serves it until the window is closed; throws ToolError when it cannot.
    virtual void runEditor(double scale) = 0;
    /// [main] The plug-in's editor as it looks now, drawn off-screen at content scale
    /// `scale` (no display needed); throws ToolError when it cannot.
    virtual EditorPicture drawEditor(double scale) = 0;
};

} // namespace corvale::render
