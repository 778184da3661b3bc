// A small plug-in of each data type, recording what the base announces.
#pragma once

#include "framework/plugin.h"

#include <vector>

class TestPlugIn : public CPlugIn
{
public:
    enum Position : uint32_t { kInt, kFloat, kDouble, kList, kNone, kMeter, kCount };

    explicit TestPlugIn(bool smoothFloats = false)
    {
        addControl(kDataInt, 0.0f, 10.0f, false);
        addControl(kDataFloat, -12.0f, 12.0f, smoothFloats);
        addControl(kDataDouble, 0.0f, 2.0f, smoothFloats);
        addControl(kDataUInt, 0.0f, 2.0f, false);
        addControl(kDataNone, 0.0f, 1.0f, false);
        CControlDescriptor meter;
        meter.controlType = kControlTypeMeter;
        meter.controlId = 105;
        meter.meterVariable = &meterValue;
        meter.updatePosition = kMeter;
        m_controls.append(meter);
        buildControlTable();
    }

    bool controlChanged(uint32_t controlId) override
    {
        announced.push_back(controlId);
        return true;
    }

    bool joystickChanged(float a, float b, float c, float d, float ac, float bd) override
    {
        mixes.push_back({a, b, c, d, ac, bd});
        return true;
    }

    using CPlugIn::buildControlTable;

    int32_t intValue = 0;
    float floatValue = 0.0f;
    double doubleValue = 0.0;
    uint32_t listValue = 0;
    float meterValue = 0.0f;
    std::vector<uint32_t> announced;
    std::vector<std::vector<float>> mixes;

private:
    void addControl(int32_t dataType, float minValue, float maxValue, bool smooth)
    {
        CControlDescriptor d;
        d.controlType = kControlTypeNormal;
        d.controlId = 100 + static_cast<uint32_t>(m_controls.count());  // ids differ from positions
        d.dataType = dataType;
        d.minValue = minValue;
        d.maxValue = maxValue;
        d.smoothingEnabled = smooth;
        d.updatePosition = m_controls.count();
        d.intVariable = dataType == kDataInt ? &intValue : nullptr;
        d.floatVariable = dataType == kDataFloat ? &floatValue : nullptr;
        d.doubleVariable = dataType == kDataDouble ? &doubleValue : nullptr;
        d.uintVariable = dataType == kDataUInt ? &listValue : nullptr;
        m_controls.append(d);
    }
};
