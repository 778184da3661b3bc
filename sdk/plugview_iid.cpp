// The edit controller's view support refers to IPlugView's interface ID, which
// Debian's copy of the SDK sources defines nowhere; defining it here keeps the
// SDK library complete for every module and host that links it.
#include "pluginterfaces/gui/iplugview.h"

namespace Steinberg {
DEF_CLASS_IID(IPlugView)
}
