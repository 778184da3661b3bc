// The render loop: reading, deinterleaving, processing, latency compensation
// and writing.
#include "renderer.h"

#include "progress_bar.h"
#include "tool_error.h"

#include <algorithm>
#include <cstdio>
#include <sys/stat.h>
#include <vector>

namespace corvale::render {
namespace {

// Planar scratch for one block; the plug-in sees planar buffers, the file interleaved ones.
struct BlockBuffers
{
    BlockBuffers(int channels, int blockSize)
        : interleaved(static_cast<std::size_t>(channels * blockSize)),
          planarIn(static_cast<std::size_t>(channels * blockSize)),
          planarOut(static_cast<std::size_t>(channels * blockSize))
    {
        for (int c = 0; c < channels; ++c)
        {
            in.push_back(planarIn.data() + c * blockSize);
            out.push_back(planarOut.data() + c * blockSize);
        }
    }
    std::vector<float> interleaved, planarIn, planarOut;
    std::vector<float*> in, out;
};

void renderFrames(Effect& effect, AudioFile& input, AudioFile& output,
                  const RenderSettings& settings)
{
    const int channels = input.info().channels;
    const int block = settings.blockSize;
    const long totalFrames = static_cast<long>(input.info().frames);
    long toSkip = settings.compensateLatency ? static_cast<long>(effect.latencySamples()) : 0;
    long padding = toSkip;        // zeros fed after the input so the last frames come out
    long remaining = totalFrames; // frames still to write
    BlockBuffers b(channels, block);
    ProgressBar progress(totalFrames, settings.showProgress);

    while (remaining > 0)
    {
        long got = input.read(b.interleaved.data(), block);
        if (got == 0)
        {
            // Input finished (or shorter than announced): zeros flush the latency.
            if (!settings.compensateLatency)
                break;
            got = std::min<long>(block, std::max<long>(padding, 1));
            std::fill(b.interleaved.begin(), b.interleaved.end(), 0.0f);
            padding -= got;
        }
        for (long i = 0; i < got; ++i)
            for (int c = 0; c < channels; ++c)
                b.in[static_cast<std::size_t>(c)][i] =
                    b.interleaved[static_cast<std::size_t>(i * channels + c)];
        if (!effect.process(b.in.data(), b.out.data(), static_cast<int>(got)))
            throw ToolError("the plug-in failed to process audio");
        const long skip = std::min(toSkip, got);
        toSkip -= skip;
        const long write = std::min(got - skip, remaining);
        for (long i = 0; i < write; ++i)
            for (int c = 0; c < channels; ++c)
                b.interleaved[static_cast<std::size_t>(i * channels + c)] =
                    b.out[static_cast<std::size_t>(c)][skip + i];
        if (write > 0)
            output.write(b.interleaved.data(), write);
        remaining -= write;
        progress.update(totalFrames - remaining);
    }
    progress.finish();
}

} // namespace

bool sameFile(const std::string& a, const std::string& b)
{
    struct stat sa
    {
    }, sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev
           && sa.st_ino == sb.st_ino;
}

void renderFile(Effect& effect, AudioFile& input, const std::string& outputPath,
                const RenderSettings& settings)
{
    AudioFile output = AudioFile::createLike(outputPath, input.info());
    try
    {
        renderFrames(effect, input, output, settings);
        output.close();
    }
    catch (...)
    {
        std::remove(outputPath.c_str());
        throw;
    }
}

} // namespace corvale::render
