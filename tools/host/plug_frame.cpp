#include "host/plug_frame.h"

namespace corvale::host {

using namespace Steinberg;

PlugFrame::PlugFrame(RunLoop* loop, HostWindow* window) : loop_(loop), window_(window)
{
    FUNKNOWN_CTOR
}

PlugFrame::~PlugFrame()
{
    FUNKNOWN_DTOR
}

IMPLEMENT_REFCOUNT(PlugFrame)

tresult PLUGIN_API PlugFrame::queryInterface(const TUID _iid, void** obj)
{
    QUERY_INTERFACE(_iid, obj, FUnknown::iid, IPlugFrame)
    QUERY_INTERFACE(_iid, obj, IPlugFrame::iid, IPlugFrame)
    if (loop_ && FUnknownPrivate::iidEqual(_iid, Linux::IRunLoop::iid))
        return loop_->queryInterface(_iid, obj);
    *obj = nullptr;
    return kNoInterface;
}

tresult PLUGIN_API PlugFrame::resizeView(IPlugView* view, ViewRect* newSize)
{
    if (!view || !newSize || newSize->getWidth() <= 0 || newSize->getHeight() <= 0)
        return kInvalidArgument;
    if (resizing_)
        return kResultFalse; // the view asked again from its onSize: no endless ping-pong
    resizing_ = true;
    if (window_)
        window_->resize(newSize->getWidth(), newSize->getHeight());
    const tresult result = view->onSize(newSize);
    resizing_ = false;
    ++resizes_;
    return result == kResultTrue ? kResultTrue : kResultFalse;
}

} // namespace corvale::host
