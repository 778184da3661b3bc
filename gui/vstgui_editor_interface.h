// VSTGUIEditorInterface: what a frame asks of the editor that owns it (the
// plug-in glue implements it). Every call comes on the UI thread.
#pragma once

#include "gui/base/crect.h"

#include <cstdint>

namespace VSTGUI {

class CFrame;

/// Knob drag modes a frame's editor may ask for.
enum CKnobMode : int32_t
{
    kCircularMode = 0,
    kRelativCircularMode = 1,
    kLinearMode = 2,
};

class VSTGUIEditorInterface
{
public:
    virtual ~VSTGUIEditorInterface() = default;

    /// The knob mode knobs use for dragging; -1 means the frame's default (circular).
    virtual int32_t getKnobMode() const { return -1; }
    /// The frame is about to take `newSize`; false refuses it.
    virtual bool beforeSizeChange(const CRect& newSize, const CRect& oldSize)
    {
        (void)newSize;
        (void)oldSize;
        return true;
    }
    /// A control with tag `index` begins / ends a gesture.
    virtual void beginEdit(int32_t index) { (void)index; }
    virtual void endEdit(int32_t index) { (void)index; }
    virtual CFrame* getFrame() const { return nullptr; }
};

} // namespace VSTGUI
