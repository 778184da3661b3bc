#pragma once

// Runs corvale-render as a user would and captures what it prints, plus small
// libsndfile helpers for the test signals.
#include <sndfile.h>

#include <string>
#include <vector>

struct ToolResult
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

/// Runs the tool with `args` (each passed as one shell word).
ToolResult runTool(const std::vector<std::string>& args);

/// A sound file's frames (interleaved) and its info.
struct Sound
{
    SF_INFO info {};
    std::vector<float> samples;
    long frames() const { return info.channels > 0 ? static_cast<long>(samples.size()) / info.channels : 0; }
};

/// Writes `samples` (interleaved) with the given format; fails the test on error.
void writeSound(const std::string& path, int format, int sampleRate, int channels, const std::vector<float>& samples);

/// Reads a whole sound file; fails the test on error.
Sound readSound(const std::string& path);

/// Reads a whole file as bytes (empty when missing).
std::vector<char> readBytes(const std::string& path);

/// A path in the test's temporary directory.
std::string tempPath(const std::string& name);
