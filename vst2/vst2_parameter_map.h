// Vst2ParameterMap: which VST 3 parameter each VST 2 parameter index stands for.
// The controller's parameters are walked in their order; the bypass parameter
// (reached through effSetBypass), the program-change parameter (reached through
// the VST 2 programs) and read-only parameters get no index; every other one
// gets the next index from 0. Hosts store these indices in their sessions and
// automation, so the walk must stay the same.
#pragma once

#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <unordered_map>
#include <vector>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

class Vst2ParameterMap
{
public:
    /// Walks the controller's parameters and builds the map. [main]
    void build(IEditController& controller);

    /// Number of VST 2 parameters. [any]
    int32 count() const { return static_cast<int32>(infos_.size()); }
    /// The VST 3 ID for a VST 2 index; false when the index is out of range. [any]
    bool idOf(int32 index, ParamID& id) const;
    /// The VST 2 index of a VST 3 ID, or -1 when it has none. [main]
    int32 indexOf(ParamID id) const;
    /// The controller's description of a parameter by VST 2 index; null out of range. [any]
    const ParameterInfo* infoOf(int32 index) const;

    /// The first parameter flagged kIsBypass. [any]
    bool hasBypass() const { return hasBypass_; }
    ParamID bypassId() const { return bypassId_; }

    /// The first program-change parameter of the root unit and its step count. [any]
    bool hasProgramParameter() const { return hasProgram_; }
    ParamID programId() const { return programId_; }
    int32 programStepCount() const { return programSteps_; }

private:
    std::vector<ParameterInfo> infos_;
    std::unordered_map<ParamID, int32> indices_;
    bool hasBypass_ = false;
    ParamID bypassId_ = 0;
    bool hasProgram_ = false;
    ParamID programId_ = 0;
    int32 programSteps_ = 0;
};

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
