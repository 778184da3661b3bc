// IController: the object a description's views are built for. The builder asks
// it for tags, listeners, custom views and sub-controllers, and shows it every
// view it built. DelegationController forwards everything to a parent controller.
#pragma once

#include "gui/icontrollistener.h"

#include <cstdint>

namespace VSTGUI {

class CView;
class IUIDescription;
class UIAttributes;

class IController : public IControlListener
{
public:
    /// The tag to use for the control-tag name `name`; `registeredTag` is what the
    /// description's table says (-1 when it has no such name). [UI thread]
    virtual int32_t getTagForName(const char* name, int32_t registeredTag) const
    {
        (void)name;
        return registeredTag;
    }
    /// The listener for controls with the control-tag name `name`. [UI thread]
    virtual IControlListener* getControlListener(const char* name)
    {
        (void)name;
        return this;
    }
    /// A view of the controller's own for the entry `attributes`, or null to let
    /// the class factory build it. [UI thread]
    virtual CView* createView(const UIAttributes& attributes, const IUIDescription* description)
    {
        (void)attributes;
        (void)description;
        return nullptr;
    }
    /// Sees each built view (children before parents); answers the view to use. [UI thread]
    virtual CView* verifyView(CView* view, const UIAttributes& attributes,
                              const IUIDescription* description)
    {
        (void)attributes;
        (void)description;
        return view;
    }
    /// A sub-controller for the entry's "sub-controller" name, or null. The view
    /// built for the entry owns it. [UI thread]
    virtual IController* createSubController(const char* name, const IUIDescription* description)
    {
        (void)name;
        (void)description;
        return nullptr;
    }
};

/// A controller that hands every call to `parent` (a sub-controller's base).
class DelegationController : public IController
{
public:
    explicit DelegationController(IController* parent) : controller(parent) {}

    void valueChanged(CControl* control) override
    {
        if (controller)
            controller->valueChanged(control);
    }
    void controlBeginEdit(CControl* control) override
    {
        if (controller)
            controller->controlBeginEdit(control);
    }
    void controlEndEdit(CControl* control) override
    {
        if (controller)
            controller->controlEndEdit(control);
    }
    void controlTagWillChange(CControl* control) override
    {
        if (controller)
            controller->controlTagWillChange(control);
    }
    void controlTagDidChange(CControl* control) override
    {
        if (controller)
            controller->controlTagDidChange(control);
    }
    int32_t getTagForName(const char* name, int32_t registeredTag) const override
    {
        return controller ? controller->getTagForName(name, registeredTag) : registeredTag;
    }
    IControlListener* getControlListener(const char* name) override
    {
        return controller ? controller->getControlListener(name) : nullptr;
    }
    CView* createView(const UIAttributes& attributes, const IUIDescription* description) override
    {
        return controller ? controller->createView(attributes, description) : nullptr;
    }
    CView* verifyView(CView* view, const UIAttributes& attributes,
                      const IUIDescription* description) override
    {
        return controller ? controller->verifyView(view, attributes, description) : view;
    }
    IController* createSubController(const char* name, const IUIDescription* description) override
    {
        return controller ? controller->createSubController(name, description) : nullptr;
    }

protected:
    IController* controller;
};

} // namespace VSTGUI
