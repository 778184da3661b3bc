// EventList: storage and the IEventList calls.
#include "host/event_list.h"

namespace corvale::host {

using namespace Steinberg;
using namespace Steinberg::Vst;

EventList::EventList(int32 maxEvents)
    : events_(static_cast<std::size_t>(maxEvents > 0 ? maxEvents : 1))
{}

tresult PLUGIN_API EventList::getEvent(int32 index, Event& e)
{
    if (index < 0 || index >= count_)
        return kResultFalse;
    e = events_[static_cast<std::size_t>(index)];
    return kResultOk;
}

tresult PLUGIN_API EventList::addEvent(Event& e)
{
    if (count_ >= capacity())
        return kResultFalse;
    events_[static_cast<std::size_t>(count_++)] = e;
    return kResultOk;
}

tresult PLUGIN_API EventList::queryInterface(const TUID _iid, void** obj)
{
    QUERY_INTERFACE(_iid, obj, FUnknown::iid, IEventList)
    QUERY_INTERFACE(_iid, obj, IEventList::iid, IEventList)
    *obj = nullptr;
    return kNoInterface;
}

} // namespace corvale::host
