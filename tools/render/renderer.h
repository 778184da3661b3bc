// Rendering an audio file through an effect, block by block.
#pragma once

#include "audio_file.h"
#include "effect.h"

#include <string>

namespace corvale::render {

/// How one file is rendered.
struct RenderSettings
{
    int blockSize = 512;
    /// Drop the first latency samples and feed as many zeros at the end.
    bool compensateLatency = false;
    bool showProgress = false;
};

/// [main] Runs every frame of `input` through the prepared `effect` (prepared for the file's
/// sample rate and channel count, blocks of settings.blockSize) and writes `outputPath` in
/// the input's format. The output has as many frames as the input. Throws ToolError; a
/// partly written output is removed.
void renderFile(Effect& effect, AudioFile& input, const std::string& outputPath,
                const RenderSettings& settings);

/// [main] True when both paths name the same existing file.
bool sameFile(const std::string& a, const std::string& b);

} // namespace corvale::render
