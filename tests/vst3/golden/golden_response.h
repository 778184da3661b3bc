// The module's magnitude response measured as a host would see it, on a fixed
// grid, for the golden response table and the generator that writes it.
#pragma once

#include <string>
#include <vector>

namespace golden {

/// One setting the table covers: a sample rate and a factory program, or a fresh
/// instance (program -1: every band at 0 dB, gain 1).
struct Setting
{
    double sampleRate;
    int program;
};

/// One point of the table.
struct Point
{
    double sampleRate;
    int program;
    double freqHz;
    double magnitudeDb;
};

/// The settings the table covers: all-flat and three factory programs (a broad boost,
/// a low cut, a mixed curve with output gain) at 44.1 and 48 kHz.
std::vector<Setting> settings();

/// The fixed grid: 60 frequencies a sixth of an octave apart from 20 Hz (to 18.2 kHz).
std::vector<double> frequencyGrid();

/// Loads the bundle, sets it up at the setting's rate (stereo, 256-sample blocks),
/// selects the program through the host's program parameter, lets the new taps settle,
/// sends one impulse into both channels and evaluates the left output's DFT at every
/// grid frequency. False, with the reason in `error`, when the module does not load or
/// process, or when the response does not die out within the measured window.
bool measure(const std::string& bundlePath, const Setting& setting, std::vector<Point>& points,
             std::string& error);

/// The table's text form: a comment header, then "rate program frequency dB" per line.
std::string format(const std::vector<Point>& points);
/// Reads that form back; comment and empty lines are skipped. False on a malformed line.
bool parse(const std::string& text, std::vector<Point>& points);

} // namespace golden
