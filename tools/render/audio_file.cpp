// AudioFile: opening, creating, reading and writing frames.
#include "audio_file.h"

#include "tool_error.h"

#include <utility>

namespace corvale::render {

AudioFile::AudioFile(SNDFILE* file, const SF_INFO& info, std::string path)
    : file_(file),
      info_(info),
      path_(std::move(path))
{}

AudioFile::AudioFile(AudioFile&& other) noexcept
    : file_(other.file_),
      info_(other.info_),
      path_(std::move(other.path_))
{
    other.file_ = nullptr;
}

AudioFile::~AudioFile()
{
    if (file_ != nullptr)
        sf_close(file_);
}

AudioFile AudioFile::openRead(const std::string& path)
{
    SF_INFO info {};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr)
        throw ToolError("cannot read audio file '" + path + "': " + sf_strerror(nullptr));
    return AudioFile(file, info, path);
}

AudioFile AudioFile::createLike(const std::string& path, const SF_INFO& like)
{
    SF_INFO info {};
    info.samplerate = like.samplerate;
    info.channels = like.channels;
    info.format = like.format;
    if (!sf_format_check(&info))
        throw ToolError("cannot write '" + path + "': libsndfile cannot write this format");
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr)
        throw ToolError("cannot write audio file '" + path + "': " + sf_strerror(nullptr));
    // Integer formats: clip instead of wrapping around on overs.
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    return AudioFile(file, info, path);
}

long AudioFile::read(float* interleaved, long frames)
{
    const sf_count_t got = sf_readf_float(file_, interleaved, frames);
    if (got < 0 || (got == 0 && sf_error(file_) != SF_ERR_NO_ERROR))
        throw ToolError("error reading '" + path_ + "': " + sf_strerror(file_));
    return static_cast<long>(got);
}

void AudioFile::write(const float* interleaved, long frames)
{
    if (sf_writef_float(file_, interleaved, frames) != frames)
        throw ToolError("error writing '" + path_ + "': " + sf_strerror(file_));
}

void AudioFile::close()
{
    if (file_ == nullptr)
        return;
    sf_write_sync(file_);
    const int result = sf_close(file_);
    file_ = nullptr;
    if (result != 0)
        throw ToolError("error finishing '" + path_ + "': " + sf_error_number(result));
}

} // namespace corvale::render
