// ParamValueQueue: sorted insertion and the IParamValueQueue calls.
#include "host/param_value_queue.h"

namespace corvale::host {

using namespace Steinberg;
using namespace Steinberg::Vst;

ParamValueQueue::ParamValueQueue(int32 maxPoints)
    : points_(static_cast<std::size_t>(maxPoints > 0 ? maxPoints : 1))
{}

void ParamValueQueue::reset(ParamID id) noexcept
{
    id_ = id;
    count_ = 0;
}

tresult PLUGIN_API ParamValueQueue::getPoint(int32 index, int32& sampleOffset, ParamValue& value)
{
    if (index < 0 || index >= count_)
        return kResultFalse;
    sampleOffset = points_[static_cast<std::size_t>(index)].offset;
    value = points_[static_cast<std::size_t>(index)].value;
    return kResultOk;
}

tresult PLUGIN_API ParamValueQueue::addPoint(int32 sampleOffset, ParamValue value, int32& index)
{
    int32 dest = count_;
    for (int32 i = 0; i < count_; ++i)
    {
        auto& p = points_[static_cast<std::size_t>(i)];
        if (p.offset == sampleOffset)
        {
            p.value = value;
            index = i;
            return kResultOk;
        }
        if (p.offset > sampleOffset)
        {
            dest = i;
            break;
        }
    }
    if (count_ >= capacity())
        return kResultFalse;
    for (int32 i = count_; i > dest; --i)
        points_[static_cast<std::size_t>(i)] = points_[static_cast<std::size_t>(i - 1)];
    points_[static_cast<std::size_t>(dest)] = {sampleOffset, value};
    ++count_;
    index = dest;
    return kResultOk;
}

tresult PLUGIN_API ParamValueQueue::queryInterface(const TUID _iid, void** obj)
{
    QUERY_INTERFACE(_iid, obj, FUnknown::iid, IParamValueQueue)
    QUERY_INTERFACE(_iid, obj, IParamValueQueue::iid, IParamValueQueue)
    *obj = nullptr;
    return kNoInterface;
}

} // namespace corvale::host
