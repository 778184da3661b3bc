#pragma once

#include "host/host_window.h"
#include "host/run_loop.h"

#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/gui/iplugview.h"

namespace corvale::host {

/// The IPlugFrame a DAW gives a plug-in's view (IPlugView::setFrame): resizeView resizes
/// the host window and then calls the view's onSize; queryInterface also answers
/// Linux::IRunLoop with the host's run loop, which is how a view finds it.
/// Reference counted; create with `new` and hold it in an IPtr.
class PlugFrame : public Steinberg::IPlugFrame
{
public:
    /// `window` may be null (a view sized without a window); it must outlive the frame's use.
    PlugFrame(RunLoop* loop, HostWindow* window);
    virtual ~PlugFrame();

    /// [UI thread] Resizes the window to newSize's extent and calls view->onSize(newSize).
    /// kInvalidArgument for a null view or rectangle or an empty extent; kResultFalse when
    /// called again from inside the view's onSize, or when the view refuses the size.
    Steinberg::tresult PLUGIN_API resizeView(Steinberg::IPlugView* view, Steinberg::ViewRect* newSize) override;

    /// [UI thread] resizeView calls that were carried out.
    int resizeCount() const { return resizes_; }

    DECLARE_FUNKNOWN_METHODS

private:
    Steinberg::IPtr<RunLoop> loop_;
    HostWindow* window_;
    int resizes_ = 0;
    bool resizing_ = false;
};

} // namespace corvale::host
