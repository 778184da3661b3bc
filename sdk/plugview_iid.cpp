// The view interfaces' IDs (IPlugView, IPlugFrame, the content-scale extension and the
// Linux run-loop trio), which Debian's copy of the SDK sources defines nowhere; defining
// them here keeps the SDK library complete for every module and host that links it.
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"

namespace Steinberg {
DEF_CLASS_IID(IPlugView)
DEF_CLASS_IID(IPlugFrame)
DEF_CLASS_IID(IPlugViewContentScaleSupport)
namespace Linux {
DEF_CLASS_IID(IEventHandler)
DEF_CLASS_IID(ITimerHandler)
DEF_CLASS_IID(IRunLoop)
}
}
