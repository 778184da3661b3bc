// Vst3Effect: an effect loaded through a bundle's VST 3 exports.
#pragma once

#include "effect.h"

#include "host/plugin_instance.h"

#include <memory>

namespace corvale::render {

/// Effect backed by a VST 3 bundle, driven through the host library.
class Vst3Effect : public Effect
{
public:
    /// [main] Loads the bundle and creates its first audio effect class; throws ToolError.
    explicit Vst3Effect(const std::string& bundlePath);

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
    EffectParameter describe(const Steinberg::Vst::ParameterInfo& info);

    std::unique_ptr<host::PluginInstance> instance_;
};

} // namespace corvale::render
