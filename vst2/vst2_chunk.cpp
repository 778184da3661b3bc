#include "vst2/vst2_chunk.h"

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {
namespace {

constexpr size_t kHeaderSize = 16;

void appendInt64(std::vector<char>& out, uint64_t value)
{
    for (int i = 0; i < 8; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

uint64_t readInt64(const unsigned char* p)
{
    uint64_t value = 0;
    for (int i = 7; i >= 0; --i)
        value = (value << 8) | p[i];
    return value;
}

} // namespace

std::vector<char> buildVst2Chunk(const std::vector<char>& component, const std::vector<char>& controller)
{
    std::vector<char> out;
    out.reserve(kHeaderSize + component.size() + controller.size());
    appendInt64(out, component.size());
    appendInt64(out, controller.size());
    out.insert(out.end(), component.begin(), component.end());
    out.insert(out.end(), controller.begin(), controller.end());
    return out;
}

bool parseVst2Chunk(const void* data, size_t size, Vst2ChunkParts& out)
{
    if (data == nullptr || size < kHeaderSize)
        return false;
    const auto* bytes = static_cast<const unsigned char*>(data);
    const uint64_t componentSize = readInt64(bytes);
    const uint64_t controllerSize = readInt64(bytes + 8);
    const uint64_t room = size - kHeaderSize;
    // Sizes are signed in the layout: a "negative" one has its top bit set and
    // fails here as larger than any buffer.
    if (componentSize > room || controllerSize > room - componentSize)
        return false;
    const char* base = static_cast<const char*>(data) + kHeaderSize;
    out.component = base;
    out.componentSize = static_cast<size_t>(componentSize);
    out.controller = base + componentSize;
    out.controllerSize = static_cast<size_t>(controllerSize);
    return true;
}

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
