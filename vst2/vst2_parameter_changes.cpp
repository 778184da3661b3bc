#include "vst2/vst2_parameter_changes.h"

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

void Vst2ValueQueue::reset(ParamID id)
{
    id_ = id;
    count_ = 0;
}

tresult PLUGIN_API Vst2ValueQueue::getPoint(int32 index, int32& sampleOffset, ParamValue& value)
{
    if (index < 0 || index >= count_)
        return kResultFalse;
    sampleOffset = points_[static_cast<size_t>(index)].offset;
    value = points_[static_cast<size_t>(index)].value;
    return kResultOk;
}

tresult PLUGIN_API Vst2ValueQueue::addPoint(int32 sampleOffset, ParamValue value, int32& index)
{
    // Hosts and the adapter add in frame order, so this is normally an append.
    int32 at = count_;
    while (at > 0 && points_[static_cast<size_t>(at - 1)].offset > sampleOffset)
        --at;
    if (at > 0 && points_[static_cast<size_t>(at - 1)].offset == sampleOffset)
    {
        index = at - 1;
        points_[static_cast<size_t>(index)].value = value;
        return kResultOk;
    }
    if (count_ == kMaxPoints)
    {
        if (at < count_)
        {
            index = -1;
            return kResultFalse;
        }
        at = count_ - 1;  // full: the newest point takes the last place
    }
    else
    {
        for (int32 i = count_; i > at; --i)
            points_[static_cast<size_t>(i)] = points_[static_cast<size_t>(i - 1)];
        ++count_;
    }
    points_[static_cast<size_t>(at)] = Point {sampleOffset, value};
    index = at;
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

bool Vst2ParameterChanges::set(ParamID id, ParamValue value, int32 sampleOffset)
{
    int32 index = 0;
    IParamValueQueue* queue = addParameterData(id, index);
    if (queue == nullptr)
        return false;
    int32 point = 0;
    return queue->addPoint(sampleOffset, value, point) == kResultOk;
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
