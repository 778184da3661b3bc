// A small VST 2 host for the tests: a host callback that answers the version
// and time queries and records every other call, a loader for a module's VSTPluginMain,
// and an owner for one effect that closes it at the end.
#pragma once

#include "vst2/vst2_abi.h"

#include <string>
#include <vector>

namespace vst2test {

struct HostCall
{
    int opcode;
    int index;
    VstIntPtr value;
    float opt;
};

/// The host side. One at a time: the callback finds the live one.
class Vst2TestHost
{
public:
    Vst2TestHost();
    ~Vst2TestHost();
    Vst2TestHost(const Vst2TestHost&) = delete;
    Vst2TestHost& operator=(const Vst2TestHost&) = delete;

    static VstIntPtr callback(AEffect* effect, int opcode, int index, VstIntPtr value, void* ptr, float opt);

    /// The calls with one opcode, in order.
    std::vector<HostCall> callsOf(int opcode) const;

    VstIntPtr version = 2400;       ///< answer to audioMasterVersion
    VstTimeInfo* timeInfo = nullptr;  ///< answer to audioMasterGetTime (none by default)
    std::vector<HostCall> calls;    ///< everything else the plug-in asked
};

/// A module opened with dlopen, and its VSTPluginMain.
class Vst2Module
{
public:
    explicit Vst2Module(const std::string& path);
    ~Vst2Module();
    Vst2Module(const Vst2Module&) = delete;
    Vst2Module& operator=(const Vst2Module&) = delete;

    using Entry = AEffect* (*)(audioMasterCallback);

    bool loaded() const { return entry_ != nullptr; }
    const std::string& error() const { return error_; }
    AEffect* open(audioMasterCallback callback) const;
    Entry entry() const { return entry_; }  ///< the module's VSTPluginMain

private:
    void* handle_ = nullptr;
    Entry entry_ = nullptr;
    std::string error_;
};

/// One effect, closed (effClose) when this goes.
class Vst2Effect
{
public:
    explicit Vst2Effect(AEffect* effect) : effect_(effect) {}
    ~Vst2Effect();
    Vst2Effect(const Vst2Effect&) = delete;
    Vst2Effect& operator=(const Vst2Effect&) = delete;

    AEffect* get() const { return effect_; }
    VstIntPtr dispatch(int opcode, int index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f);

    /// A text opcode's answer. The buffer is larger than any limit and filled with
    /// a marker; `overrun` is set when the plug-in wrote at or beyond `limit`.
    std::string text(int opcode, int index, size_t limit, bool& overrun);
    std::vector<char> chunk();
    VstIntPtr setChunk(const std::vector<char>& data);
    /// Resumes at a rate and block size.
    void resume(float sampleRate, int blockSize);
    /// Processes planar stereo `in` into `out` in blocks of `block` samples.
    void process(const std::vector<std::vector<float>>& in, std::vector<std::vector<float>>& out, int block);

private:
    AEffect* effect_;
};

} // namespace vst2test
