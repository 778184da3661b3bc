// Vst2Effect: an effect loaded through a module's VST 2.4 entry.
#pragma once

#include "effect.h"

#include <string>
#include <vector>

struct AEffect; // the VST 2 effect (fst header)

namespace corvale::render {

/// Effect backed by a module's VST 2.4 entry: the shared object is opened with dlopen and
/// VSTPluginMain gives the AEffect, driven as a VST 2 host drives it. Parameters are the
/// VST 2 indices; plain values go through the plug-in's own text conversion. State files
/// hold the component state, the same bytes the VST 3 path saves.
class Vst2Effect : public Effect
{
public:
    /// [main] Opens the bundle's (or a given) shared object and creates the effect; throws
    /// ToolError.
    explicit Vst2Effect(const std::string& pluginPath);
    ~Vst2Effect() override;
    Vst2Effect(const Vst2Effect&) = delete;
    Vst2Effect& operator=(const Vst2Effect&) = delete;

    std::string name() const override;
    std::vector<EffectParameter> parameters() override;
    bool findParameter(const std::string& titleOrId, EffectParameter& out) override;
    bool setParameterPlain(std::uint32_t id, double plain, std::string& error) override;
    std::string programListName() override;
    std::vector<std::string> programNames() override;
    bool selectProgram(int index, std::string& error) override;
    bool saveState(std::vector<char>& out, std::string& error) override;
    bool loadState(const std::vector<char>& data, std::string& error) override;
    bool prepare(double sampleRate, int channels, int maxBlock, std::string& error) override;
    std::uint32_t latencySamples() override;
    std::uint32_t tailSamples() override;
    bool process(const float* const* in, float* const* out, int numSamples) override;
    void runEditor(double scale) override;
    EditorPicture drawEditor(double scale) override;

private:
    long dispatch(int opcode, int index = 0, long value = 0, void* ptr = nullptr,
                  float opt = 0.0f) const;
    std::string text(int opcode, int index) const;
    EffectParameter describe(int index);

    void* library_ = nullptr;
    AEffect* effect_ = nullptr;
    std::vector<float> defaults_; ///< values right after creation
    int channels_ = 2;
    int maxBlock_ = 0;
    bool resumed_ = false;
    std::vector<std::vector<float>> inScratch_;
    std::vector<std::vector<float>> outScratch_;
};

} // namespace corvale::render
