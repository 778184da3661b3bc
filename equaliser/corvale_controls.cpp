// The equaliser's controls and factory presets: the one table the wrapper,
// the editor and the tools read.
#include "equaliser/corvale.h"

namespace {

constexpr int kControlCount = 16;

struct ControlRow
{
    const char* name;
    const char* variableName;
    float minValue;
    float maxValue;
    float initialValue;
};

constexpr ControlRow kControls[kControlCount] = {
    {"25", "m_fVolX01dB", -12.0f, 12.0f, 0.0f},    {"40", "m_fVolX02dB", -12.0f, 12.0f, 0.0f},
    {"63", "m_fVolX03dB", -12.0f, 12.0f, 0.0f},    {"100", "m_fVolX04dB", -12.0f, 12.0f, 0.0f},
    {"160", "m_fVolX05dB", -12.0f, 12.0f, 0.0f},   {"250", "m_fVolX06dB", -12.0f, 12.0f, 0.0f},
    {"400", "m_fVolX07dB", -12.0f, 12.0f, 0.0f},   {"630", "m_fVolX08dB", -12.0f, 12.0f, 0.0f},
    {"1000", "m_fVolX09dB", -12.0f, 12.0f, 0.0f},  {"1600", "m_fVolX10dB", -12.0f, 12.0f, 0.0f},
    {"2500", "m_fVolX11dB", -12.0f, 12.0f, 0.0f},  {"4000", "m_fVolX12dB", -12.0f, 12.0f, 0.0f},
    {"6300", "m_fVolX13dB", -12.0f, 12.0f, 0.0f},  {"10000", "m_fVolX14dB", -12.0f, 12.0f, 0.0f},
    {"16000", "m_fVolX15dB", -12.0f, 12.0f, 0.0f}, {"Gain", "m_fGain", 0.0f, 2.0f, 1.0f},
};

struct PresetRow
{
    const char* name;
    double values[kControlCount];  // bands 25 Hz .. 16 kHz in dB, then Gain (linear)
};

// Values as the presets were saved, trailing ...0001 and ...9999 included.
constexpr PresetRow kPresets[CPlugIn::kPresetSlots] = {
    {"Factory Preset", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1.0}},
    {"BD Drums", {0, 1.35, 4.35, 3.75, 1.35, 0, 0, 2.25, 2.85, 1.950001, 0, 4.049999, 5.25, 3.15, 0, 1.3}},
    {"BD Male Vocal", {0, 0, 1.950001, 2.549999, 1.65, 0.450001, 0, 0.75, 2.25, 3.450001, 4.049999, 2.25, 0, 0, 0, 1.0}},
    {"CSL Male Vocal", {0, 0, 0, 0, 0, 0, 0, 0, 1.65, 3.15, 3.15, 1.65, 0, 0, 0, 1.44}},
    {"MDF Male Vocal", {0, 0, 1.950001, 2.549999, 1.65, 0.450001, 0, 0.75, 1.65, 2.45, 3.0, 1.85, 0, 0, 0, 1.0}},
    {"HTM Drums", {0, 0, 1.049999, 2.25, 2.549999, 1.65, 0, -1.65, 0, 0.450001, 0.75, 1.049999, 0.15, -0.15, 0, 1.0}},
    {"POMH Drums", {0.75, 2.25, 3.450001, 3.450001, 1.65, 0, 0, 0, 0, 2.25, 2.85, 3.15, 1.950001, -0.45, -4.05, 0.83}},
    {"POMH Male Vocal", {0, 0, 1.35, 1.950001, 1.65, 1.049999, 0, 0, 0, 1.35, 2.549999, 1.65, 0, 0, 0, 1.0}},
    {"LL Drums", {0, 0.75, 3.75, 4.65, 3.75, 1.35, 0, 0, 0, 3.15, 4.65, 4.35, 2.25, 0, 0, 1.0}},
    {"LL Piano", {0, 0, 0, 0, 0, 0, 0, 0, 0, 1.65, 3.450001, 2.549999, 0, 0, 0, 2.0}},
    {"MK Male Vocal", {0, 0, 0, 0, 1.35, 1.35, 0.75, 0, 1.049999, 1.65, 1.950001, 1.950001, 0.75, 0, 0, 1.17}},
    {"MK Piano Bus", {0, 2.549999, 4.65, 3.15, 2.4, 1.65, 0, 1.65, 3.75, 5.25, 4.049999, 1.65, 0, 0, 0, 1.0}},
    {"MQL Rhythm Guitar HP Shelf", {-9.75, -9.45, -9.15, -8.55, -7.35, -5.55, -2.55, -1.05, 0, 0, 0, 0, 0, 0, 0, 1.0}},
    {"NDM Drums", {0, 1.0, 1.0, 1.0, 1.0, 0, 0, 2.25, 2.85, 1.950001, 0, 4.049999, 5.25, 3.15, 0, 1.3}},
    {"OS Drums", {0, 0.75, 2.25, 2.85, 1.950001, 0, 0, 1.950001, 3.15, 1.65, 0, 1.049999, 1.049999, 0.450001, 0, 1.0}},
    {"SYL Piano Bus", {-0.255, -0.45, 0.450001, 0, -0.75, -2.55, -2.55, -1.05, -1.35, 1.65, 4.65, 6.15, 4.65, 1.35, -3.45, 1.27}},
};

void setUpJoystickAxis(CControlDescriptor& axis, uint32_t id, int32_t updatePosition)
{
    axis.controlId = id;
    axis.midiControlEnabled = false;
    axis.midiStatus = 176;
    axis.currentValue = 0.0f;
    axis.rotated = true;
    axis.updatePosition = updatePosition;
    axis.smoothingEnabled = false;
    axis.smoothingTimeMs = 100.0f;
    for (double& value : axis.presetValues)
        value = 0.0;
}

} // namespace

bool CCorvale::initControls()
{
    if (m_controls.count() > 0)
        return true;

    for (int position = 0; position < kControlCount; ++position)
    {
        const ControlRow& row = kControls[position];
        float* variable = controlVariable(position);
        *variable = row.initialValue;

        CControlDescriptor descriptor;
        descriptor.controlType = kControlTypeNormal;
        descriptor.controlId = static_cast<uint32_t>(position);
        descriptor.minValue = row.minValue;
        descriptor.maxValue = row.maxValue;
        descriptor.dataType = kDataFloat;
        descriptor.floatVariable = variable;
        descriptor.initialValue = row.initialValue;
        descriptor.name = row.name;
        descriptor.units = "";
        descriptor.variableName = row.variableName;
        descriptor.enumString = "SEL1,SEL2,SEL3";
        descriptor.smoothingEnabled = false;
        descriptor.smoothingTimeMs = 100.0f;
        descriptor.midiControlEnabled = false;
        descriptor.midiStatus = 176;
        descriptor.midiControlNumber = 3;
        descriptor.updatePosition = position;
        descriptor.precision = 2;
        for (int slot = 0; slot < kPresetSlots; ++slot)
            descriptor.presetValues[slot] = kPresets[slot].values[position];
        m_controls.append(descriptor);
    }

    m_pszButtonNames[0] = "B1";
    m_pszButtonNames[1] = "B2";
    m_pszButtonNames[2] = "B3";
    m_bHasEditor = true;
    m_nKnobMode = 2;
    m_fLatencySamples = kLatencySamples;  // the convolution's true delay, so hosts compensate
    m_fTailTimeMs = 500.0f;
    m_bInfiniteTail = 0;
    m_bSideChainInput = 0;
    m_bSampleAccurate = 0;
    m_nAutomationGranularity = 0;

    setUpJoystickAxis(m_joystickX, 32773, kControlCount);
    m_joystickX.midiControlNumber = 16;
    m_joystickX.dataType = kDataFloat;
    setUpJoystickAxis(m_joystickY, 32774, kControlCount + 1);
    m_joystickY.midiControlNumber = 17;

    for (int slot = 0; slot < kPresetSlots; ++slot)
    {
        m_pszPresetNames[slot] = kPresets[slot].name;
        delete[] m_pPresetData[slot];
        m_pPresetData[slot] = new double[kPresetBlockSize]();
    }

    buildControlTable();
    return true;
}
