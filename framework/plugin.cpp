#include "framework/plugin.h"

#include <cmath>
#include <limits>

namespace {

// Rounds a non-negative list index; values below zero select item 0.
uint32_t roundToIndex(float v)
{
    const double r = std::floor(static_cast<double>(v) + 0.5);
    if (!(r > 0.0))
        return 0;
    if (r >= static_cast<double>(std::numeric_limits<uint32_t>::max()))
        return std::numeric_limits<uint32_t>::max();
    return static_cast<uint32_t>(r);
}

// Converts to int32 with saturation instead of undefined behaviour.
int32_t saturateToInt(double r)
{
    if (std::isnan(r))
        return 0;
    if (r >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (r <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(r);
}

} // namespace

CPlugIn::CPlugIn()
{
    // Equal-tempered note frequencies from note 0 (C-1) upward; entry 69 is 440 Hz.
    double x = 8.175798915636872;
    for (int n = 0; n < kMidiNoteCount; ++n)
    {
        m_fMidiNoteFrequency[n] = static_cast<float>(x);
        x *= 1.059463094359;
    }

    m_joystickX.controlId = 0;
    m_joystickX.name = "MIDI JS X";
    m_joystickX.midiControlEnabled = false;
    m_joystickX.midiStatus = 176;
    m_joystickX.midiControlNumber = 16;
    m_joystickY.controlId = 0;
    m_joystickY.name = "MIDI JS Y";
    m_joystickY.midiControlEnabled = false;
    m_joystickY.midiStatus = 176;
    m_joystickY.midiControlNumber = 17;
}

CPlugIn::~CPlugIn()
{
    delete[] m_pLinkedUpdateArray;
    delete[] m_ppControlTable;
    for (int i = 0; i < kPresetSlots; ++i)
    {
        delete[] m_pPresetData[i];
        delete[] m_pPresetDataB[i];
    }
    m_controls.clear();
}

float CPlugIn::getControlValue(uint32_t position) const
{
    if (m_ppControlTable == nullptr || position >= m_nControlCount)
        return 0.0f;
    const CControlDescriptor* d = m_ppControlTable[position];
    if (d == nullptr)
        return 0.0f;
    switch (d->dataType)
    {
    case kDataInt:
        return d->intVariable ? static_cast<float>(*d->intVariable) : 0.0f;
    case kDataFloat:
        return d->floatVariable ? *d->floatVariable : 0.0f;
    case kDataDouble:
        return d->doubleVariable ? static_cast<float>(*d->doubleVariable) : 0.0f;
    case kDataUInt:
        return d->uintVariable ? static_cast<float>(*d->uintVariable) : 0.0f;
    default:
        return 0.0f;
    }
}

void CPlugIn::setControlNormalized(uint32_t position, float normalized, bool immediate)
{
    if (m_ppControlTable == nullptr || position >= m_nControlCount)
        return;
    CControlDescriptor* d = m_ppControlTable[position];
    if (d == nullptr)
        return;
    const float v = (d->maxValue - d->minValue) * normalized + d->minValue;
    storeControlValue(*d, v, IntConversion::kRound, d->smoothingEnabled && !immediate);
}

void CPlugIn::setControlPlain(uint32_t position, float value)
{
    if (m_ppControlTable == nullptr || position >= m_nControlCount)
        return;
    CControlDescriptor* d = m_ppControlTable[position];
    if (d == nullptr)
        return;
    storeControlValue(*d, value, IntConversion::kTruncate, d->smoothingEnabled);
}

void CPlugIn::storeControlValue(CControlDescriptor& d, float v, IntConversion toInt, bool toSmoother)
{
    switch (d.dataType)
    {
    case kDataInt:
        if (d.intVariable == nullptr)
            return;
        *d.intVariable = saturateToInt(toInt == IntConversion::kRound ? std::floor(static_cast<double>(v) + 0.5)
                                                                      : std::trunc(static_cast<double>(v)));
        break;
    case kDataFloat:
        if (d.floatVariable == nullptr)
            return;
        if (toSmoother)
            d.smoothingTarget = v;
        else
            *d.floatVariable = v;
        break;
    case kDataDouble:
        if (d.doubleVariable == nullptr)
            return;
        if (toSmoother)
            d.smoothingTarget = v;
        else
            *d.doubleVariable = v;
        break;
    case kDataUInt:
    {
        // A list control announces only a change of its index.
        const uint32_t r = roundToIndex(v);
        if (d.uintVariable == nullptr || *d.uintVariable == r)
            return;
        *d.uintVariable = r;
        break;
    }
    default:
        return;
    }
    controlChanged(d.controlId);
}

void CPlugIn::buildControlTable()
{
    delete[] m_ppControlTable;
    m_ppControlTable = nullptr;
    delete[] m_pLinkedUpdateArray;
    m_pLinkedUpdateArray = nullptr;

    const int32_t count = m_controls.count();
    m_ppControlTable = new CControlDescriptor*[count + 2]();
    m_pLinkedUpdateArray = new LinkedUpdate[count + 2]();
    m_nControlCount = static_cast<uint32_t>(count);
    for (int32_t p = 0; p < count; ++p)
    {
        m_ppControlTable[p] = m_controls.at(p);
        m_pLinkedUpdateArray[p].position = p;
        m_pLinkedUpdateArray[p].controlId = m_ppControlTable[p]->controlId;
    }
    findSmoothedControls();
    m_pLinkedUpdateArray[count].position = count;
    m_pLinkedUpdateArray[count + 1].position = count + 1;
}

bool CPlugIn::getLinkedUpdates(uint32_t, float, LinkedUpdate**, bool)
{
    return false;
}

void CPlugIn::clearLinkedUpdates(LinkedUpdate** list)
{
    if (list == nullptr)
        return;
    while (*list != nullptr)
    {
        LinkedUpdate* next = (*list)->next;
        delete *list;
        *list = next;
    }
}

bool CPlugIn::processFrame(const float*, float*, uint32_t, uint32_t) { return true; }
bool CPlugIn::controlChanged(uint32_t) { return true; }
bool CPlugIn::initializePlugIn() { return true; }
bool CPlugIn::joystickChanged(float, float, float, float, float, float) { return true; }
bool CPlugIn::processBufferPair(const float*, float*, uint32_t, uint32_t, uint32_t) { return true; }
bool CPlugIn::processBuffers(float**, float**, uint32_t, uint32_t) { return true; }
bool CPlugIn::noteOn(uint32_t, uint32_t, uint32_t) { return true; }
bool CPlugIn::noteOff(uint32_t, uint32_t, uint32_t, bool) { return true; }
bool CPlugIn::modWheel(uint32_t, uint32_t) { return true; }
bool CPlugIn::pitchBend(uint32_t, int32_t, float) { return true; }
bool CPlugIn::clockTick() { return true; }
bool CPlugIn::rawMidiMessage(uint32_t, uint32_t, uint32_t, uint32_t) { return true; }
bool CPlugIn::initControls() { return true; }
intptr_t CPlugIn::receiveEditorMessage(EditorMessage*) { return 0; }
bool CPlugIn::receiveSideChain(AuxInputInfo*) { return true; }
bool CPlugIn::reservedHook() { return true; }
