// Vst2Adapter::dispatch: the host's dispatcher opcodes, each handed to the part
// of the adapter that answers it.
#include "vst2/vst2_adapter.h"

#include <cmath>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

VstIntPtr Vst2Adapter::dispatch(int opcode, int index, VstIntPtr value, void* ptr, float opt)
{
    switch (opcode)
    {
    case effOpen:
        return 0;
    case effClose:
        delete this;  // the effect is gone: nothing may touch a member after this
        return 1;

    case effSetProgram:
        return selectProgram(static_cast<int32>(value)) ? 1 : 0;
    case effGetProgram:
        return currentProgram_;
    case effSetProgramName:
        return 0;  // factory programs keep their names
    case effGetProgramName:
        return programName(currentProgram_, static_cast<char*>(ptr)) ? 1 : 0;
    case effGetProgramNameIndexed:
        return programName(index, static_cast<char*>(ptr)) ? 1 : 0;

    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
        return parameterText(opcode, index, static_cast<char*>(ptr)) ? 1 : 0;
    case effCanBeAutomated:
    {
        const ParameterInfo* info = parameterMap_.infoOf(index);
        return info != nullptr && (info->flags & ParameterInfo::kCanAutomate) != 0 ? 1 : 0;
    }
    case effString2Parameter:
        return parameterFromText(index, static_cast<const char*>(ptr)) ? 1 : 0;

    case effSetSampleRate:
        if (std::isfinite(opt) && opt > 0.0f)
            sampleRate_ = opt;
        if (!active_)
            applySetup();  // while active it applies at the next resume
        return 0;
    case effSetBlockSize:
        if (value > 0)
            blockSize_ = static_cast<int32>(value);
        if (!active_)
            applySetup();
        return 0;
    case effMainsChanged:
        flushToController();
        setMains(value != 0);
        return 0;
    case effStartProcess:
    case effStopProcess:
        if (active_)
            processor_->setProcessing(opcode == effStartProcess);
        return 0;
    case effProcessEvents:
        receiveEvents(static_cast<const VstEvents*>(ptr));
        return 1;
    case kEffSetBypass:
        setBypass(value != 0);
        return parameterMap_.hasBypass() ? 1 : 0;
    case kEffGetTailSize:
        return static_cast<VstIntPtr>(processor_->getTailSamples());

    case effGetChunk:
        return getChunk(static_cast<void**>(ptr));
    case effSetChunk:
        return value > 0 && setChunk(ptr, static_cast<size_t>(value)) ? 1 : 0;

    case effGetPlugCategory:
    case effGetEffectName:
    case effGetVendorString:
    case effGetProductString:
    case effGetVendorVersion:
        return identity(opcode, ptr);
    case effCanDo:
        return canDo(static_cast<const char*>(ptr));
    case effGetVstVersion:
        return kVstVersion;

    case effEditGetRect:
        return editorRect(ptr);
    case effEditOpen:
        return openEditor(ptr);
    case effEditClose:
        closeEditor();
        return 1;
    case effEditIdle:
        flushToController();
        plugFrame_.serve();
        return 0;

    default:
        return 0;
    }
}

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
