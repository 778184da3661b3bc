// Vst2Effect: the VST 2 host side (callback, dispatcher calls, chunks, processing).
#include "vst2_effect.h"

#include "tool_error.h"

#include "host/module_loader.h"

#include "pluginterfaces/fst/aeffectx.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>

namespace corvale::render {
namespace {

// Opcodes the fst header leaves unnamed.
constexpr int kEffGetTailSize = 52;
constexpr size_t kTextSize = 256; // larger than any VST 2 text field
constexpr size_t kChunkHeader = 16;

VstIntPtr hostCallback(AEffect*, int opcode, int, VstIntPtr, void* ptr, float)
{
    if (opcode == audioMasterVersion)
        return kVstVersion;
    if (opcode == audioMasterGetProductString && ptr != nullptr)
    {
        std::strcpy(static_cast<char*>(ptr), "corvale-render");
        return 1;
    }
    if (opcode == audioMasterGetCurrentProcessLevel)
        return kVstProcessLevelOffline;
    return 0;
}

bool parseNumber(const std::string& text, double& value)
{
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end != text.c_str() && std::isfinite(value);
}

uint64_t readLe64(const char* p)
{
    uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(p[i]);
    return v;
}

} // namespace

Vst2Effect::Vst2Effect(const std::string& pluginPath)
{
    const std::string so = host::ModuleLoader::resolveLibraryPath(pluginPath);
    library_ = dlopen(so.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library_ == nullptr)
    {
        const char* e = dlerror();
        throw ToolError("cannot load '" + so + "': " + (e != nullptr ? e : "unknown error"));
    }
    using Entry = AEffect* (*)(audioMasterCallback);
    auto entry = reinterpret_cast<Entry>(dlsym(library_, "VSTPluginMain"));
    if (entry == nullptr)
    {
        dlclose(library_);
        throw ToolError("'" + so + "' has no VST 2 entry (VSTPluginMain)");
    }
    effect_ = entry(hostCallback);
    if (effect_ == nullptr || effect_->magic != kEffectMagic)
    {
        dlclose(library_);
        throw ToolError("'" + so + "' created no VST 2 effect");
    }
    dispatch(effOpen);
    for (int i = 0; i < effect_->numParams; ++i)
        defaults_.push_back(effect_->getParameter(effect_, i));
}

Vst2Effect::~Vst2Effect()
{
    if (resumed_)
    {
        dispatch(effStopProcess);
        dispatch(effMainsChanged, 0, 0);
    }
    dispatch(effClose);
    dlclose(library_);
}

long Vst2Effect::dispatch(int opcode, int index, long value, void* ptr, float opt) const
{
    return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

std::string Vst2Effect::text(int opcode, int index) const
{
    char buffer[kTextSize] = {};
    dispatch(opcode, index, 0, buffer);
    buffer[kTextSize - 1] = 0;
    return buffer;
}

std::string Vst2Effect::name() const
{
    return text(effGetEffectName, 0);
}

EffectParameter Vst2Effect::describe(int index)
{
    // VST 2 knows only normalised values; the plain range is read from the
    // plug-in's display at both ends (0..1 when the display is not a number).
    EffectParameter p;
    p.id = static_cast<std::uint32_t>(index);
    p.title = text(effGetParamName, index);
    p.units = text(effGetParamLabel, index);
    p.currentText = text(effGetParamDisplay, index);
    const float current = effect_->getParameter(effect_, index);
    double lo = 0.0;
    double hi = 1.0;
    effect_->setParameter(effect_, index, 0.0f);
    const bool haveLo = parseNumber(text(effGetParamDisplay, index), lo);
    effect_->setParameter(effect_, index, 1.0f);
    const bool haveHi = parseNumber(text(effGetParamDisplay, index), hi);
    effect_->setParameter(effect_, index, current);
    if (haveLo && haveHi && hi > lo)
    {
        p.minPlain = lo;
        p.maxPlain = hi;
    }
    const float def = static_cast<size_t>(index) < defaults_.size()
                          ? defaults_[static_cast<size_t>(index)]
                          : 0.0f;
    p.defaultPlain = p.minPlain + def * (p.maxPlain - p.minPlain);
    return p;
}

std::vector<EffectParameter> Vst2Effect::parameters()
{
    std::vector<EffectParameter> result;
    for (int i = 0; i < effect_->numParams; ++i)
        result.push_back(describe(i));
    return result;
}

bool Vst2Effect::findParameter(const std::string& titleOrId, EffectParameter& out)
{
    for (int i = 0; i < effect_->numParams; ++i)
        if (text(effGetParamName, i) == titleOrId)
        {
            out = describe(i);
            return true;
        }
    char* end = nullptr;
    const long index = std::strtol(titleOrId.c_str(), &end, 10);
    if (titleOrId.empty() || *end != '\0' || index < 0 || index >= effect_->numParams)
        return false;
    out = describe(static_cast<int>(index));
    return true;
}

bool Vst2Effect::setParameterPlain(std::uint32_t id, double plain, std::string& error)
{
    const int index = static_cast<int>(id);
    if (index < 0 || index >= effect_->numParams)
    {
        error = "no parameter " + std::to_string(id);
        return false;
    }
    char number[64];
    std::snprintf(number, sizeof number, "%.9g", plain);
    if (dispatch(effString2Parameter, index, 0, number) != 0)
        return true;
    const EffectParameter p = describe(index);
    const double n = (plain - p.minPlain) / (p.maxPlain - p.minPlain);
    effect_->setParameter(effect_, index, static_cast<float>(n < 0.0 ? 0.0 : (n > 1.0 ? 1.0 : n)));
    return true;
}

std::string Vst2Effect::programListName()
{
    return effect_->numPrograms > 0 ? "Programs" : "";
}

std::vector<std::string> Vst2Effect::programNames()
{
    std::vector<std::string> names;
    for (int i = 0; i < effect_->numPrograms; ++i)
        names.push_back(text(effGetProgramNameIndexed, i));
    return names;
}

bool Vst2Effect::selectProgram(int index, std::string& error)
{
    dispatch(effSetProgram, 0, index);
    if (dispatch(effGetProgram) != index)
    {
        error = "the plug-in did not select program " + std::to_string(index);
        return false;
    }
    return true;
}

bool Vst2Effect::saveState(std::vector<char>& out, std::string& error)
{
    void* data = nullptr;
    const long size = dispatch(effGetChunk, 0, 0, &data);
    if (size <= 0 || data == nullptr)
    {
        error = "the plug-in gave no state";
        return false;
    }
    // Keep the component state only: the file then loads through either entry.
    const char* bytes = static_cast<const char*>(data);
    const uint64_t component = static_cast<size_t>(size) >= kChunkHeader ? readLe64(bytes)
                                                                         : UINT64_MAX;
    if (component > static_cast<uint64_t>(size) - kChunkHeader)
    {
        error = "the plug-in's state is not laid out as expected";
        return false;
    }
    out.assign(bytes + kChunkHeader, bytes + kChunkHeader + component);
    return true;
}

bool Vst2Effect::loadState(const std::vector<char>& data, std::string& error)
{
    std::vector<char> chunk(kChunkHeader, 0);
    const uint64_t size = data.size();
    for (int i = 0; i < 8; ++i)
        chunk[static_cast<size_t>(i)] = static_cast<char>((size >> (8 * i)) & 0xFF);
    chunk.insert(chunk.end(), data.begin(), data.end());
    if (dispatch(effSetChunk, 0, static_cast<long>(chunk.size()), chunk.data()) == 0)
    {
        error = "the plug-in refused the state";
        return false;
    }
    return true;
}

bool Vst2Effect::prepare(double sampleRate, int channels, int maxBlock, std::string& error)
{
    if (channels < 1 || channels > effect_->numOutputs || effect_->numInputs < effect_->numOutputs)
    {
        error = "the effect does not take " + std::to_string(channels) + " channel(s)";
        return false;
    }
    if (resumed_)
    {
        dispatch(effStopProcess);
        dispatch(effMainsChanged, 0, 0);
    }
    channels_ = channels;
    maxBlock_ = maxBlock;
    inScratch_.assign(static_cast<size_t>(effect_->numInputs),
                      std::vector<float>(static_cast<size_t>(maxBlock)));
    outScratch_.assign(static_cast<size_t>(effect_->numOutputs),
                       std::vector<float>(static_cast<size_t>(maxBlock)));
    dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
    dispatch(effSetBlockSize, 0, maxBlock);
    dispatch(effMainsChanged, 0, 1);
    dispatch(effStartProcess);
    resumed_ = true;
    return true;
}

std::uint32_t Vst2Effect::latencySamples()
{
    return effect_->initialDelay > 0 ? static_cast<std::uint32_t>(effect_->initialDelay) : 0u;
}

std::uint32_t Vst2Effect::tailSamples()
{
    const long tail = dispatch(kEffGetTailSize);
    return tail > 0 ? static_cast<std::uint32_t>(tail) : 0u;
}

bool Vst2Effect::process(const float* const* in, float* const* out, int numSamples)
{
    if (!resumed_ || numSamples < 0 || numSamples > maxBlock_)
        return false;
    // The effect's channels all get input: a mono file feeds every one of them.
    std::vector<float*> inputs;
    std::vector<float*> outputs;
    for (size_t c = 0; c < inScratch_.size(); ++c)
    {
        const int source = std::min(static_cast<int>(c), channels_ - 1);
        float* dst = inScratch_[c].data();
        if (in != nullptr)
            std::memcpy(dst, in[source], sizeof(float) * static_cast<size_t>(numSamples));
        else
            std::memset(dst, 0, sizeof(float) * static_cast<size_t>(numSamples));
        inputs.push_back(dst);
    }
    for (auto& channel : outScratch_)
        outputs.push_back(channel.data());
    effect_->processReplacing(effect_, inputs.data(), outputs.data(), numSamples);
    for (int c = 0; c < channels_; ++c)
        std::memcpy(out[c], outScratch_[static_cast<size_t>(c)].data(),
                    sizeof(float) * static_cast<size_t>(numSamples));
    return true;
}

} // namespace corvale::render
