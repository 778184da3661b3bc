// Processor: the custom view factory the editor asks while it builds a description.
// The equaliser's description names no custom view and no sub-controller, so both
// answer null and every view is the toolkit's standard class.
#include "vst3/processor.h"

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

VSTGUI::CView* Processor::createCustomView(VSTGUI::UTF8StringPtr, const VSTGUI::UIAttributes&,
                                           const VSTGUI::IUIDescription*, VSTGUI::VST3Editor*)
{
    return nullptr;
}

VSTGUI::IController* Processor::createSubController(VSTGUI::UTF8StringPtr,
                                                    const VSTGUI::IUIDescription*,
                                                    VSTGUI::VST3Editor*)
{
    return nullptr;
}

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
