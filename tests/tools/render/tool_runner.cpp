#include "tool_runner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string quote(const std::string& word)
{
    std::string q = "'";
    for (char c : word) {
        if (c == '\'')
            q += "'\\''";
        else
            q += c;
    }
    return q + "'";
}

std::string readText(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

std::string tempPath(const std::string& name)
{
    return ::testing::TempDir() + "render_tool_" + std::to_string(::getpid()) + "_" + name;
}

ToolResult runTool(const std::vector<std::string>& args)
{
    const std::string outPath = tempPath("stdout.txt");
    const std::string errPath = tempPath("stderr.txt");
    // Under LeakSanitizer: fontconfig (through cairo's text) keeps its caches until exit.
    const std::string suppressions = tempPath("lsan.supp");
    std::ofstream(suppressions) << "leak:libfontconfig\n";
    std::string command = "LSAN_OPTIONS=print_suppressions=0:suppressions=" + quote(suppressions) + " " + quote(RENDER_TOOL);
    for (const auto& a : args)
        command += " " + quote(a);
    command += " >" + quote(outPath) + " 2>" + quote(errPath) + " </dev/null";
    const int status = std::system(command.c_str());
    ToolResult r;
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    r.out = readText(outPath);
    r.err = readText(errPath);
    return r;
}

void writeSound(const std::string& path, int format, int sampleRate, int channels, const std::vector<float>& samples)
{
    SF_INFO info {};
    info.format = format;
    info.samplerate = sampleRate;
    info.channels = channels;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    sf_writef_float(file, samples.data(), static_cast<sf_count_t>(samples.size() / static_cast<std::size_t>(channels)));
    sf_close(file);
}

Sound readSound(const std::string& path)
{
    Sound s;
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &s.info);
    EXPECT_NE(file, nullptr) << path << ": " << sf_strerror(nullptr);
    if (file == nullptr)
        return s;
    s.samples.resize(static_cast<std::size_t>(s.info.frames * s.info.channels));
    sf_readf_float(file, s.samples.data(), s.info.frames);
    sf_close(file);
    return s;
}

std::vector<char> readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}
