// PlatformType: the kind of native parent window an editor is opened in. Linux
// hosts hand over an X11 window id ("X11EmbedWindowID" in VST 3 terms); the
// value travels to a plug-in that builds its own editor content, so it is fixed.
#pragma once

#include <cstdint>

namespace VSTGUI {

enum PlatformType : int32_t
{
    kDefaultNative = 0,     ///< whatever the platform's usual window is
    kX11EmbedWindowID = 1,  ///< an X11 window id as a pointer-sized integer
};

} // namespace VSTGUI
