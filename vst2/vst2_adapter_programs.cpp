// Vst2Adapter: the VST 2 programs (the component's program list, selected
// through its program-change parameter) and the chunks.
#include "vst2/vst2_adapter.h"
#include "vst2/vst2_chunk.h"
#include "vst2/vst2_text.h"

#include "public.sdk/source/common/memorystream.h"
#include "pluginterfaces/vst/ivstunits.h"

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {
namespace {

std::vector<char> bytesOf(MemoryStream& stream)
{
    const char* data = stream.getData();
    const TSize size = stream.getSize();
    return data != nullptr && size > 0 ? std::vector<char>(data, data + size) : std::vector<char>();
}

} // namespace

int32 Vst2Adapter::countPrograms()
{
    // The programs of the list that the root unit names.
    FUnknownPtr<IUnitInfo> units(controller_.get());
    if (units == nullptr)
        return 0;
    ProgramListID listId = kNoProgramListId;
    for (int32 i = 0; i < units->getUnitCount(); ++i)
    {
        UnitInfo unit {};
        if (units->getUnitInfo(i, unit) == kResultOk && unit.id == kRootUnitId)
            listId = unit.programListId;
    }
    if (listId == kNoProgramListId)
        return 0;
    for (int32 i = 0; i < units->getProgramListCount(); ++i)
    {
        ProgramListInfo list {};
        if (units->getProgramListInfo(i, list) == kResultOk && list.id == listId)
            return list.programCount;
    }
    return 0;
}

bool Vst2Adapter::selectProgram(int32 program)
{
    if (!parameterMap_.hasProgramParameter() || program < 0
        || program > parameterMap_.programStepCount() || program >= effect_.numPrograms)
        return false;
    // The program replaces every value the host set before it.
    pending_.dropPending();
    currentProgram_ = program;
    const int32 steps = parameterMap_.programStepCount();
    const ParamValue normalized = steps > 0 ? static_cast<ParamValue>(program) / steps : 0.0;
    controller_->setParamNormalized(parameterMap_.programId(), normalized);
    reloadFromController();
    return true;
}

bool Vst2Adapter::programName(int32 program, char* text)
{
    if (text == nullptr)
        return false;
    text[0] = 0;
    FUnknownPtr<IUnitInfo> units(controller_.get());
    ProgramListInfo list {};
    if (units == nullptr || units->getProgramListInfo(0, list) != kResultOk || program < 0
        || program >= list.programCount)
        return false;
    String128 name {};
    if (units->getProgramName(list.id, program, name) != kResultOk)
        return false;
    copyVst2Text(text, name, kProgNameSize);
    return true;
}

VstIntPtr Vst2Adapter::getChunk(void** data)
{
    if (data == nullptr)
        return 0;
    *data = nullptr;
    flushToProcessorWhileInactive();
    MemoryStream component;
    MemoryStream controller;
    const std::vector<char> componentBytes =
        component_->getState(&component) == kResultOk ? bytesOf(component) : std::vector<char>();
    const std::vector<char> controllerBytes =
        controller_->getState(&controller) == kResultOk ? bytesOf(controller) : std::vector<char>();
    if (componentBytes.empty() && controllerBytes.empty())
        return 0;
    chunk_ = buildVst2Chunk(componentBytes, controllerBytes);
    *data = chunk_.data();
    return static_cast<VstIntPtr>(chunk_.size());
}

bool Vst2Adapter::setChunk(const void* data, size_t size)
{
    Vst2ChunkParts parts;
    if (!parseVst2Chunk(data, size, parts) || parts.componentSize == 0)
        return false;
    // The streams only read the host's buffer.
    MemoryStream component(const_cast<char*>(parts.component), static_cast<TSize>(parts.componentSize));
    if (component_->setState(&component) != kResultOk)
        return false;  // checked as a whole before anything is applied: nothing changed
    pending_.dropPending();
    component.seek(0, IBStream::kIBSeekSet, nullptr);
    controller_->setComponentState(&component);
    if (parts.controllerSize > 0)
    {
        MemoryStream controller(const_cast<char*>(parts.controller),
                                static_cast<TSize>(parts.controllerSize));
        controller_->setState(&controller);
    }
    reloadFromController();
    callHost(kAudioMasterUpdateDisplay);
    return true;
}

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
