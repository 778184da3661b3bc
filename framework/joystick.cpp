// The plug-in base's two-axis joystick: positions -1..1 become four corner
// mixes and two axis mixes, announced through joystickChanged.
#include "framework/plugin.h"

#include <algorithm>

void CPlugIn::computeJoystickMix(double x, double y, double* mixA, double* mixB, double* mixC,
                                 double* mixD, double* mixAC, double* mixBD, bool rotated)
{
    const double r = 1.41421356;
    const double u = rotated ? x : ((x - y) / r) / r;
    const double w = rotated ? y : ((x + y) / r) / r;
    *mixAC = (u + 1.0) * 0.5;
    *mixBD = (w + 1.0) * 0.5;

    double p = rotated ? ((x * r) + (y * r)) / r : x;
    double q = rotated ? ((y * r) - (x * r)) / r : y;
    auto toByteRange = [](double v) {
        v *= 127.0;
        if (v > 127.0)
            v = 127.0;
        else if (v < -128.0)
            v = -128.0;
        return v + 127.0;
    };
    p = toByteRange(p);
    q = toByteRange(q);

    if (p == 127.0 && q == 127.0)
    {
        *mixA = *mixB = *mixC = *mixD = 0.25;
        return;
    }
    double b = p * q / 645.0;
    double c = (255.0 - q) * p / 645.0;
    double d = (255.0 - p) * (255.0 - q) / 645.0;
    double a = (100.0 - b - c - d) / 100.0;
    b /= 100.0;
    c /= 100.0;
    d /= 100.0;
    auto unit = [](double v) { return std::max(std::min(v, 1.0), 0.0); };
    *mixA = unit(a);
    *mixB = unit(b);
    *mixC = unit(c);
    *mixD = unit(d);
}

void CPlugIn::announceJoystick()
{
    double a, b, c, d, ac, bd;
    computeJoystickMix(m_joystickX.currentValue, m_joystickY.currentValue, &a, &b, &c, &d, &ac, &bd,
                       m_joystickX.rotated);
    joystickChanged(static_cast<float>(a), static_cast<float>(b), static_cast<float>(c),
                    static_cast<float>(d), static_cast<float>(ac), static_cast<float>(bd));
}

void CPlugIn::moveJoystickAxis(CControlDescriptor& axis, float position, bool toSmoother)
{
    if (toSmoother)
        axis.smoothingTarget = position;
    else
        axis.currentValue = position;
}

void CPlugIn::setJoystickX(float x, bool rotated)
{
    moveJoystickAxis(m_joystickX, x, m_joystickX.smoothingEnabled);
    m_joystickX.rotated = rotated;
    if (!m_joystickX.smoothingEnabled)
        announceJoystick();
}

void CPlugIn::setJoystickY(float y, bool rotated)
{
    moveJoystickAxis(m_joystickY, y, m_joystickY.smoothingEnabled);
    m_joystickY.rotated = rotated;
    // The pair is smoothed, and so announced, under the x axis's flag.
    if (!m_joystickX.smoothingEnabled)
        announceJoystick();
}

void CPlugIn::getJoystick(float* x, float* y) const
{
    if (x != nullptr)
        *x = m_joystickX.currentValue;
    if (y != nullptr)
        *y = m_joystickY.currentValue;
}
