#include "fake_gain_controller.h"

#include "base/source/fstreamer.h"

#include <cmath>

namespace fake_gain {

using namespace Steinberg;
using namespace Steinberg::Vst;

tresult PLUGIN_API Controller::initialize(FUnknown* context)
{
    const tresult result = EditControllerEx1::initialize(context);
    if (result != kResultOk)
        return result;
    auto* gain = new RangeParameter(STR16("Gain"), kGainId, STR16("x"), 0.0, 2.0, 1.0);
    gain->setPrecision(2);
    parameters.addParameter(gain);
    parameters.addParameter(STR16("Level"), nullptr, 0, 0.0, ParameterInfo::kIsReadOnly, kLevelId);
    parameters.addParameter(STR16("Position"), nullptr, 0, 0.0, ParameterInfo::kIsReadOnly, kPositionId);
    parameters.addParameter(STR16("Events"), nullptr, 0, 0.0, ParameterInfo::kIsReadOnly, kEventsId);

    addUnit(new Unit(STR16("Root"), kRootUnitId, kNoParentUnitId, kProgramId));
    auto* programs = new ProgramList(STR16("Programs"), kProgramId, kRootUnitId);
    programs->addProgram(STR16("Unity"));
    programs->addProgram(STR16("Half"));
    programs->addProgram(STR16("Mute"));
    addProgramList(programs);
    parameters.addParameter(programs->getParameter());
    return kResultOk;
}

tresult PLUGIN_API Controller::setComponentState(IBStream* state)
{
    IBStreamer s(state, kLittleEndian);
    char magic[4] {};
    float gain = 0;
    if (s.readRaw(magic, 4) != 4 || !s.readFloat(gain))
        return kResultFalse;
    return EditControllerEx1::setParamNormalized(kGainId, gain / 2.0);
}

tresult PLUGIN_API Controller::setParamNormalized(ParamID id, ParamValue value)
{
    const tresult result = EditControllerEx1::setParamNormalized(id, value);
    if (result == kResultOk && id == kProgramId) {
        EditControllerEx1::setParamNormalized(kGainId, kProgramGains[std::lround(value * 2.0)] / 2.0);
        if (componentHandler != nullptr)
            componentHandler->restartComponent(kParamValuesChanged);
    }
    return result;
}

} // namespace fake_gain
