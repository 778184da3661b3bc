// Impulse response through the effect and its DFT on a log-frequency grid.
#include "response_measurement.h"

#include "effect_setup.h"
#include "tool_error.h"

#include <algorithm>
#include <cmath>

namespace corvale::render {

constexpr double kPi = 3.14159265358979323846;

double magnitudeDb(const std::vector<float>& h, double freqHz, double sampleRate)
{
    const double w = 2.0 * kPi * freqHz / sampleRate;
    double re = 0.0, im = 0.0;
    for (std::size_t n = 0; n < h.size(); ++n)
    {
        const double phase = w * static_cast<double>(n);
        re += h[n] * std::cos(phase);
        im -= h[n] * std::sin(phase);
    }
    const double magnitude = std::hypot(re, im);
    return magnitude > 1e-10 ? 20.0 * std::log10(magnitude) : -200.0;
}

std::vector<ResponsePoint> measureResponse(Effect& effect, double sampleRate, int channels,
                                           int blockSize, int lengthSamples, int points)
{
    settle(effect, sampleRate, channels, blockSize);

    const long latency = effect.latencySamples();
    const long total = latency + lengthSamples;
    const auto block = static_cast<std::size_t>(blockSize);
    std::vector<float> in(block * static_cast<std::size_t>(channels)), out(in.size());
    std::vector<float*> inPtr, outPtr;
    for (int c = 0; c < channels; ++c)
    {
        inPtr.push_back(in.data() + static_cast<std::size_t>(c) * block);
        outPtr.push_back(out.data() + static_cast<std::size_t>(c) * block);
    }
    std::vector<float> impulseResponse;
    impulseResponse.reserve(static_cast<std::size_t>(lengthSamples));
    for (long done = 0; done < total; done += blockSize)
    {
        std::fill(in.begin(), in.end(), 0.0f);
        if (done == 0)
            for (int c = 0; c < channels; ++c)
                inPtr[static_cast<std::size_t>(c)][0] = 1.0f;
        if (!effect.process(inPtr.data(), outPtr.data(), blockSize))
            throw ToolError("the plug-in failed to process audio");
        for (long i = 0; i < blockSize; ++i)
        {
            const long n = done + i;
            if (n >= latency && n < total)
                impulseResponse.push_back(outPtr[0][i]);
        }
    }

    const double top = std::min(20000.0, 0.49 * sampleRate);
    std::vector<ResponsePoint> response;
    for (int k = 0; k < points; ++k)
    {
        const double f = 20.0 * std::pow(top / 20.0, static_cast<double>(k) / (points - 1));
        response.push_back({f, magnitudeDb(impulseResponse, f, sampleRate)});
    }
    return response;
}

} // namespace corvale::render
