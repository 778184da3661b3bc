// CControlDescriptor: everything the framework knows about one control of a
// plug-in: kind, range, bound variable, texts, MIDI assignment, smoothing,
// meter settings, display precision and its value in each of sixteen presets.
#pragma once

#include <cstdint>

class IParamUpdateQueue;

/// Kinds of control (controlType).
enum ControlType : int32_t
{
    kControlTypeNormal = 100,  ///< published as an automatable parameter
    kControlTypeMeter = 103,   ///< read-only meter, written by the plug-in
};

/// Type of a control's bound variable (dataType).
enum ControlDataType : int32_t
{
    kDataInt = 0,
    kDataFloat = 1,
    kDataDouble = 2,
    kDataUInt = 3,   ///< index into the items of enumString
    kDataNone = 4,
};

/// One control. A plain record with value semantics: copying copies the five
/// texts into the copy's own storage, so a copy never points into its source.
class CControlDescriptor
{
public:
    static constexpr int kTextCapacity = 1024;  ///< bytes per text, terminator included
    static constexpr int kPresetSlots = 16;

    /// Defaults as documented per field; texts empty in own storage. [any]
    CControlDescriptor();
    /// Copies every field but the smoothers (zeroed); texts go to own storage. [any]
    CControlDescriptor(const CControlDescriptor& other);
    /// As the copy constructor, but keeps this descriptor's smoother state. [any]
    CControlDescriptor& operator=(const CControlDescriptor& other);

    /// True when the control is published to the host (types 100, 102, 103, 104, 106). [any]
    bool isPublished() const;

    int32_t controlType = 0;
    uint32_t controlId = 0;
    int32_t meterDetectMode = 2;
    float minValue = 0.0f;
    float maxValue = 0.0f;
    int32_t dataType = kDataNone;
    float initialValue = 0.0f;  ///< informational; nothing reads it

    // Value smoothing: a one-pole filter toward smoothingTarget.
    float smoothingTarget = 0.0f;
    float smoothCoeffState = 0.0f;   ///< b, weight of the state
    float smoothCoeffTarget = 0.0f;  ///< a = 1 - b, weight of the target
    float smoothState = 0.0f;
    float smoothLastOutput = 0.0f;
    double smoothCoeffStateD = 0.0;
    double smoothCoeffTargetD = 0.0;
    double smoothStateD = 0.0;
    double smoothLastOutputD = 0.0;
    float smoothingTimeMs = 100.0f;
    bool smoothingEnabled = false;

    float currentValue = 0.0f;  ///< value of a control without bound variable (joystick axes)
    bool rotated = false;       ///< joystick flag for the corner mix

    int32_t* intVariable = nullptr;
    float* floatVariable = nullptr;
    double* doubleVariable = nullptr;
    uint32_t* uintVariable = nullptr;
    float* meterVariable = nullptr;

    const char* name;          ///< display name, the parameter title
    const char* units;
    const char* variableName;
    const char* enumString;    ///< comma-separated item names of a list control
    const char* spareText;

    bool meterLogScale = false;
    bool logScale = false;      ///< normalised value maps to the range logarithmically
    bool voltOctave = false;    ///< normalised value maps to the range in volt/octave fashion
    float meterAttackMs = 10.0f;
    float meterReleaseMs = 500.0f;
    bool midiControlEnabled = false;
    int32_t midiStatus = 176;
    int32_t midiControlNumber = 3;
    int32_t updatePosition = -1;  ///< index into the plug-in's update array; -1 = none
    int32_t precision = 0;        ///< digits after the decimal point in value texts
    double presetValues[kPresetSlots] = {};
    IParamUpdateQueue* paramUpdateQueue = nullptr;  ///< attached by the wrapper for this block, or null

private:
    void copyFieldsFrom(const CControlDescriptor& other);
    void pointTextsAtOwnStorage();

    char m_textStorage[5][kTextCapacity] = {};
};
