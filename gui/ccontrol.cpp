#include "gui/ccontrol.h"

#include "gui/cframe.h"
#include "gui/cvstguitimer.h"

#include <algorithm>

namespace VSTGUI {

namespace {

// A wheel gesture ends this long after its last notch.
constexpr uint32_t kWheelEndEditDelayMs = 500;

} // namespace

CControl::CControl(const CRect& r, IControlListener* l, int32_t t, CBitmap* backgroundBitmap)
    : CView(r), tag(t), listener(l)
{
    setTransparency(false);
    setMouseEnabled(true);
    if (backgroundBitmap)
        setBackground(backgroundBitmap);
}

CControl::CControl(const CControl& o)
    : CView(o),
      value(o.value),
      vmin(o.vmin),
      vmax(o.vmax),
      defaultValue(o.defaultValue),
      wheelInc(o.wheelInc),
      oldValue(o.oldValue),
      tag(o.tag),
      listener(o.listener)
{
}

CControl::~CControl()
{
    if (wheelTimer)
        wheelTimer->stop();
}

void CControl::setValue(float val)
{
    value = std::min(vmax, std::max(vmin, val));
}

void CControl::setValueNormalized(float val)
{
    val = std::min(1.f, std::max(0.f, val));
    if (getRange() == 0.f)
        value = vmin;
    else
        setValue(vmin + val * getRange());
}

float CControl::getValueNormalized() const
{
    const float range = getRange();
    return range == 0.f ? 0.f : (value - vmin) / range;
}

void CControl::setMin(float val)
{
    vmin = val;
    bounceValue();
}

void CControl::setMax(float val)
{
    vmax = val;
    bounceValue();
}

void CControl::bounceValue()
{
    if (value > vmax)
        value = vmax;
    else if (value < vmin)
        value = vmin;
}

void CControl::setTag(int32_t val)
{
    if (listener)
        listener->controlTagWillChange(this);
    tag = val;
    if (listener)
        listener->controlTagDidChange(this);
}

void CControl::registerControlListener(IControlListener* l)
{
    if (l && std::find(subListeners.begin(), subListeners.end(), l) == subListeners.end())
        subListeners.push_back(l);
}

void CControl::unregisterControlListener(IControlListener* l)
{
    subListeners.erase(std::remove(subListeners.begin(), subListeners.end(), l), subListeners.end());
}

void CControl::beginEdit()
{
    if (++editing != 1)
        return;
    SharedPointer<CControl> guard(this);
    if (listener)
        listener->controlBeginEdit(this);
    for (auto* l : std::vector<IControlListener*>(subListeners))
        l->controlBeginEdit(this);
    if (CFrame* frame = getFrame())
        frame->beginEdit(tag);
}

void CControl::endEdit()
{
    if (editing == 0)
        return;
    if (--editing != 0)
        return;
    SharedPointer<CControl> guard(this);
    if (CFrame* frame = getFrame())
        frame->endEdit(tag);
    if (listener)
        listener->controlEndEdit(this);
    for (auto* l : std::vector<IControlListener*>(subListeners))
        l->controlEndEdit(this);
}

void CControl::valueChanged()
{
    SharedPointer<CControl> guard(this);
    if (listener)
        listener->valueChanged(this);
    for (auto* l : std::vector<IControlListener*>(subListeners))
        l->valueChanged(this);
}

bool CControl::isDirty() const
{
    return oldValue != value || CView::isDirty();
}

void CControl::setDirty(bool state)
{
    CView::setDirty(state);
    if (state)
        oldValue = value == -1.f ? 0.f : -1.f;
    else
        oldValue = value;
}

bool CControl::checkDefaultValue(const CButtonState& buttons)
{
    if (!buttons.isLeftButton() || buttons.getModifierState() != kControl)
        return false;
    if (value != defaultValue)
    {
        beginEdit();
        setValue(defaultValue);
        valueChanged();
        endEdit();
        setDirty(true);
        invalid();
    }
    return true;
}

void CControl::wheelStepBegin()
{
    if (wheelEditing)
        return;
    wheelEditing = true;
    beginEdit();
}

void CControl::wheelStepDone()
{
    if (!wheelEditing)
        return;
    CFrame* frame = getFrame();
    if (!frame || !frame->getRunLoop())
    {
        endWheelGesture();
        return;
    }
    if (!wheelTimer)
        wheelTimer = owned(new CVSTGUITimer(
            frame, [this](CVSTGUITimer* t) {
                t->stop();
                endWheelGesture();
            },
            kWheelEndEditDelayMs));
    wheelTimer->stop();
    if (!wheelTimer->start())
        endWheelGesture();
}

void CControl::wheelStepNormalized(float amount, const CButtonState& buttons)
{
    float step = amount * wheelInc;
    if (buttons & kShift)
        step *= 0.1f;
    wheelStepBegin();
    setValueNormalized(getValueNormalized() + step);
    if (isDirty())
    {
        valueChanged();
        invalid();
    }
    wheelStepDone();
}

void CControl::endWheelGesture()
{
    if (!wheelEditing)
        return;
    wheelEditing = false;
    endEdit();
}

int32_t CControl::stepByKey(const VstKeyCode& key)
{
    float step;
    switch (key.virt)
    {
    case VKEY_UP:
    case VKEY_RIGHT:
        step = wheelInc;
        break;
    case VKEY_DOWN:
    case VKEY_LEFT:
        step = -wheelInc;
        break;
    default:
        return -1;
    }
    if (key.modifier & MODIFIER_SHIFT)
        step *= 0.1f;
    beginEdit();
    setValueNormalized(getValueNormalized() + step);
    if (isDirty())
    {
        valueChanged();
        invalid();
    }
    endEdit();
    return 1;
}

bool CControl::removed(CView* parent)
{
    if (wheelTimer)
    {
        wheelTimer->stop();
        wheelTimer.reset();
    }
    endWheelGesture();
    return CView::removed(parent);
}

} // namespace VSTGUI
