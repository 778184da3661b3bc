// EventList: a preallocated IEventList for the events of one process block.
#pragma once

#include "pluginterfaces/vst/ivstevents.h"

#include <vector>

namespace corvale::host {

/// IEventList with a fixed capacity allocated up front, for the events of one block.
/// The host object owns it (addRef/release do not delete); clear() it between blocks.
class EventList : public Steinberg::Vst::IEventList
{
public:
    /// [main] Allocates room for `maxEvents` events.
    explicit EventList(Steinberg::int32 maxEvents = 512);
    virtual ~EventList() = default;

    /// [audio] Removes all events.
    void clear() noexcept { count_ = 0; }

    /// [any] Maximum number of events.
    Steinberg::int32 capacity() const noexcept
    {
        return static_cast<Steinberg::int32>(events_.size());
    }

    /// [audio] Number of events in the list.
    Steinberg::int32 PLUGIN_API getEventCount() override { return count_; }
    /// [audio] kResultFalse for an index outside 0..count-1.
    Steinberg::tresult PLUGIN_API getEvent(Steinberg::int32 index,
                                           Steinberg::Vst::Event& e) override;
    /// [audio] Appends a copy; kResultFalse when full.
    Steinberg::tresult PLUGIN_API addEvent(Steinberg::Vst::Event& e) override;

    /// [any] FUnknown: answers IEventList; the reference count is not used.
    Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
    Steinberg::uint32 PLUGIN_API addRef() override { return 1; }
    Steinberg::uint32 PLUGIN_API release() override { return 1; }

private:
    std::vector<Steinberg::Vst::Event> events_;
    Steinberg::int32 count_ = 0;
};

} // namespace corvale::host
