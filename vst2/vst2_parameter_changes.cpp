#include "vst2/vst2_parameter_changes.h"

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

void Vst2ValueQueue::reset(ParamID id)
{
    id_ = id;
    hasPoint_ = false;
    offset_ = 0;
    value_ = 0.0;
}

tresult PLUGIN_API Vst2ValueQueue::getPoint(int32 index, int32& sampleOffset, ParamValue& value)
{
    if (index != 0 || !hasPoint_)
        return kResultFalse;
    sampleOffset = offset_;
    value = value_;
    return kResultOk;
}

tresult PLUGIN_API Vst2ValueQueue::addPoint(int32 sampleOffset, ParamValue value, int32& index)
{
    hasPoint_ = true;
    offset_ = sampleOffset;
    value_ = value;
    index = 0;
    return kResultOk;
}

tresult PLUGIN_API Vst2ValueQueue::queryInterface(const TUID _iid, void** obj)
{
    QUERY_INTERFACE(_iid, obj, FUnknown::iid, IParamValueQueue)
    QUERY_INTERFACE(_iid, obj, IParamValueQueue::iid, IParamValueQueue)
    *obj = nullptr;
    return kNoInterface;
}

void Vst2ParameterChanges::reserve(int32 capacity)
{
    queues_.resize(static_cast<size_t>(capacity > 0 ? capacity : 0));
    used_ = 0;
}

bool Vst2ParameterChanges::set(ParamID id, ParamValue value)
{
    int32 index = 0;
    IParamValueQueue* queue = addParameterData(id, index);
    if (queue == nullptr)
        return false;
    int32 point = 0;
    return queue->addPoint(0, value, point) == kResultOk;
}

IParamValueQueue* PLUGIN_API Vst2ParameterChanges::getParameterData(int32 index)
{
    return index >= 0 && index < used_ ? &queues_[static_cast<size_t>(index)] : nullptr;
}

IParamValueQueue* PLUGIN_API Vst2ParameterChanges::addParameterData(const ParamID& id, int32& index)
{
    for (int32 i = 0; i < used_; ++i)
        if (queues_[static_cast<size_t>(i)].getParameterId() == id)
        {
            index = i;
            return &queues_[static_cast<size_t>(i)];
        }
    if (used_ >= static_cast<int32>(queues_.size()))
    {
        index = -1;
        return nullptr;
    }
    index = used_++;
    Vst2ValueQueue& queue = queues_[static_cast<size_t>(index)];
    queue.reset(id);
    return &queue;
}

tresult PLUGIN_API Vst2ParameterChanges::queryInterface(const TUID _iid, void** obj)
{
    QUERY_INTERFACE(_iid, obj, FUnknown::iid, IParameterChanges)
    QUERY_INTERFACE(_iid, obj, IParameterChanges::iid, IParameterChanges)
    *obj = nullptr;
    return kNoInterface;
}

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
