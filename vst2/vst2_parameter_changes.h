// Vst2ParameterChanges: the input (or output) parameter changes of one process
// block, with room for a fixed number of parameters and of points per
// parameter reserved up front, so that filling them on the audio thread never
// allocates. Values the host sets through setParameter go at offset 0 (a VST 2
// host gives no finer timing); MIDI controllers routed to parameters go at
// their events' frames.
#pragma once

#include "pluginterfaces/vst/ivstparameterchanges.h"

#include <array>
#include <vector>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

/// The points of one parameter in one block, in offset order, owned by
/// Vst2ParameterChanges (not reference counted).
class Vst2ValueQueue final : public IParamValueQueue
{
public:
    static constexpr int32 kMaxPoints = 64;

    void reset(ParamID id);  ///< [audio]

    ParamID PLUGIN_API getParameterId() override { return id_; }
    int32 PLUGIN_API getPointCount() override { return count_; }
    tresult PLUGIN_API getPoint(int32 index, int32& sampleOffset, ParamValue& value) override;
    /// Inserts a point in offset order; a point at an offset that already has one
    /// replaces its value. When the queue is full a point after all others
    /// replaces the last one (the latest value always lands); an earlier one is
    /// refused. [audio]
    tresult PLUGIN_API addPoint(int32 sampleOffset, ParamValue value, int32& index) override;

    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
    uint32 PLUGIN_API addRef() override { return 1; }
    uint32 PLUGIN_API release() override { return 1; }

private:
    struct Point
    {
        int32 offset = 0;
        ParamValue value = 0.0;
    };

    ParamID id_ = 0;
    int32 count_ = 0;
    std::array<Point, kMaxPoints> points_ {};
};

class Vst2ParameterChanges : public IParameterChanges
{
public:
    /// Reserves room for `capacity` parameters. [main]
    explicit Vst2ParameterChanges(int32 capacity = 0) { reserve(capacity); }
    void reserve(int32 capacity);  ///< [main]

    /// Empties the list; the room stays. [audio]
    void clear() { used_ = 0; }
    /// Adds a point for one parameter (offset 0 by default); false when there is
    /// no room for it. [audio]
    bool set(ParamID id, ParamValue value, int32 sampleOffset = 0);

    int32 PLUGIN_API getParameterCount() override { return used_; }
    IParamValueQueue* PLUGIN_API getParameterData(int32 index) override;
    /// The queue of `id`, created when missing; null (index -1) when full.
    IParamValueQueue* PLUGIN_API addParameterData(const ParamID& id, int32& index) override;

    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
    uint32 PLUGIN_API addRef() override { return 1; }
    uint32 PLUGIN_API release() override { return 1; }

private:
    std::vector<Vst2ValueQueue> queues_;
    int32 used_ = 0;
};

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
