// ParameterChanges: the preallocated IParameterChanges of one process block.
#pragma once

#include "host/param_value_queue.h"

#include "pluginterfaces/vst/ivstparameterchanges.h"

#include <vector>

namespace corvale::host {

/// IParameterChanges for one process block, preallocated: up to `maxQueues` parameters
/// with up to `maxPoints` points each, so nothing is allocated while audio runs. The host
/// object owns it (addRef/release do not delete); clear() it between blocks.
class ParameterChanges : public Steinberg::Vst::IParameterChanges
{
public:
    /// [main] Allocates every queue up front.
    explicit ParameterChanges(Steinberg::int32 maxQueues = 256, Steinberg::int32 maxPoints = 64);
    virtual ~ParameterChanges() = default;

    /// [audio] Removes all queues (keeps their memory).
    void clear() noexcept;

    /// [audio] Adds one point for `id` at `sampleOffset`; false when queues or points are full.
    /// Typical use: changes.addChange(8, 0, 0.75) before a process call.
    bool addChange(Steinberg::Vst::ParamID id, Steinberg::int32 sampleOffset,
                   Steinberg::Vst::ParamValue value) noexcept;

    /// [any] The queue for `id`, or null when the block has none.
    ParamValueQueue* findQueue(Steinberg::Vst::ParamID id) noexcept;

    /// [any] The value of the last point for `id`; false when there is none.
    bool lastValue(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue& value) noexcept;

    /// [audio] Number of parameters with changes in this block.
    Steinberg::int32 PLUGIN_API getParameterCount() override { return count_; }
    /// [audio] Null for an index outside 0..count-1.
    Steinberg::Vst::IParamValueQueue* PLUGIN_API getParameterData(Steinberg::int32 index) override;
    /// [audio] Returns the existing queue of `id` or a new empty one; null when all are in use.
    Steinberg::Vst::IParamValueQueue* PLUGIN_API addParameterData(const Steinberg::Vst::ParamID& id,
                                                                  Steinberg::int32& index) override;

    /// [any] FUnknown: answers IParameterChanges; the reference count is not used.
    Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
    Steinberg::uint32 PLUGIN_API addRef() override { return 1; }
    Steinberg::uint32 PLUGIN_API release() override { return 1; }

private:
    std::vector<ParamValueQueue> queues_;
    Steinberg::int32 count_ = 0;
};

} // namespace corvale::host
