// CKickButtonWP: a momentary button that reports its press, its release or both,
// as its kick mode says; the bitmap and the pressed look are CKickButton's.
#pragma once

#include "gui/ckickbutton.h"

namespace VSTGUI {

class CKickButtonWP : public CKickButton
{
public:
    /// What the listener hears of a click.
    enum KickMode : int32_t
    {
        kPressAndRelease = 0, ///< 1.0 on the press, the minimum on the release
        kReleaseOnly = 1,     ///< the minimum on the release
        kPressOnly = 2,       ///< 1.0 on the press
    };

    /// [UI thread] As CKickButton; reports press and release until kickMode is set.
    CKickButtonWP(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
                  const CPoint& offset = CPoint());
    CView* newCopy() const override { return new CKickButtonWP(*this); }

    /// [UI thread] Left button only: the value becomes 1.0 and the gesture begins;
    /// the press is reported in modes 0 and 2.
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    /// [UI thread] The value goes back to the minimum, reported in modes 0 and 1; the
    /// gesture ends.
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    /// [UI thread] An interrupted click: back to the minimum and the gesture ends. Only
    /// mode 0, whose listener already heard the press, hears the minimum, so the
    /// parameter is not left pressed; a release-only button does not fire.
    CMouseEventResult onMouseCancel() override;

    /// One of KickMode; other values report nothing.
    int32_t kickMode = kPressAndRelease;

private:
    bool reportsPress() const { return kickMode == kPressAndRelease || kickMode == kPressOnly; }
    bool reportsRelease() const { return kickMode == kPressAndRelease || kickMode == kReleaseOnly; }
};

} // namespace VSTGUI
