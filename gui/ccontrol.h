// CControl: a view with a value in [min, max], a tag and a listener. Gestures
// are bracketed by beginEdit/endEdit (counted, so nested calls pair up); the
// listener hears valueChanged for every user change.
#pragma once

#include "gui/cview.h"
#include "gui/icontrollistener.h"

#include <vector>

namespace VSTGUI {

class CVSTGUITimer;

class CControl : public CView
{
public:
    CControl(const CRect& size, IControlListener* listener = nullptr, int32_t tag = -1,
             CBitmap* background = nullptr);
    CControl(const CControl& other);
    ~CControl() override;

    // --- value [UI thread] ---
    /// Stores `val` clamped to [min, max].
    virtual void setValue(float val);
    virtual float getValue() const { return value; }
    /// Sets the value from 0..1 (clamped) over [min, max]; min when the range is empty.
    virtual void setValueNormalized(float val);
    /// The value mapped to 0..1, or 0 when the range is empty.
    virtual float getValueNormalized() const;
    virtual void setMin(float val);
    float getMin() const { return vmin; }
    virtual void setMax(float val);
    float getMax() const { return vmax; }
    float getRange() const { return vmax - vmin; }
    virtual void setOldValue(float val) { oldValue = val; }
    float getOldValue() const { return oldValue; }
    virtual void setDefaultValue(float val) { defaultValue = val; }
    float getDefaultValue() const { return defaultValue; }
    virtual void setWheelInc(float val) { wheelInc = val; }
    float getWheelInc() const { return wheelInc; }
    /// Clamps the value into [min, max].
    virtual void bounceValue();

    // --- tag and listeners [UI thread] ---
    /// Tells the listener "tag will change", stores the tag, then "tag did change".
    virtual void setTag(int32_t val);
    int32_t getTag() const { return tag; }
    virtual void setListener(IControlListener* l) { listener = l; }
    IControlListener* getListener() const { return listener; }
    /// Further listeners that hear everything the main listener hears, after it.
    void registerControlListener(IControlListener* l);
    void unregisterControlListener(IControlListener* l);

    // --- gestures [UI thread] ---
    /// Starts a gesture; the first level tells the listener, the sub-listeners and the frame.
    virtual void beginEdit();
    /// Ends a gesture; the last level tells the frame, the listener and the sub-listeners.
    virtual void endEdit();
    bool isEditing() const { return editing > 0; }
    /// Tells the listener, then the sub-listeners, that the user changed the value.
    virtual void valueChanged();

    // --- dirty state: the value differs from the one last drawn ---
    bool isDirty() const override;
    void setDirty(bool state = true) override;

    /// A left click with exactly Ctrl held: back to the default value (as one
    /// gesture) and true, meaning the click is consumed. [UI thread]
    virtual bool checkDefaultValue(const CButtonState& buttons);

    bool removed(CView* parent) override;

protected:
    /// Begins the wheel gesture on its first step. Pair with wheelStepDone().
    void wheelStepBegin();
    /// Ends the wheel gesture 500 ms after the last step (at once without a run loop).
    void wheelStepDone();
    /// One wheel step of `amount` notches on the normalised value (a tenth with
    /// Shift), inside the wheel gesture. [UI thread]
    void wheelStepNormalized(float amount, const CButtonState& buttons);
    /// Arrow keys step the normalised value by ±wheelInc (a tenth with Shift), as
    /// one gesture. 1 when consumed, -1 otherwise.
    int32_t stepByKey(const VstKeyCode& key);

    float value = 0.f;
    float vmin = 0.f;
    float vmax = 1.f;
    float defaultValue = 0.5f;
    float wheelInc = 0.1f;
    float oldValue = 1.f;
    int32_t tag;
    IControlListener* listener;
    std::vector<IControlListener*> subListeners;
    int32_t editing = 0;

private:
    void endWheelGesture();

    SharedPointer<CVSTGUITimer> wheelTimer;
    bool wheelEditing = false;
};

} // namespace VSTGUI
