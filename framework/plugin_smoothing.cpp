// Per-control value smoothing: a one-pole filter per smoothed control (and the
// joystick axes), set up for the sample rate and stepped once per frame.
#include "framework/plugin.h"

#include <cmath>
#include <initializer_list>

bool CPlugIn::prepareForProcessing()
{
    if (m_ppControlTable == nullptr)
        return true;
    findSmoothedControls();
    const int32_t count = m_controls.count();
    for (int32_t p = 0; p < count; ++p)
    {
        CControlDescriptor* d = m_controls.at(p);
        if (d == nullptr || !d->smoothingEnabled)
            continue;
        if (d->dataType == kDataFloat && d->floatVariable != nullptr)
            setUpSmoother(*d, *d->floatVariable);
        else if (d->dataType == kDataDouble && d->doubleVariable != nullptr)
            setUpSmoother(*d, static_cast<float>(*d->doubleVariable));
    }
    if (m_joystickX.smoothingEnabled)
        setUpSmoother(m_joystickX, m_joystickX.currentValue);
    if (m_joystickY.smoothingEnabled)
        setUpSmoother(m_joystickY, m_joystickY.currentValue);
    return true;
}

void CPlugIn::setUpSmoother(CControlDescriptor& d, float v) const
{
    const float twoPi = 6.2831855f;
    const float b = expf(-twoPi / (static_cast<float>(m_nSampleRate) * (d.smoothingTimeMs * 0.001f)));
    const float a = 1.0f - b;
    d.smoothCoeffState = b;
    d.smoothCoeffTarget = a;
    d.smoothCoeffStateD = b;
    d.smoothCoeffTargetD = a;
    d.smoothState = v;
    d.smoothLastOutput = v;
    d.smoothStateD = v;
    d.smoothLastOutputD = v;
    d.smoothingTarget = v;
}

void CPlugIn::findSmoothedControls()
{
    m_smoothedPositions.clear();
    for (uint32_t p = 0; p < m_nControlCount; ++p)
        if (m_ppControlTable[p] != nullptr && m_ppControlTable[p]->smoothingEnabled)
            m_smoothedPositions.push_back(p);
    m_bSmoothingActive = !m_smoothedPositions.empty() || m_joystickX.smoothingEnabled;
}

void CPlugIn::stepSmoothers()
{
    if (m_ppControlTable == nullptr)
        return;
    // Only the controls found smoothed when the table was built or the smoothers
    // were set up: walking every descriptor each frame costs a cache line apiece.
    for (const uint32_t p : m_smoothedPositions)
    {
        CControlDescriptor* d = m_ppControlTable[p];
        if (d == nullptr || !d->smoothingEnabled)
            continue;
        if (d->dataType == kDataFloat && d->floatVariable != nullptr)
        {
            const float z = d->smoothState * d->smoothCoeffState + d->smoothingTarget * d->smoothCoeffTarget;
            d->smoothState = z;
            if (z == d->smoothLastOutput)
            {
                *d->floatVariable = d->smoothingTarget;
                continue;
            }
            d->smoothLastOutput = z;
            *d->floatVariable = z;
            controlChanged(d->controlId);
        }
        else if (d->dataType == kDataDouble && d->doubleVariable != nullptr)
        {
            const double z = d->smoothStateD * d->smoothCoeffStateD
                             + static_cast<double>(d->smoothingTarget) * d->smoothCoeffTargetD;
            d->smoothStateD = z;
            if (z == d->smoothLastOutputD)
            {
                *d->doubleVariable = d->smoothingTarget;
                continue;
            }
            d->smoothLastOutputD = z;
            *d->doubleVariable = z;
            controlChanged(d->controlId);
        }
    }

    if (m_joystickX.smoothingEnabled)
    {
        for (CControlDescriptor* axis : {&m_joystickX, &m_joystickY})
        {
            const float z = axis->smoothState * axis->smoothCoeffState
                            + axis->smoothingTarget * axis->smoothCoeffTarget;
            axis->smoothState = z;
            if (z == axis->smoothLastOutput)
            {
                axis->currentValue = axis->smoothingTarget;
            }
            else
            {
                axis->smoothLastOutput = z;
                axis->currentValue = z;
            }
        }
        announceJoystick();
    }
}
