// The VST 2 chunk (programs are chunks): a little-endian 64-bit size of the
// component state, a 64-bit size of the controller state, then the two states
// one after the other. Sessions saved in this layout load in any build.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

/// The two regions of a chunk, pointing into the host's buffer.
struct Vst2ChunkParts
{
    const char* component = nullptr;
    size_t componentSize = 0;
    const char* controller = nullptr;
    size_t controllerSize = 0;
};

/// Lays out a chunk from the two states. [main]
std::vector<char> buildVst2Chunk(const std::vector<char>& component, const std::vector<char>& controller);

/// Splits a chunk. False for a null or short buffer, a negative size, or sizes
/// that run past the buffer's end; bytes after the two regions are ignored. [any]
bool parseVst2Chunk(const void* data, size_t size, Vst2ChunkParts& out);

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
