// The attribute appliers of each class, one per class, used by UIViewFactory.
// Each reads only its own class's attributes and skips views of another type.
#pragma once

#include "gui/base/ccolor.h"

#include <string>

namespace VSTGUI {

class CBitmap;
class CView;
class IUIDescription;
class UIAttributes;

namespace UIViewAppliers {

using Applier = void (*)(CView*, const UIAttributes&, const IUIDescription*);

void applyView(CView*, const UIAttributes&, const IUIDescription*);
void applyViewContainer(CView*, const UIAttributes&, const IUIDescription*);
void applyControl(CView*, const UIAttributes&, const IUIDescription*);
void applyParamDisplay(CView*, const UIAttributes&, const IUIDescription*);
void applyTextLabel(CView*, const UIAttributes&, const IUIDescription*);
void applyTextEdit(CView*, const UIAttributes&, const IUIDescription*);
void applySlider(CView*, const UIAttributes&, const IUIDescription*);
void applyKnob(CView*, const UIAttributes&, const IUIDescription*);
void applyAnimKnob(CView*, const UIAttributes&, const IUIDescription*);
void applyKickButton(CView*, const UIAttributes&, const IUIDescription*);
void applyVuMeter(CView*, const UIAttributes&, const IUIDescription*);
void applyXYPad(CView*, const UIAttributes&, const IUIDescription*);

// Value helpers shared by the appliers.
/// "" is transparent; otherwise a name or "#rrggbb[aa]" the description knows.
bool readColor(const UIAttributes& a, const char* name, const IUIDescription* d, CColor& out);
/// true: the attribute is present; `out` is null for "" or an unknown name.
bool readBitmap(const UIAttributes& a, const char* name, const IUIDescription* d, CBitmap*& out);
/// A style bit: set for exactly "true", cleared for any other present value.
void readStyleBit(const UIAttributes& a, const char* name, int32_t bit, int32_t& style);

} // namespace UIViewAppliers
} // namespace VSTGUI
