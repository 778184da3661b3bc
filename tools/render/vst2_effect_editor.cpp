// Vst2Effect: the plug-in's editor through the VST 2 entry, in a window of the tool's own.
// A VST 2 host lends the editor no run loop: it calls effEditIdle often, and the plug-in
// serves its window from there.
#include "vst2_effect.h"

#include "tool_error.h"

#include "host/host_window.h"
#include "host/run_loop.h"

#include "pluginterfaces/fst/aeffectx.h"

#include <functional>

namespace corvale::render {

using namespace Steinberg;

namespace {

// How often a DAW typically calls effEditIdle while an editor is open.
constexpr Linux::TimerInterval kEditIdleMs = 15;

class IdleTicker : public Linux::ITimerHandler
{
public:
    explicit IdleTicker(std::function<void()> tick) : tick_(std::move(tick)) { FUNKNOWN_CTOR }
    virtual ~IdleTicker() { FUNKNOWN_DTOR }
    void PLUGIN_API onTimer() override { tick_(); }
    DECLARE_FUNKNOWN_METHODS

private:
    std::function<void()> tick_;
};

IMPLEMENT_FUNKNOWN_METHODS(IdleTicker, Linux::ITimerHandler, Linux::ITimerHandler::iid)

} // namespace

void Vst2Effect::runEditor(double scale)
{
    if (scale != 1.0)
        throw ToolError("--scale needs the VST 3 entry (leave out --vst2)");
    if ((effect_->flags & effFlagsHasEditor) == 0)
        throw ToolError("the plug-in has no editor");
    ERect* rect = nullptr;
    if (dispatch(effEditGetRect, 0, 0, &rect) == 0 || rect == nullptr || rect->right <= rect->left
        || rect->bottom <= rect->top)
        throw ToolError("the plug-in's editor reports no size");

    IPtr<host::RunLoop> loop = owned(new host::RunLoop);
    host::HostWindow window(loop, name(), rect->right - rect->left, rect->bottom - rect->top);
    if (!window.isOpen())
        throw ToolError("cannot open a window: " + window.error());
    if (dispatch(effEditOpen, 0, 0, window.nativeParent()) == 0)
        throw ToolError("the plug-in's editor did not open");
    IPtr<IdleTicker> idle = owned(new IdleTicker([this] { dispatch(effEditIdle); }));
    loop->registerTimer(idle, kEditIdleMs);
    loop->run(); // until the window is closed
    loop->unregisterTimer(idle);
    dispatch(effEditClose);
}

EditorPicture Vst2Effect::drawEditor(double)
{
    throw ToolError("--editor-screenshot draws through the VST 3 entry (leave out --vst2)");
}

} // namespace corvale::render
