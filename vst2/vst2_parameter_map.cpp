#include "vst2/vst2_parameter_map.h"

#include "pluginterfaces/vst/ivstunits.h"

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

void Vst2ParameterMap::build(IEditController& controller)
{
    *this = Vst2ParameterMap();
    const int32 total = controller.getParameterCount();
    for (int32 i = 0; i < total; ++i)
    {
        ParameterInfo info {};
        if (controller.getParameterInfo(i, info) != kResultOk)
            continue;
        if ((info.flags & ParameterInfo::kIsBypass) != 0)
        {
            if (!hasBypass_)
            {
                hasBypass_ = true;
                bypassId_ = info.id;
            }
            continue;
        }
        if ((info.flags & ParameterInfo::kIsProgramChange) != 0)
        {
            if (!hasProgram_ && info.unitId == kRootUnitId)
            {
                hasProgram_ = true;
                programId_ = info.id;
                programSteps_ = info.stepCount;
            }
            continue;
        }
        if ((info.flags & ParameterInfo::kIsReadOnly) != 0)
            continue;
        indices_[info.id] = count();
        infos_.push_back(info);
    }
}

bool Vst2ParameterMap::idOf(int32 index, ParamID& id) const
{
    if (index < 0 || index >= count())
        return false;
    id = infos_[static_cast<size_t>(index)].id;
    return true;
}

int32 Vst2ParameterMap::indexOf(ParamID id) const
{
    const auto it = indices_.find(id);
    return it != indices_.end() ? it->second : -1;
}

const ParameterInfo* Vst2ParameterMap::infoOf(int32 index) const
{
    return index >= 0 && index < count() ? &infos_[static_cast<size_t>(index)] : nullptr;
}

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
