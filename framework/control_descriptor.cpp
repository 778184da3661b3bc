#include "framework/control_descriptor.h"

#include <cstring>

namespace {

// Copies at most capacity - 1 characters and always terminates.
void copyText(char* target, const char* source, int capacity)
{
    if (source == nullptr)
    {
        target[0] = '\0';
        return;
    }
    if (source == target)
        return;
    const size_t length = strnlen(source, static_cast<size_t>(capacity - 1));
    std::memmove(target, source, length);
    target[length] = '\0';
}

} // namespace

CControlDescriptor::CControlDescriptor()
{
    pointTextsAtOwnStorage();
}

CControlDescriptor::CControlDescriptor(const CControlDescriptor& other)
{
    pointTextsAtOwnStorage();
    copyFieldsFrom(other);
}

CControlDescriptor& CControlDescriptor::operator=(const CControlDescriptor& other)
{
    if (this == &other)
        return *this;
    // The target keeps its smoother state; its texts land in its own storage.
    const float state[4] = {smoothCoeffState, smoothCoeffTarget, smoothState, smoothLastOutput};
    const double stateD[4] = {smoothCoeffStateD, smoothCoeffTargetD, smoothStateD, smoothLastOutputD};
    copyFieldsFrom(other);
    smoothCoeffState = state[0];
    smoothCoeffTarget = state[1];
    smoothState = state[2];
    smoothLastOutput = state[3];
    smoothCoeffStateD = stateD[0];
    smoothCoeffTargetD = stateD[1];
    smoothStateD = stateD[2];
    smoothLastOutputD = stateD[3];
    return *this;
}

bool CControlDescriptor::isPublished() const
{
    switch (controlType)
    {
    case 100:
    case 102:
    case 103:
    case 104:
    case 106:
        return true;
    default:
        return false;
    }
}

void CControlDescriptor::pointTextsAtOwnStorage()
{
    name = m_textStorage[0];
    units = m_textStorage[1];
    variableName = m_textStorage[2];
    enumString = m_textStorage[3];
    spareText = m_textStorage[4];
}

void CControlDescriptor::copyFieldsFrom(const CControlDescriptor& other)
{
    // The source's texts may live anywhere (constants, its own storage), so read
    // them before this descriptor's pointers are reset to its own storage.
    const char* sourceTexts[5] = {other.name, other.units, other.variableName, other.enumString,
                                  other.spareText};
    // Copy into scratch first: a source text may alias this descriptor's storage.
    char scratch[5][kTextCapacity];
    for (int i = 0; i < 5; ++i)
        copyText(scratch[i], sourceTexts[i], kTextCapacity);

    controlType = other.controlType;
    controlId = other.controlId;
    meterDetectMode = other.meterDetectMode;
    minValue = other.minValue;
    maxValue = other.maxValue;
    dataType = other.dataType;
    initialValue = other.initialValue;
    smoothingTarget = other.smoothingTarget;
    smoothCoeffState = smoothCoeffTarget = smoothState = smoothLastOutput = 0.0f;
    smoothCoeffStateD = smoothCoeffTargetD = smoothStateD = smoothLastOutputD = 0.0;
    smoothingTimeMs = other.smoothingTimeMs;
    smoothingEnabled = other.smoothingEnabled;
    currentValue = other.currentValue;
    rotated = other.rotated;
    intVariable = other.intVariable;
    floatVariable = other.floatVariable;
    doubleVariable = other.doubleVariable;
    uintVariable = other.uintVariable;
    meterVariable = other.meterVariable;
    meterLogScale = other.meterLogScale;
    logScale = other.logScale;
    voltOctave = other.voltOctave;
    meterAttackMs = other.meterAttackMs;
    meterReleaseMs = other.meterReleaseMs;
    midiControlEnabled = other.midiControlEnabled;
    midiStatus = other.midiStatus;
    midiControlNumber = other.midiControlNumber;
    updatePosition = other.updatePosition;
    precision = other.precision;
    for (int i = 0; i < kPresetSlots; ++i)
        presetValues[i] = other.presetValues[i];
    paramUpdateQueue = other.paramUpdateQueue;

    std::memcpy(m_textStorage, scratch, sizeof(m_textStorage));
    pointTextsAtOwnStorage();
}
