// Vst3Effect: the Effect calls mapped onto the host library.
#include "vst3_effect.h"

#include "tool_error.h"

#include "host/string_convert.h"

namespace corvale::render {

using Steinberg::Vst::ParameterInfo;

Vst3Effect::Vst3Effect(const std::string& bundlePath)
    : instance_(std::make_unique<host::PluginInstance>())
{
    if (!instance_->load(bundlePath))
        throw ToolError(instance_->error());
}

std::string Vst3Effect::name() const
{
    return instance_->classInfo().name;
}

EffectParameter Vst3Effect::describe(const ParameterInfo& info)
{
    EffectParameter p;
    p.id = info.id;
    p.title = host::toUtf8(info.title);
    p.units = host::toUtf8(info.units);
    p.minPlain = instance_->normalizedToPlain(info.id, 0.0);
    p.maxPlain = instance_->normalizedToPlain(info.id, 1.0);
    p.defaultPlain = instance_->normalizedToPlain(info.id, info.defaultNormalizedValue);
    p.currentText = instance_->valueText(info.id, instance_->normalized(info.id));
    p.stepCount = info.stepCount;
    p.readOnly = (info.flags & ParameterInfo::kIsReadOnly) != 0;
    p.programChange = (info.flags & ParameterInfo::kIsProgramChange) != 0;
    return p;
}

std::vector<EffectParameter> Vst3Effect::parameters()
{
    std::vector<EffectParameter> result;
    for (const auto& info : instance_->parameters())
        result.push_back(describe(info));
    return result;
}

bool Vst3Effect::findParameter(const std::string& titleOrId, EffectParameter& out)
{
    ParameterInfo info {};
    if (!instance_->findParameter(titleOrId, info))
        return false;
    out = describe(info);
    return true;
}

bool Vst3Effect::setParameterPlain(std::uint32_t id, double plain, std::string& error)
{
    double normalized = instance_->plainToNormalized(id, plain);
    normalized = normalized < 0.0 ? 0.0 : (normalized > 1.0 ? 1.0 : normalized);
    if (!instance_->setParameter(id, normalized))
    {
        error = instance_->error();
        return false;
    }
    return true;
}

std::string Vst3Effect::programListName()
{
    return instance_->programListName();
}

std::vector<std::string> Vst3Effect::programNames()
{
    return instance_->programNames();
}

bool Vst3Effect::selectProgram(int index, std::string& error)
{
    if (!instance_->selectProgram(index))
    {
        error = instance_->error();
        return false;
    }
    return true;
}

bool Vst3Effect::saveState(std::vector<char>& out, std::string& error)
{
    if (!instance_->getState(out))
    {
        error = instance_->error();
        return false;
    }
    return true;
}

bool Vst3Effect::loadState(const std::vector<char>& data, std::string& error)
{
    if (!instance_->setState(data))
    {
        error = instance_->error();
        return false;
    }
    return true;
}

bool Vst3Effect::prepare(double sampleRate, int channels, int maxBlock, std::string& error)
{
    host::ProcessConfig config;
    config.sampleRate = sampleRate;
    config.channels = channels;
    config.maxBlockSize = maxBlock;
    config.offline = true; // rendering a file, as a DAW's export does
    if (!instance_->prepare(config))
    {
        error = instance_->error();
        return false;
    }
    return true;
}

std::uint32_t Vst3Effect::latencySamples()
{
    return instance_->latencySamples();
}

std::uint32_t Vst3Effect::tailSamples()
{
    return instance_->tailSamples();
}

bool Vst3Effect::process(const float* const* in, float* const* out, int numSamples)
{
    return instance_->process(in, out, numSamples);
}

} // namespace corvale::render
