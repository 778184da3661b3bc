// IEditorSnapshot: an extension of IPlugView of our own. The view draws its editor
// into a caller's pixel buffer without a window, so a host tool can take a picture
// of the editor on a machine with no display. Header only: the module's view
// implements it, the render tool asks for it with queryInterface and links none of
// the plug-in's code.
#pragma once

#include "pluginterfaces/base/funknown.h"

namespace corvale {

class IEditorSnapshot : public Steinberg::FUnknown
{
public:
    /// [UI thread] Draws the editor as it looks now, at the view's content scale
    /// (IPlugViewContentScaleSupport), into `pixels`: `width` × `height` device pixels of
    /// premultiplied ARGB, 32 bits each in native byte order (cairo's ARGB32), with
    /// `strideBytes` bytes per row. Pass the size IPlugView::getSize reports; a buffer of
    /// another size receives the top-left part (the rest transparent). The view need not be
    /// attached. kResultOk when drawn, kInvalidArgument for a null or too small buffer,
    /// kResultFalse when the editor cannot be built.
    ///
    /// Typical use: view->getSize(&r); std::vector<uint32> px(r.getWidth() * r.getHeight());
    /// snapshot->drawSnapshot(px.data(), r.getWidth(), r.getHeight(), r.getWidth() * 4);
    virtual Steinberg::tresult PLUGIN_API drawSnapshot(void* pixels, Steinberg::int32 width,
                                                       Steinberg::int32 height,
                                                       Steinberg::int32 strideBytes) = 0;

    static inline const Steinberg::FUID iid {0xCFA60DEE, 0xBF744CD2, 0x87A85647, 0xAE09B70B};
};

} // namespace corvale
