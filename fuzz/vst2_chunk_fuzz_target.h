// Vst2ChunkFuzzTarget: one VST 2 effect of the module, opened through the
// module's VSTPluginMain as a VST 2 host opens it, that takes any bytes a host
// (or a damaged session file) may hand it as a chunk. Shared by the fixed-seed
// test (tests/fuzz) and the libFuzzer executable (scripts/fuzz.sh).
#pragma once

#include "pluginterfaces/fst/aeffectx.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace corvale::fuzz {

class Vst2ChunkFuzzTarget
{
public:
    using Entry = AEffect* (*)(audioMasterCallback);

    /// Opens one effect through `entry` and resumes it at 48 kHz; ready() says
    /// whether that worked. [main]
    explicit Vst2ChunkFuzzTarget(Entry entry);
    ~Vst2ChunkFuzzTarget();
    Vst2ChunkFuzzTarget(const Vst2ChunkFuzzTarget&) = delete;
    Vst2ChunkFuzzTarget& operator=(const Vst2ChunkFuzzTarget&) = delete;

    bool ready() const { return effect_ != nullptr; } ///< [main]

    /// Hands `data` to the effect as its chunk and checks what a host relies on:
    /// a refused chunk changes neither the saved chunk nor any parameter; an
    /// accepted one saves as a well-formed chunk that loads again to itself,
    /// with every parameter in 0..1; the next block's output is finite. Answers
    /// an empty text when all of that holds, else what broke. [main]
    std::string run(const uint8_t* data, size_t size);

    /// Whether the effect took the last chunk given to run(). [main]
    bool lastAccepted() const { return lastAccepted_; }

    /// The chunk the effect saves now. [main]
    std::vector<uint8_t> chunk();

private:
    intptr_t dispatch(int opcode, int index = 0, intptr_t value = 0, void* ptr = nullptr,
                      float opt = 0.0f);
    bool setChunk(const uint8_t* data, size_t size);
    std::vector<float> parameters();
    bool processFinite();

    AEffect* effect_ = nullptr;
    bool lastAccepted_ = false;
    std::vector<uint8_t> hostCopy_;
    std::vector<float> input_[2];
    std::vector<float> output_[2];
};

} // namespace corvale::fuzz
