// IUIDescription: what views and controllers may ask of the description they
// are built from: its resources by name and the tags and listeners of controls.
#pragma once

#include "gui/base/ccolor.h"
#include "gui/base/cfontdesc.h"

#include <cstdint>
#include <string>
#include <vector>

namespace VSTGUI {

class CBitmap;
class IController;
class IControlListener;
class UIAttributes;

/// One stop of a gradient: a colour at a position 0..1.
struct GradientStop
{
    double start = 0.0;
    CColor color;
};

class IUIDescription
{
public:
    virtual ~IUIDescription() = default;

    /// The bitmap-table entry `name`, loaded; null when absent or unreadable. [UI thread]
    virtual CBitmap* getBitmap(UTF8StringPtr name) const = 0;
    /// A predefined font ("~ NormalFont"...) or a font-table entry; null when absent. [UI thread]
    virtual CFontDesc* getFont(UTF8StringPtr name) const = 0;
    /// A predefined or colour-table colour, or "#rrggbb[aa]"; false (colour
    /// untouched) otherwise. [UI thread]
    virtual bool getColor(UTF8StringPtr name, CColor& color) const = 0;
    /// The gradient-table entry's stops (at least two); false when absent. [UI thread]
    virtual bool getGradient(UTF8StringPtr name, std::vector<GradientStop>& stops) const = 0;
    /// The tag for a control-tag name, as the table and then the current controller say;
    /// -1 when there is none. [UI thread]
    virtual int32_t getTagForName(UTF8StringPtr name) const = 0;
    /// The listener the current controller gives for a control-tag name. [UI thread]
    virtual IControlListener* getControlListener(UTF8StringPtr name) const = 0;
    /// The controller views are being built for (the innermost sub-controller). [UI thread]
    virtual IController* getController() const = 0;
    /// A variable's value as text; false when there is no such variable. [UI thread]
    virtual bool getVariable(UTF8StringPtr name, std::string& value) const = 0;
    /// The custom section's attribute set `name`, or null. [UI thread]
    virtual const UIAttributes* getCustomAttributes(UTF8StringPtr name) const = 0;
};

} // namespace VSTGUI
