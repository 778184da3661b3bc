// ComponentHandler: recording the controller's edits and requests.
#include "host/component_handler.h"

namespace corvale::host {

using namespace Steinberg;
using namespace Steinberg::Vst;

ComponentHandler::ComponentHandler() {FUNKNOWN_CTOR}

IMPLEMENT_REFCOUNT(ComponentHandler)

    tresult PLUGIN_API ComponentHandler::queryInterface(const TUID iid, void** obj)
{
    QUERY_INTERFACE(iid, obj, FUnknown::iid, IComponentHandler)
    QUERY_INTERFACE(iid, obj, IComponentHandler::iid, IComponentHandler)
    QUERY_INTERFACE(iid, obj, IComponentHandler2::iid, IComponentHandler2)
    *obj = nullptr;
    return kNoInterface;
}

std::vector<ComponentHandler::Edit> ComponentHandler::edits() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return edits_;
}

std::vector<int32> ComponentHandler::restartRequests() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return restarts_;
}

bool ComponentHandler::dirty() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return dirty_;
}

int ComponentHandler::groupEditsStarted() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return groupsStarted_;
}

int ComponentHandler::groupEditsFinished() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return groupsFinished_;
}

void ComponentHandler::clear()
{
    std::lock_guard<std::mutex> lock(mutex_);
    edits_.clear();
    restarts_.clear();
    dirty_ = false;
    groupsStarted_ = groupsFinished_ = 0;
}

tresult PLUGIN_API ComponentHandler::beginEdit(ParamID id)
{
    std::lock_guard<std::mutex> lock(mutex_);
    edits_.push_back({EditKind::Begin, id, 0.0});
    return kResultOk;
}

tresult PLUGIN_API ComponentHandler::performEdit(ParamID id, ParamValue value)
{
    std::lock_guard<std::mutex> lock(mutex_);
    edits_.push_back({EditKind::Perform, id, value});
    return kResultOk;
}

tresult PLUGIN_API ComponentHandler::endEdit(ParamID id)
{
    std::lock_guard<std::mutex> lock(mutex_);
    edits_.push_back({EditKind::End, id, 0.0});
    return kResultOk;
}

tresult PLUGIN_API ComponentHandler::restartComponent(int32 flags)
{
    std::lock_guard<std::mutex> lock(mutex_);
    restarts_.push_back(flags);
    return kResultOk;
}

tresult PLUGIN_API ComponentHandler::setDirty(TBool state)
{
    std::lock_guard<std::mutex> lock(mutex_);
    dirty_ = state != 0;
    return kResultOk;
}

tresult PLUGIN_API ComponentHandler::requestOpenEditor(FIDString)
{
    return kResultFalse; // a command-line host has no editor window to open
}

tresult PLUGIN_API ComponentHandler::startGroupEdit()
{
    std::lock_guard<std::mutex> lock(mutex_);
    ++groupsStarted_;
    return kResultOk;
}

tresult PLUGIN_API ComponentHandler::finishGroupEdit()
{
    std::lock_guard<std::mutex> lock(mutex_);
    ++groupsFinished_;
    return kResultOk;
}

} // namespace corvale::host
