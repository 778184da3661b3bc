#include "editor/controls/cpadcontrollerwp.h"

namespace VSTGUI {

CPadControllerWP::CPadControllerWP(IController* base, Steinberg::Vst::EditController* edit,
                                   Steinberg::Vst::Parameter* x, Steinberg::Vst::Parameter* y)
    : PadController(base, edit, x, y)
{}

CPadControllerWP::~CPadControllerWP() = default;

} // namespace VSTGUI
