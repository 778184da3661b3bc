#include "gui/plugin/vst3_editor.h"

#include "gui/ctextedit.h"
#include "gui/uidesc/ui_value_parser.h"

#include "base/source/updatehandler.h"

#include <algorithm>

namespace VSTGUI {

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

// The editor reads the template's sizes itself, more leniently than the view appliers:
// the leading integers before and after the first comma.
bool readTemplatePoint(const UIAttributes& attributes, const char* name, CPoint& out)
{
    const std::string* text = attributes.getAttributeValue(name);
    if (!text)
        return false;
    const size_t comma = text->find(',');
    int32_t x = 0;
    int32_t y = 0;
    if (comma == std::string::npos || !UIValueParser::parseLeadingInteger(text->substr(0, comma), x)
        || !UIValueParser::parseLeadingInteger(text->substr(comma + 1), y) || x <= 0 || y <= 0)
        return false;
    out = CPoint(x, y);
    return true;
}

} // namespace

VST3Editor::VST3Editor(EditController* editController, UTF8StringPtr name,
                       UTF8StringPtr descriptionName)
: VSTGUIEditor(editController),
  description(std::make_unique<UIDescription>(descriptionName ? descriptionName : "")),
  templateName(name ? name : ""),
  delegate(dynamic_cast<VST3EditorDelegate*>(editController))
{
    // Parameters tell their bindings about new values through the SDK's update handler.
    UpdateHandler::instance();
    setIdleRate(300);
    if (description->parse())
        readTemplateSize();
}

VST3Editor::~VST3Editor()
{
    // A host that releases the view without removing it first.
    if (frame)
        destroyFrameContent();
    releaseBindings();
}

void VST3Editor::readTemplateSize()
{
    const UIAttributes* attributes = description->getTemplateAttributes(templateName.c_str());
    if (!attributes)
        return;
    CPoint size;
    if (!readTemplatePoint(*attributes, "size", size))
        return;
    minSize = size;
    maxSize = size;
    readTemplatePoint(*attributes, "minSize", minSize);
    readTemplatePoint(*attributes, "maxSize", maxSize);
    setLogicalSize(size.x, size.y);
}

bool VST3Editor::exchangeView(UTF8StringPtr name)
{
    if (!name || !description->hasTemplate(name))
        return false;
    templateName = name;
    doCreateView = true;
    return true;
}

ParameterChangeListener* VST3Editor::getParameterChangeListener(int32_t tag) const
{
    auto it = bindings.find(tag);
    return it == bindings.end() ? nullptr : it->second.get();
}

bool VST3Editor::createFrameContent()
{
    const CPoint size = getLogicalSize();
    frame = new CFrame(CRect(0, 0, size.x, size.y), this);
    frame->registerViewAddedRemovedObserver(this);
    frame->setTransparency(true);
    frame->enableTooltips(true);
    CView* view = description->isParsed() ? description->createView(templateName.c_str(), this) : nullptr;
    if (!view)
    {
        destroyFrameContent();
        return false;
    }
    frame->setSize(view->getWidth(), view->getHeight());
    frame->addView(view);
    setLogicalSize(frame->getWidth(), frame->getHeight());
    return true;
}

void VST3Editor::destroyFrameContent()
{
    releaseBindings();
    if (!frame)
        return;
    frame->unregisterViewAddedRemovedObserver(this);
    CFrame* closing = frame;
    frame = nullptr;
    closing->close();
}

void VST3Editor::releaseBindings()
{
    textGestures.clear();
    auto gone = std::move(bindings);
    bindings.clear();
    for (auto& entry : gone)
        entry.second->detach();
}

bool VST3Editor::open(void* parent, const PlatformType&)
{
    if (frame || !createFrameContent())
        return false;
    if (!openFrameWindow(parent))
    {
        destroyFrameContent();
        return false;
    }
    if (delegate)
        delegate->didOpen(this);
    return true;
}

void VST3Editor::close()
{
    if (!frame)
        return;
    if (delegate)
        delegate->willClose(this);
    destroyFrameContent();
}

bool VST3Editor::openOffscreen()
{
    return !frame && createFrameContent();
}

void VST3Editor::closeOffscreen()
{
    destroyFrameContent();
}

CMessageResult VST3Editor::notify(CBaseObject* sender, IdStringPtr message)
{
    if (message == CVSTGUITimer::kMsgTimer && doCreateView)
        recreateView();
    return VSTGUIEditor::notify(sender, message);
}

void VST3Editor::recreateView()
{
    doCreateView = false;
    if (!frame)
        return;
    const ViewRect before = scaledRect();
    releaseBindings();
    frame->removeAll();
    readTemplateSize();
    CView* view = description->createView(templateName.c_str(), this);
    if (!view)
        return;
    frame->setSize(view->getWidth(), view->getHeight());
    frame->addView(view);
    setLogicalSize(frame->getWidth(), frame->getHeight());
    const ViewRect after = scaledRect();
    if (plugFrame && (after.getWidth() != before.getWidth() || after.getHeight() != before.getHeight()))
    {
        ViewRect wanted = after;
        plugFrame->resizeView(this, &wanted);
    }
    frame->invalid();
}

tresult PLUGIN_API VST3Editor::canResize()
{
    return minSize != maxSize ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API VST3Editor::checkSizeConstraint(ViewRect* r)
{
    if (!r)
        return kInvalidArgument;
    const double scale = getContentScaleFactor();
    auto clampTo = [](int32 v, double lo, double hi) {
        return std::clamp(v, static_cast<int32>(lo + 0.5), std::max(static_cast<int32>(lo + 0.5),
                                                                    static_cast<int32>(hi + 0.5)));
    };
    const int32 width = clampTo(r->getWidth(), minSize.x * scale, maxSize.x * scale);
    const int32 height = clampTo(r->getHeight(), minSize.y * scale, maxSize.y * scale);
    r->right = r->left + width;
    r->bottom = r->top + height;
    return kResultTrue;
}

tresult PLUGIN_API VST3Editor::findParameter(int32 xPos, int32 yPos, ParamID& resultTag)
{
    if (!frame)
        return kResultFalse;
    const double scale = getContentScaleFactor();
    const CPoint where(xPos / scale, yPos / scale);
    if (auto* control = dynamic_cast<CControl*>(frame->getViewAt(where, true, true)))
    {
        ParameterChangeListener* binding = getParameterChangeListener(control->getTag());
        if (binding && binding->getParameter()
            && !(delegate && delegate->isPrivateParameter(static_cast<ParamID>(control->getTag()))))
        {
            resultTag = static_cast<ParamID>(control->getTag());
            return kResultTrue;
        }
    }
    if (delegate && delegate->findParameter(where, resultTag, this))
        return kResultTrue;
    return kResultFalse;
}

VST3Editor::EditResult VST3Editor::editParameterFromControl(CControl* control)
{
    ParameterChangeListener* binding = control ? getParameterChangeListener(control->getTag()) : nullptr;
    if (!binding)
        return EditResult::kNoBinding;
    auto* edit = dynamic_cast<CTextEdit*>(control);
    if (edit && binding->getParameter())
    {
        // The binding read the typed text through the parameter as it was committed
        // (ParameterChangeListener::readText), so the edit's number is the parameter's
        // reading of it, not a second reading of the formatted text.
        if (binding->takeRejectedText(edit))
        {
            binding->refresh();
            return EditResult::kRejected;
        }
        if (edit->isEditing() && textGestures.insert(edit).second)
            binding->beginEdit();
    }
    const ParamValue value = control->getValueNormalized();
    binding->performEdit(value);
    return EditResult::kPerformed;
}

void VST3Editor::valueChanged(CControl* control)
{
    editParameterFromControl(control);
}

bool VST3Editor::isTextEntry(CControl* control) const
{
    ParameterChangeListener* binding = getParameterChangeListener(control->getTag());
    return binding && binding->getParameter() && dynamic_cast<CTextEdit*>(control);
}

void VST3Editor::controlBeginEdit(CControl* control)
{
    // Typed text begins its gesture only once the parameter has read it: text it cannot
    // read reaches the host not even as an empty gesture.
    if (isTextEntry(control))
    {
        // A new commit starts: whatever an earlier text left behind is stale.
        getParameterChangeListener(control->getTag())->takeRejectedText(control);
        return;
    }
    if (ParameterChangeListener* binding = getParameterChangeListener(control->getTag()))
        binding->beginEdit();
}

void VST3Editor::controlEndEdit(CControl* control)
{
    ParameterChangeListener* binding = getParameterChangeListener(control->getTag());
    const bool textGesture = textGestures.erase(control) > 0;
    if (!binding)
        return;
    if (textGesture || !isTextEntry(control))
        binding->endEdit();
    // Typed text has been read by now: show it as the parameter formats it.
    binding->refreshTexts();
}

void VST3Editor::controlTagWillChange(CControl* control)
{
    if (ParameterChangeListener* binding = getParameterChangeListener(control->getTag()))
        binding->removeControl(control);
}

void VST3Editor::controlTagDidChange(CControl* control)
{
    if (control->getTag() != -1 && control->getListener() != nullptr)
        bindControl(control);
}

void VST3Editor::bindControl(CControl* control)
{
    const int32_t tag = control->getTag();
    if (ParameterChangeListener* binding = getParameterChangeListener(tag))
        binding->addControl(control);
    else
        bindings.emplace(tag, Steinberg::owned(new ParameterChangeListener(controller, tag, control)));
}

CView* VST3Editor::createView(const UIAttributes& attributes, const IUIDescription* d)
{
    const std::string* name = attributes.getAttributeValue("custom-view-name");
    if (!delegate || !name)
        return nullptr;
    return delegate->createCustomView(name->c_str(), attributes, d, this);
}

CView* VST3Editor::verifyView(CView* view, const UIAttributes& attributes, const IUIDescription* d)
{
    // A custom control made with its tag already set announced no tag change.
    auto* control = dynamic_cast<CControl*>(view);
    if (control && control->getTag() != -1 && control->getListener() == this)
        bindControl(control);
    return delegate ? delegate->verifyView(view, attributes, d, this) : view;
}

IController* VST3Editor::createSubController(UTF8StringPtr name, const IUIDescription* d)
{
    return delegate ? delegate->createSubController(name, d, this) : nullptr;
}

void VST3Editor::onViewAdded(CFrame*, CView*) {}

void VST3Editor::onViewRemoved(CFrame*, CView* view)
{
    auto unbind = [this](CView* v) {
        auto* control = dynamic_cast<CControl*>(v);
        if (!control)
            return;
        textGestures.erase(control);
        if (ParameterChangeListener* binding = getParameterChangeListener(control->getTag()))
            binding->removeControl(control);
    };
    unbind(view);
    if (auto* container = dynamic_cast<CViewContainer*>(view))
        container->forEachViewRecursive(unbind);
}

} // namespace VSTGUI
