// Vst2ParameterChanges: the input (or output) parameter changes of one process
// block, with room for a fixed number of parameters reserved up front, so that
// filling them on the audio thread never allocates. Each queue holds one point;
// the adapter puts every change at sample offset 0, as a VST 2 host gives no
// finer timing.
#pragma once

#include "pluginterfaces/vst/ivstparameterchanges.h"

#include <vector>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

/// A queue of at most one point, owned by Vst2ParameterChanges (not reference counted).
class Vst2ValueQueue : public IParamValueQueue
{
public:
    void reset(ParamID id);  ///< [audio]

    ParamID PLUGIN_API getParameterId() override { return id_; }
    int32 PLUGIN_API getPointCount() override { return hasPoint_ ? 1 : 0; }
    tresult PLUGIN_API getPoint(int32 index, int32& sampleOffset, ParamValue& value) override;
    /// Keeps the latest point: a second point replaces the first.
    tresult PLUGIN_API addPoint(int32 sampleOffset, ParamValue value, int32& index) override;

    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
    uint32 PLUGIN_API addRef() override { return 1; }
    uint32 PLUGIN_API release() override { return 1; }

private:
    ParamID id_ = 0;
    bool hasPoint_ = false;
    int32 offset_ = 0;
    ParamValue value_ = 0.0;
};

class Vst2ParameterChanges : public IParameterChanges
{
public:
    /// Reserves room for `capacity` parameters. [main]
    explicit Vst2ParameterChanges(int32 capacity = 0) { reserve(capacity); }
    void reserve(int32 capacity);  ///< [main]

    /// Empties the list; the room stays. [audio]
    void clear() { used_ = 0; }
    /// Adds (or replaces) the change of one parameter at offset 0; false when full. [audio]
    bool set(ParamID id, ParamValue value);

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
