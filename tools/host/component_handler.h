// ComponentHandler: the host side of IComponentHandler, recording what a
// controller reports (edits, restart requests, dirty state) for tests and tools.
#pragma once

#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <mutex>
#include <vector>

namespace corvale::host {

/// IComponentHandler (and IComponentHandler2) that records what the controller tells
/// the host: begin/perform/end edits, restart requests, dirty state and group edits.
/// Reference counted; create with `new` and hold it in an IPtr.
class ComponentHandler : public Steinberg::Vst::IComponentHandler,
                         public Steinberg::Vst::IComponentHandler2
{
public:
    enum class EditKind
    {
        Begin,
        Perform,
        End
    };

    /// One recorded edit call; `value` is meaningful for Perform only.
    struct Edit
    {
        EditKind kind;
        Steinberg::Vst::ParamID id;
        Steinberg::Vst::ParamValue value;
        bool operator==(const Edit& o) const
        {
            return kind == o.kind && id == o.id && value == o.value;
        }
    };

    ComponentHandler();
    virtual ~ComponentHandler() = default;

    /// [any] A copy of the edits recorded so far, in call order.
    std::vector<Edit> edits() const;
    /// [any] The flags of every restartComponent call so far, in call order.
    std::vector<Steinberg::int32> restartRequests() const;
    /// [any] The last state given to setDirty (false when never called).
    bool dirty() const;
    /// [any] Number of startGroupEdit and finishGroupEdit calls.
    int groupEditsStarted() const;
    int groupEditsFinished() const;
    /// [any] Forgets everything recorded.
    void clear();

    // IComponentHandler; [any] (plug-ins call these from their main thread).
    Steinberg::tresult PLUGIN_API beginEdit(Steinberg::Vst::ParamID id) override;
    Steinberg::tresult PLUGIN_API performEdit(Steinberg::Vst::ParamID id,
                                              Steinberg::Vst::ParamValue value) override;
    Steinberg::tresult PLUGIN_API endEdit(Steinberg::Vst::ParamID id) override;
    Steinberg::tresult PLUGIN_API restartComponent(Steinberg::int32 flags) override;

    // IComponentHandler2; [any]. requestOpenEditor answers kResultFalse (no editor window here).
    Steinberg::tresult PLUGIN_API setDirty(Steinberg::TBool state) override;
    Steinberg::tresult PLUGIN_API requestOpenEditor(Steinberg::FIDString name) override;
    Steinberg::tresult PLUGIN_API startGroupEdit() override;
    Steinberg::tresult PLUGIN_API finishGroupEdit() override;

    DECLARE_FUNKNOWN_METHODS

private:
    mutable std::mutex mutex_; // edits may come from a plug-in thread other than ours
    std::vector<Edit> edits_;
    std::vector<Steinberg::int32> restarts_;
    bool dirty_ = false;
    int groupsStarted_ = 0;
    int groupsFinished_ = 0;
};

} // namespace corvale::host
