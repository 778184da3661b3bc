#include "gui/base/cfontdesc.h"

namespace VSTGUI {

namespace {

// Never destroyed: a view may still hold one while static destructors run.
CFontDesc* predefined(const char* face, double size)
{
    return new CFontDesc(face, size, kNormalFace);
}

} // namespace

const CFontRef kSystemFont = predefined("Arial", 12);
const CFontRef kNormalFontVeryBig = predefined("Arial", 18);
const CFontRef kNormalFontBig = predefined("Arial", 14);
const CFontRef kNormalFont = predefined("Arial", 12);
const CFontRef kNormalFontSmall = predefined("Arial", 11);
const CFontRef kNormalFontSmaller = predefined("Arial", 10);
const CFontRef kNormalFontVerySmall = predefined("Arial", 9);
const CFontRef kSymbolFont = predefined("Symbol", 13);

} // namespace VSTGUI
