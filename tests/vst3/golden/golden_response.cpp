#include "golden_response.h"

#include "host/plugin_instance.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace golden {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kBlock = 256;
constexpr int kSettle = 8192;     // a band change is complete after 2238 samples
constexpr int kWindow = 4096;     // latency 127 + 2048 taps, then silence
constexpr int kSilentTail = 1024; // the window's last samples, which must be exactly zero

// |sum h[n] e^(-jwn)| in dB, summed in double precision.
double magnitudeDb(const std::vector<float>& h, double freqHz, double sampleRate)
{
    const double w = 2.0 * kPi * freqHz / sampleRate;
    double re = 0.0, im = 0.0;
    for (size_t n = 0; n < h.size(); ++n)
    {
        re += static_cast<double>(h[n]) * std::cos(w * static_cast<double>(n));
        im -= static_cast<double>(h[n]) * std::sin(w * static_cast<double>(n));
    }
    return 20.0 * std::log10(std::max(std::hypot(re, im), 1e-300));
}

} // namespace

std::vector<Setting> settings()
{
    std::vector<Setting> all;
    for (double rate : {44100.0, 48000.0})
        for (int program : {-1, 8, 12, 15})  // flat, "LL Drums", "MQL Rhythm Guitar HP Shelf", "SYL Piano Bus"
            all.push_back({rate, program});
    return all;
}

std::vector<double> frequencyGrid()
{
    std::vector<double> grid;
    for (int k = 0; k < 60; ++k)
        grid.push_back(20.0 * std::pow(2.0, k / 6.0));
    return grid;
}

bool measure(const std::string& bundlePath, const Setting& setting, std::vector<Point>& points,
             std::string& error)
{
    corvale::host::PluginInstance plugin;
    if (!plugin.load(bundlePath) || !plugin.prepare({setting.sampleRate, kBlock, 2}))
    {
        error = plugin.error();
        return false;
    }
    if (setting.program >= 0 && !plugin.selectProgram(setting.program))
    {
        error = "program " + std::to_string(setting.program) + ": " + plugin.error();
        return false;
    }

    std::vector<float> in(kBlock, 0.0f), left(kBlock), right(kBlock);
    const float* inputs[2] = {in.data(), in.data()};
    float* outputs[2] = {left.data(), right.data()};
    for (int done = 0; done < kSettle; done += kBlock)
    {
        if (!plugin.process(inputs, outputs, kBlock))
        {
            error = "process failed";
            return false;
        }
    }
    std::vector<float> response;
    for (int done = 0; done < kWindow; done += kBlock)
    {
        in[0] = done == 0 ? 1.0f : 0.0f;
        if (!plugin.process(inputs, outputs, kBlock))
        {
            error = "process failed";
            return false;
        }
        response.insert(response.end(), left.begin(), left.end());
    }
    for (int n = kWindow - kSilentTail; n < kWindow; ++n)
    {
        if (response[static_cast<size_t>(n)] != 0.0f)
        {
            error = "the impulse response outlasts the window at sample " + std::to_string(n);
            return false;
        }
    }
    for (double f : frequencyGrid())
        points.push_back({setting.sampleRate, setting.program, f, magnitudeDb(response, f, setting.sampleRate)});
    return true;
}

std::string format(const std::vector<Point>& points)
{
    std::string text =
        "# Golden magnitude response of the built module, measured through its VST 3 exports\n"
        "# by tests/vst3/golden/make_golden_response (see golden_response_test.cpp).\n"
        "# Program -1 is a fresh instance (all bands 0 dB, gain 1).\n"
        "# rate program frequency_hz magnitude_db\n";
    char line[128];
    for (const Point& p : points)
    {
        std::snprintf(line, sizeof line, "%.0f %d %.6f %.4f\n", p.sampleRate, p.program, p.freqHz,
                      p.magnitudeDb);
        text += line;
    }
    return text;
}

bool parse(const std::string& text, std::vector<Point>& points)
{
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line))
    {
        if (line.empty() || line[0] == '#')
            continue;
        Point p {};
        std::istringstream fields(line);
        if (!(fields >> p.sampleRate >> p.program >> p.freqHz >> p.magnitudeDb))
            return false;
        points.push_back(p);
    }
    return true;
}

} // namespace golden
