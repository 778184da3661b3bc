#include "vst2_chunk_fuzz_target.h"

#include <cmath>
#include <cstring>

namespace corvale::fuzz {
namespace {

constexpr int kBlock = 64;
constexpr size_t kHeader = 16;

t_fstPtrInt hostCallback(AEffect*, int opcode, int, t_fstPtrInt, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

uint64_t sizeAt(const std::vector<uint8_t>& chunk, size_t at)
{
    uint64_t value = 0;
    for (int i = 7; i >= 0; --i)
        value = (value << 8) | chunk[at + static_cast<size_t>(i)];
    return value;
}

// Well-formed: a 16-byte header whose two sizes add up to what follows.
bool wellFormed(const std::vector<uint8_t>& chunk)
{
    if (chunk.size() < kHeader)
        return false;
    const uint64_t component = sizeAt(chunk, 0);
    const uint64_t controller = sizeAt(chunk, 8);
    return component > 0 && component + controller == chunk.size() - kHeader;
}

} // namespace

Vst2ChunkFuzzTarget::Vst2ChunkFuzzTarget(Entry entry)
{
    for (int c = 0; c < 2; ++c)
    {
        input_[c].resize(kBlock);
        output_[c].resize(kBlock);
        for (int i = 0; i < kBlock; ++i)
            input_[c][static_cast<size_t>(i)] = (i % 8 < 4 ? 0.5f : -0.5f)
                                                * (c == 0 ? 1.0f : 0.25f);
    }
    effect_ = entry != nullptr ? entry(hostCallback) : nullptr;
    if (effect_ == nullptr)
        return;
    dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
    dispatch(effSetBlockSize, 0, kBlock);
    dispatch(effMainsChanged, 0, 1);
}

Vst2ChunkFuzzTarget::~Vst2ChunkFuzzTarget()
{
    if (effect_ == nullptr)
        return;
    dispatch(effMainsChanged, 0, 0);
    dispatch(effClose);
}

intptr_t Vst2ChunkFuzzTarget::dispatch(int opcode, int index, intptr_t value, void* ptr, float opt)
{
    return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

std::vector<uint8_t> Vst2ChunkFuzzTarget::chunk()
{
    void* data = nullptr;
    const intptr_t size = dispatch(effGetChunk, 0, 0, &data);
    if (size <= 0 || data == nullptr)
        return {};
    const auto* bytes = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(bytes, bytes + size);
}

bool Vst2ChunkFuzzTarget::setChunk(const uint8_t* data, size_t size)
{
    // The host's buffer lives for the call only; a copy of exactly its size
    // lets the sanitizers see any read past its end.
    hostCopy_.assign(data, data + size);
    return dispatch(effSetChunk, 0, static_cast<intptr_t>(size), hostCopy_.data()) != 0;
}

std::vector<float> Vst2ChunkFuzzTarget::parameters()
{
    std::vector<float> values(static_cast<size_t>(effect_->numParams));
    for (int i = 0; i < effect_->numParams; ++i)
        values[static_cast<size_t>(i)] = effect_->getParameter(effect_, i);
    return values;
}

bool Vst2ChunkFuzzTarget::processFinite()
{
    float* in[2] = {input_[0].data(), input_[1].data()};
    float* out[2] = {output_[0].data(), output_[1].data()};
    effect_->processReplacing(effect_, in, out, kBlock);
    for (const auto& channel : output_)
        for (float s : channel)
            if (!std::isfinite(s))
                return false;
    return true;
}

std::string Vst2ChunkFuzzTarget::run(const uint8_t* data, size_t size)
{
    if (effect_ == nullptr)
        return "no effect";
    const std::vector<uint8_t> before = chunk();
    const std::vector<float> parametersBefore = parameters();

    const bool accepted = setChunk(data, size);
    lastAccepted_ = accepted;
    const std::vector<uint8_t> after = chunk();
    const std::vector<float> parametersAfter = parameters();
    if (!accepted)
    {
        if (after != before)
            return "a refused chunk changed the saved chunk";
        if (parametersAfter != parametersBefore)
            return "a refused chunk changed a parameter";
    }
    else
    {
        if (!wellFormed(after))
            return "an accepted chunk saves as a malformed one of " + std::to_string(after.size())
                   + " bytes";
        for (size_t i = 0; i < parametersAfter.size(); ++i)
            if (!(parametersAfter[i] >= 0.0f && parametersAfter[i] <= 1.0f))
                return "parameter " + std::to_string(i) + " reads "
                       + std::to_string(parametersAfter[i]);
        if (!setChunk(after.data(), after.size()))
            return "the effect refuses the chunk it saved";
        if (chunk() != after)
            return "the saved chunk does not load back to itself";
    }
    if (!processFinite())
        return "non-finite output after the chunk";
    return {};
}

} // namespace corvale::fuzz
