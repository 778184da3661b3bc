// AudioFile: an audio file read or written through libsndfile.
#pragma once

#include <sndfile.h>

#include <string>

namespace corvale::render {

/// An open libsndfile file (RAII). Reads and writes interleaved float frames.
class AudioFile
{
public:
    /// [main] Opens `path` for reading; throws ToolError when it is missing or unreadable.
    static AudioFile openRead(const std::string& path);
    /// [main] Creates `path` with the format, sample rate and channel count of `like`;
    /// float data is clipped when the format holds integers. Throws ToolError.
    static AudioFile createLike(const std::string& path, const SF_INFO& like);

    AudioFile(AudioFile&& other) noexcept;
    AudioFile& operator=(AudioFile&&) = delete;
    ~AudioFile();

    /// [any] Format, sample rate, channels and (for reading) the frame count.
    const SF_INFO& info() const { return info_; }
    /// [main] Reads up to `frames` interleaved frames; returns the count read (0 at the end).
    long read(float* interleaved, long frames);
    /// [main] Writes `frames` interleaved frames; throws ToolError on a short write.
    void write(const float* interleaved, long frames);
    /// [main] Closes the file, reporting a failure to finish writing; throws ToolError.
    void close();

private:
    AudioFile(SNDFILE* file, const SF_INFO& info, std::string path);

    SNDFILE* file_ = nullptr;
    SF_INFO info_ {};
    std::string path_;
};

} // namespace corvale::render
