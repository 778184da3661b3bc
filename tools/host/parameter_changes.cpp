// ParameterChanges: queue lookup and the IParameterChanges calls.
#include "host/parameter_changes.h"

namespace corvale::host {

using namespace Steinberg;
using namespace Steinberg::Vst;

ParameterChanges::ParameterChanges(int32 maxQueues, int32 maxPoints)
    : queues_(static_cast<std::size_t>(maxQueues > 0 ? maxQueues : 1), ParamValueQueue(maxPoints))
{}

void ParameterChanges::clear() noexcept
{
    count_ = 0;
}

bool ParameterChanges::addChange(ParamID id, int32 sampleOffset, ParamValue value) noexcept
{
    int32 index = 0;
    IParamValueQueue* queue = addParameterData(id, index);
    return queue != nullptr && queue->addPoint(sampleOffset, value, index) == kResultOk;
}

ParamValueQueue* ParameterChanges::findQueue(ParamID id) noexcept
{
    for (int32 i = 0; i < count_; ++i)
    {
        if (queues_[static_cast<std::size_t>(i)].getParameterId() == id)
            return &queues_[static_cast<std::size_t>(i)];
    }
    return nullptr;
}

bool ParameterChanges::lastValue(ParamID id, ParamValue& value) noexcept
{
    ParamValueQueue* queue = findQueue(id);
    int32 offset = 0;
    return queue != nullptr
           && queue->getPoint(queue->getPointCount() - 1, offset, value) == kResultOk;
}

IParamValueQueue* PLUGIN_API ParameterChanges::getParameterData(int32 index)
{
    if (index < 0 || index >= count_)
        return nullptr;
    return &queues_[static_cast<std::size_t>(index)];
}

IParamValueQueue* PLUGIN_API ParameterChanges::addParameterData(const ParamID& id, int32& index)
{
    for (int32 i = 0; i < count_; ++i)
    {
        if (queues_[static_cast<std::size_t>(i)].getParameterId() == id)
        {
            index = i;
            return &queues_[static_cast<std::size_t>(i)];
        }
    }
    if (count_ >= static_cast<int32>(queues_.size()))
        return nullptr;
    index = count_;
    auto& queue = queues_[static_cast<std::size_t>(count_++)];
    queue.reset(id);
    return &queue;
}

tresult PLUGIN_API ParameterChanges::queryInterface(const TUID _iid, void** obj)
{
    QUERY_INTERFACE(_iid, obj, FUnknown::iid, IParameterChanges)
    QUERY_INTERFACE(_iid, obj, IParameterChanges::iid, IParameterChanges)
    *obj = nullptr;
    return kNoInterface;
}

} // namespace corvale::host
