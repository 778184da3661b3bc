// Drawing a magnitude response as a PNG with cairo.
#pragma once

#include "response_measurement.h"

#include <string>
#include <vector>

namespace corvale::render {

/// [main] Draws `response` as a PNG of `widthPx` × `heightPx`: log-frequency axis
/// 20 Hz–20 kHz, dB grid with labels (−24..+24 dB, widened in 6 dB steps to hold the curve,
/// at most −96..+48), `title` on top. Throws ToolError when the PNG cannot be written.
void plotResponse(const std::vector<ResponsePoint>& response, const std::string& title,
                  const std::string& pngPath, int widthPx = 960, int heightPx = 540);

} // namespace corvale::render
