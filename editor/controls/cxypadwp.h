// CXYPadWP: an XY pad that is either a plain track pad or a joystick whose
// handle stays inside the diamond inscribed in the pad.
//
// Orientation: the pad keeps its own value with y as on screen (0 at the top
// edge), but every value it reports and every value it is given from outside a
// drag has y the other way up (0 at the bottom edge), as a parameter expects.
#pragma once

#include "gui/cxypad.h"

namespace VSTGUI {

class CXYPadWP : public CXYPad
{
public:
    /// [UI thread] A track pad until joystickMode is set.
    explicit CXYPadWP(const CRect& size);
    CView* newCopy() const override { return new CXYPadWP(*this); }

    /// [UI thread] Track pad: the CParamDisplay background. Joystick: the diamond
    /// with its two axes. Then the handle, a disc of the round-rect radius in the
    /// font colour.
    void draw(CDrawContext* context) override;
    /// [UI thread] Left button alone: the gesture begins and the handle jumps to the point.
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    /// [UI thread] The drag ends (values are read y upward again), then CXYPad's release.
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    /// [UI thread] Moves the handle to `where` (which is moved into pad coordinates)
    /// and reports the new position.
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    /// [UI thread] Back to where the gesture started, reported, and the gesture ends.
    CMouseEventResult onMouseCancel() override;
    /// [UI thread] Steps the handle as CXYPad does, in screen terms, and reports it.
    bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                 const CButtonState& buttons) override;
    /// [UI thread] During a drag: stored as it is. Otherwise a value from the parameter
    /// (y upward): a track pad clamps it, a joystick ignores a point outside its diamond.
    void setValue(float val) override;

    /// The even-odd crossing test: is (x, y) inside the polygon of `count` corners? [any]
    static bool pointInRegion(int32_t count, const float* xs, const float* ys, float x, float y);

    /// A drag (or wheel step) of this pad is in progress: values set now are kept as given.
    bool tracking = false;
    /// A diamond joystick instead of a track pad.
    bool joystickMode = false;
    /// The joystick's region: the middles of the left, top, right and bottom edges.
    float regionX[4] = {0.0f, 0.5f, 1.0f, 0.5f};
    float regionY[4] = {0.5f, 0.0f, 0.5f, 1.0f};
    /// The joystick's last point inside the region, in screen terms.
    float lastInsideX = 0.0f;
    float lastInsideY = 0.0f;

private:
    /// Takes a screen point of the pad (0..1 each, maybe outside) to where the handle
    /// may go: clamped for a track pad, the last point inside the diamond for a joystick.
    void constrain(float& x, float& y);
    /// Reports (x, 1 - y) to the listener when the handle moved, then keeps (x, y) for drawing.
    void moveHandle(float x, float y);
    void drawJoystickBack(CDrawContext* context);
};

} // namespace VSTGUI
