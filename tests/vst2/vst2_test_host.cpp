#include "vst2_test_host.h"

#include <algorithm>
#include <cstring>
#include <dlfcn.h>

namespace vst2test {
namespace {

Vst2TestHost* gHost = nullptr;
constexpr char kMarker = 0x7F;
constexpr size_t kTextBuffer = 512;

} // namespace

Vst2TestHost::Vst2TestHost()
{
    gHost = this;
}

Vst2TestHost::~Vst2TestHost()
{
    if (gHost == this)
        gHost = nullptr;
}

VstIntPtr Vst2TestHost::callback(AEffect*, int opcode, int index, VstIntPtr value, void* ptr, float opt)
{
    if (gHost == nullptr)
        return 0;
    if (opcode == audioMasterVersion)
        return gHost->version;
    gHost->calls.push_back(HostCall {opcode, index, value, opt});
    if (opcode == audioMasterGetProductString && ptr != nullptr)
        std::strcpy(static_cast<char*>(ptr), "vst2test");
    if (opcode == audioMasterGetTime)
        return reinterpret_cast<VstIntPtr>(gHost->timeInfo);
    return 0;
}

std::vector<HostCall> Vst2TestHost::callsOf(int opcode) const
{
    std::vector<HostCall> out;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(out),
                 [&](const HostCall& c) { return c.opcode == opcode; });
    return out;
}

Vst2Module::Vst2Module(const std::string& path)
{
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr)
    {
        const char* e = dlerror();
        error_ = e != nullptr ? e : "dlopen failed";
        return;
    }
    entry_ = reinterpret_cast<Entry>(dlsym(handle_, "VSTPluginMain"));
    if (entry_ == nullptr)
        error_ = "no VSTPluginMain";
}

Vst2Module::~Vst2Module()
{
    if (handle_ != nullptr)
        dlclose(handle_);
}

AEffect* Vst2Module::open(audioMasterCallback callback) const
{
    return entry_ != nullptr ? entry_(callback) : nullptr;
}

Vst2Effect::~Vst2Effect()
{
    if (effect_ != nullptr)
        effect_->dispatcher(effect_, effClose, 0, 0, nullptr, 0.0f);
}

VstIntPtr Vst2Effect::dispatch(int opcode, int index, VstIntPtr value, void* ptr, float opt)
{
    return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

std::string Vst2Effect::text(int opcode, int index, size_t limit, bool& overrun)
{
    char buffer[kTextBuffer];
    std::memset(buffer, kMarker, sizeof buffer);
    dispatch(opcode, index, 0, buffer);
    overrun = std::any_of(buffer + limit, buffer + kTextBuffer, [](char c) { return c != kMarker; });
    const char* end = std::find(buffer, buffer + limit, '\0');
    if (end == buffer + limit)
        overrun = true;  // not terminated within the limit
    return std::string(static_cast<const char*>(buffer), end);
}

std::vector<char> Vst2Effect::chunk()
{
    void* data = nullptr;
    const VstIntPtr size = dispatch(effGetChunk, 0, 0, &data);
    if (size <= 0 || data == nullptr)
        return {};
    const char* bytes = static_cast<const char*>(data);
    return std::vector<char>(bytes, bytes + size);
}

VstIntPtr Vst2Effect::setChunk(const std::vector<char>& data)
{
    std::vector<char> copy = data;  // the host's buffer, valid for the call only
    return dispatch(effSetChunk, 0, static_cast<VstIntPtr>(copy.size()), copy.data());
}

void Vst2Effect::resume(float sampleRate, int blockSize)
{
    dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
    dispatch(effSetBlockSize, 0, blockSize);
    dispatch(effMainsChanged, 0, 1);
}

void Vst2Effect::process(const std::vector<std::vector<float>>& in, std::vector<std::vector<float>>& out,
                         int block)
{
    const int total = static_cast<int>(in[0].size());
    out.assign(2, std::vector<float>(static_cast<size_t>(total), 0.0f));
    for (int start = 0; start < total; start += block)
    {
        const int n = std::min(block, total - start);
        float* inputs[2] = {const_cast<float*>(in[0].data()) + start, const_cast<float*>(in[1].data()) + start};
        float* outputs[2] = {out[0].data() + start, out[1].data() + start};
        effect_->processReplacing(effect_, inputs, outputs, n);
    }
}

} // namespace vst2test
