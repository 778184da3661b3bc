#include "gui/uidesc/ui_view_factory.h"

#include "gui/canimknob.h"
#include "gui/cknob.h"
#include "gui/cviewcontainer.h"
#include "gui/ckickbutton.h"
#include "gui/cslider.h"
#include "gui/ctextedit.h"
#include "gui/cvumeter.h"
#include "gui/cxypad.h"
#include "gui/uidesc/ui_view_appliers.h"

namespace VSTGUI {
namespace UIViewFactory {

namespace {

using namespace UIViewAppliers;

struct ClassInfo
{
    const char* name;
    const char* base;
    CView* (*create)();
    Applier apply;
};

// Read-only: shared by every description in the process.
const ClassInfo kClasses[] = {
    {"CView", "", [] { return new CView(CRect()); }, applyView},
    {"CViewContainer", "CView", []() -> CView* { return new CViewContainer(CRect()); },
     applyViewContainer},
    {"CControl", "CView", nullptr, applyControl},
    {"CParamDisplay", "CControl", []() -> CView* { return new CParamDisplay(CRect(0, 0, 100, 20)); },
     applyParamDisplay},
    {"CTextLabel", "CParamDisplay", []() -> CView* { return new CTextLabel(CRect(0, 0, 100, 20)); },
     applyTextLabel},
    {"CTextEdit", "CTextLabel",
     []() -> CView* { return new CTextEdit(CRect(0, 0, 100, 20), nullptr, -1); }, applyTextEdit},
    {"CSlider", "CControl",
     []() -> CView* { return new CSlider(CRect(), nullptr, -1, nullptr, nullptr); }, applySlider},
    {"CKnob", "CControl", []() -> CView* { return new CKnob(CRect(), nullptr, -1, nullptr, nullptr); },
     applyKnob},
    {"CAnimKnob", "CKnob", []() -> CView* { return new CAnimKnob(CRect(), nullptr, -1, nullptr); },
     applyAnimKnob},
    {"CKickButton", "CControl",
     []() -> CView* { return new CKickButton(CRect(), nullptr, -1, nullptr); }, applyKickButton},
    {"CVuMeter", "CControl",
     []() -> CView* { return new CVuMeter(CRect(), nullptr, nullptr, 100, kVertical); }, applyVuMeter},
    {"CXYPad", "CParamDisplay", []() -> CView* { return new CXYPad(CRect(0, 0, 60, 60)); }, applyXYPad},
};

const ClassInfo* findClass(const std::string& name)
{
    for (const auto& c : kClasses)
        if (name == c.name)
            return &c;
    return nullptr;
}

} // namespace

bool isKnownClass(const std::string& className)
{
    const ClassInfo* c = findClass(className);
    return c && c->create;
}

std::string baseClassOf(const std::string& className)
{
    const ClassInfo* c = findClass(className);
    return c ? c->base : "";
}

CView* createView(const std::string& className, const UIAttributes& attributes,
                  const IUIDescription* description, std::string* usedClass)
{
    const ClassInfo* c = findClass(className);
    if (!c || !c->create)
        c = findClass("CViewContainer");
    CView* view = c->create();
    applyAttributes(view, c->name, attributes, description);
    if (usedClass)
        *usedClass = c->name;
    return view;
}

void applyAttributes(CView* view, const std::string& className, const UIAttributes& attributes,
                     const IUIDescription* description)
{
    if (!view)
        return;
    const ClassInfo* c = findClass(className);
    if (!c)
        c = findClass("CViewContainer");
    // Most derived first; a chain is at most a handful of classes long.
    for (int guard = 0; c && guard < 16; ++guard)
    {
        c->apply(view, attributes, description);
        c = *c->base ? findClass(c->base) : nullptr;
    }
}

} // namespace UIViewFactory
} // namespace VSTGUI
