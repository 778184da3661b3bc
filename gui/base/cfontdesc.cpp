#include "gui/base/cfontdesc.h"

#include <new>

namespace VSTGUI {

namespace {

// Never destroyed: a view may still hold one while static destructors run. Nor made on
// the heap: the toolkit lives in plug-in modules, which a host may load and unload many
// times in one process, and a heap object whose only pointer is unmapped with the module
// would be lost each time. The face names fit the string's own buffer.
constexpr int kPredefinedCount = 8;
alignas(CFontDesc) unsigned char storage[kPredefinedCount][sizeof(CFontDesc)];

CFontDesc* predefined(int slot, const char* face, double size)
{
    return new (storage[slot]) CFontDesc(face, size, kNormalFace);
}

} // namespace

const CFontRef kSystemFont = predefined(0, "Arial", 12);
const CFontRef kNormalFontVeryBig = predefined(1, "Arial", 18);
const CFontRef kNormalFontBig = predefined(2, "Arial", 14);
const CFontRef kNormalFont = predefined(3, "Arial", 12);
const CFontRef kNormalFontSmall = predefined(4, "Arial", 11);
const CFontRef kNormalFontSmaller = predefined(5, "Arial", 10);
const CFontRef kNormalFontVerySmall = predefined(6, "Arial", 9);
const CFontRef kSymbolFont = predefined(7, "Symbol", 13);

} // namespace VSTGUI
