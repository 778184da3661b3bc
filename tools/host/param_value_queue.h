// ParamValueQueue: one parameter's points within a block, preallocated.
#pragma once

#include "pluginterfaces/vst/ivstparameterchanges.h"

#include <vector>

namespace corvale::host {

/// IParamValueQueue with a fixed capacity allocated up front: points are kept sorted
/// by sample offset, and a point at an offset already present replaces its value.
/// Owned by ParameterChanges (addRef/release do not delete).
class ParamValueQueue : public Steinberg::Vst::IParamValueQueue
{
public:
    /// [main] Allocates room for `maxPoints` points.
    explicit ParamValueQueue(Steinberg::int32 maxPoints);
    virtual ~ParamValueQueue() = default;

    /// [audio] Empties the queue and gives it a new parameter ID.
    void reset(Steinberg::Vst::ParamID id) noexcept;

    /// [any] Maximum number of points.
    Steinberg::int32 capacity() const noexcept
    {
        return static_cast<Steinberg::int32>(points_.size());
    }

    /// [audio] The parameter this queue carries, and its number of points.
    Steinberg::Vst::ParamID PLUGIN_API getParameterId() override { return id_; }
    Steinberg::int32 PLUGIN_API getPointCount() override { return count_; }
    /// [audio] kResultFalse for an index outside 0..count-1.
    Steinberg::tresult PLUGIN_API getPoint(Steinberg::int32 index, Steinberg::int32& sampleOffset,
                                           Steinberg::Vst::ParamValue& value) override;
    /// [audio] Inserts in offset order; kResultFalse (nothing changed) when full.
    Steinberg::tresult PLUGIN_API addPoint(Steinberg::int32 sampleOffset,
                                           Steinberg::Vst::ParamValue value,
                                           Steinberg::int32& index) override;

    /// [any] FUnknown: answers IParamValueQueue; the reference count is not used.
    Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
    Steinberg::uint32 PLUGIN_API addRef() override { return 1; }
    Steinberg::uint32 PLUGIN_API release() override { return 1; }

private:
    struct Point
    {
        Steinberg::int32 offset;
        Steinberg::Vst::ParamValue value;
    };
    Steinberg::Vst::ParamID id_ = 0;
    Steinberg::int32 count_ = 0;
    std::vector<Point> points_;
};

} // namespace corvale::host
