// Parameters, programs and state of PluginInstance: the controller-side half.
#include "host/plugin_instance.h"

#include "host/string_convert.h"

#include "pluginterfaces/vst/ivstunits.h"
#include "public.sdk/source/common/memorystream.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace corvale::host {

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

bool equalIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
    {
        if (std::tolower(static_cast<unsigned char>(a[i]))
            != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

bool parseId(const std::string& text, ParamID& id)
{
    if (text.empty() || text.size() > 10)
        return false;
    for (char ch : text)
    {
        if (!std::isdigit(static_cast<unsigned char>(ch)))
            return false;
    }
    const unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
    if (value > 0xFFFFFFFFull)
        return false;
    id = static_cast<ParamID>(value);
    return true;
}

} // namespace

std::vector<ParameterInfo> PluginInstance::parameters() const
{
    std::vector<ParameterInfo> result;
    if (!controller_)
        return result;
    const int32 count = controller_->getParameterCount();
    for (int32 i = 0; i < count; ++i)
    {
        ParameterInfo info {};
        if (controller_->getParameterInfo(i, info) == kResultOk)
            result.push_back(info);
    }
    return result;
}

bool PluginInstance::findParameter(const std::string& titleOrId, ParameterInfo& out) const
{
    const auto all = parameters();
    for (const auto& info : all)
    {
        if (toUtf8(info.title) == titleOrId)
        {
            out = info;
            return true;
        }
    }
    for (const auto& info : all)
    {
        if (equalIgnoringCase(toUtf8(info.title), titleOrId)
            || toUtf8(info.shortTitle) == titleOrId)
        {
            out = info;
            return true;
        }
    }
    ParamID id = 0;
    if (parseId(titleOrId, id))
    {
        for (const auto& info : all)
        {
            if (info.id == id)
            {
                out = info;
                return true;
            }
        }
    }
    return false;
}

ParamValue PluginInstance::normalized(ParamID id) const
{
    return controller_ ? controller_->getParamNormalized(id) : 0.0;
}

ParamValue PluginInstance::normalizedToPlain(ParamID id, ParamValue v) const
{
    return controller_ ? controller_->normalizedParamToPlain(id, v) : v;
}

ParamValue PluginInstance::plainToNormalized(ParamID id, ParamValue plain) const
{
    return controller_ ? controller_->plainParamToNormalized(id, plain) : plain;
}

std::string PluginInstance::valueText(ParamID id, ParamValue normalizedValue) const
{
    if (!controller_)
        return {};
    String128 text {};
    if (controller_->getParamStringByValue(id, normalizedValue, text) != kResultOk)
        return {};
    return toUtf8(text);
}

bool PluginInstance::setParameter(ParamID id, ParamValue value)
{
    if (!controller_)
        return fail("the plug-in has no controller");
    if (!std::isfinite(value) || value < 0.0 || value > 1.0)
        return fail("normalised value out of 0..1");
    if (controller_->setParamNormalized(id, value) != kResultOk)
        return fail("the plug-in refused a value for parameter " + std::to_string(id));
    if (!pending_.push(id, value))
        return fail("too many parameter changes before the next process call");
    return true;
}

bool PluginInstance::programParameter(ParameterInfo& out) const
{
    for (const auto& info : parameters())
    {
        if ((info.flags & ParameterInfo::kIsProgramChange) != 0)
        {
            out = info;
            return true;
        }
    }
    return false;
}

namespace {

// The program list of the unit a program parameter belongs to; falls back to list 0.
bool findProgramList(IUnitInfo* units, UnitID unitId, ProgramListInfo& out)
{
    if (units == nullptr || units->getProgramListCount() <= 0)
        return false;
    ProgramListID wanted = kNoProgramListId;
    for (int32 i = 0; i < units->getUnitCount(); ++i)
    {
        UnitInfo unit {};
        if (units->getUnitInfo(i, unit) == kResultOk && unit.id == unitId)
            wanted = unit.programListId;
    }
    for (int32 i = 0; i < units->getProgramListCount(); ++i)
    {
        ProgramListInfo list {};
        if (units->getProgramListInfo(i, list) == kResultOk && list.id == wanted)
        {
            out = list;
            return true;
        }
    }
    return units->getProgramListInfo(0, out) == kResultOk;
}

} // namespace

std::string PluginInstance::programListName() const
{
    ParameterInfo program {};
    if (!programParameter(program))
        return {};
    FUnknownPtr<IUnitInfo> units(controller_);
    ProgramListInfo list {};
    if (findProgramList(units, program.unitId, list))
        return toUtf8(list.name);
    return toUtf8(program.title);
}

std::vector<std::string> PluginInstance::programNames() const
{
    std::vector<std::string> names;
    ParameterInfo program {};
    if (!programParameter(program))
        return names;
    FUnknownPtr<IUnitInfo> units(controller_);
    ProgramListInfo list {};
    if (findProgramList(units, program.unitId, list))
    {
        for (int32 i = 0; i < list.programCount; ++i)
        {
            String128 name {};
            names.push_back(units->getProgramName(list.id, i, name) == kResultOk ? toUtf8(name)
                                                                                 : std::string());
        }
        return names;
    }
    for (int32 i = 0; i <= program.stepCount; ++i)
        names.push_back(
            valueText(program.id, program.stepCount > 0 ? double(i) / program.stepCount : 0.0));
    return names;
}

bool PluginInstance::selectProgram(int32 index)
{
    ParameterInfo program {};
    if (!programParameter(program))
        return fail("the plug-in has no programs");
    if (index < 0 || index > program.stepCount)
        return fail("program index " + std::to_string(index) + " out of range 0.."
                    + std::to_string(program.stepCount));
    const ParamValue value = program.stepCount > 0 ? double(index) / program.stepCount : 0.0;
    return setParameter(program.id, value);
}

bool PluginInstance::getState(std::vector<char>& out)
{
    if (!component_)
        return fail("no plug-in instance");
    IPtr<MemoryStream> stream = owned(new MemoryStream);
    if (component_->getState(stream) != kResultOk)
        return fail("the plug-in failed to save its state");
    const char* data = stream->getData();
    out.assign(data, data + stream->getSize());
    return true;
}

bool PluginInstance::setState(const std::vector<char>& data)
{
    if (!component_)
        return fail("no plug-in instance");
    std::vector<char> copy(data);
    // The stream borrows our copy; it is released before `copy` goes away.
    IPtr<MemoryStream> stream = owned(
        new MemoryStream(copy.data(), static_cast<TSize>(copy.size())));
    if (component_->setState(stream) != kResultOk)
        return fail("the plug-in rejected the state");
    if (controller_)
    {
        stream->seek(0, IBStream::kIBSeekSet, nullptr);
        if (controller_->setComponentState(stream) != kResultOk)
            return fail("the plug-in's controller rejected the state");
    }
    return true;
}

} // namespace corvale::host
