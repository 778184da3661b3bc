// Measuring an effect's magnitude response from its impulse response.
#pragma once

#include "effect.h"

#include <vector>

namespace corvale::render {

/// One point of a magnitude response.
struct ResponsePoint
{
    double freqHz;
    double gainDb;
};

/// [main] Measures the magnitude response of the prepared effect with its current settings:
/// settles it, sends an impulse into every channel, takes `lengthSamples` of channel 0 after
/// the reported latency and evaluates their DFT at `points` log-spaced frequencies from
/// 20 Hz to 20 kHz (at most 0.49 × sampleRate). Throws ToolError when processing fails.
std::vector<ResponsePoint> measureResponse(Effect& effect, double sampleRate, int channels,
                                           int blockSize, int lengthSamples = 16384,
                                           int points = 500);

/// [any] |Σ h[n] e^(-jωn)| in dB at `freqHz` (floor -200 dB): a direct DFT evaluation.
double magnitudeDb(const std::vector<float>& impulseResponse, double freqHz, double sampleRate);

} // namespace corvale::render
