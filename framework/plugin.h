// CPlugIn: the host-independent base class of every plug-in of the framework.
// A product derives from it, declares its controls in initControls and
// overrides the operations it needs; a host wrapper owns exactly one object
// and drives it. Wrapper calling order:
//   1. createPlugIn(), initializePlugIn(), then read the capability members;
//   2. publish m_controls as parameters; hand over the MIDI event list (message kind 5);
//   3. on each sample-rate change: set m_nSampleRate, call prepareForProcessing();
//   4. per block: setControlNormalized for the block's changes, then per frame
//      MIDI events, processFrame() and a transport message (kind 2); the frames
//      between two events come as one processFrameRun() call;
//   5. state and presets through getControlValue / setControlPlain / setControlNormalized.
#pragma once

#include "framework/control_list.h"
#include "framework/plugin_records.h"

#include <cstdint>
#include <cstring>
#include <vector>

class CPlugIn
{
public:
    static constexpr int kPresetSlots = 16;
    static constexpr int kPresetBlockSize = 56;  ///< doubles per preset data block
    static constexpr int kMidiNoteCount = 127;

    /// Host message kinds understood by receiveHostMessage.
    enum HostMessageKind : uint32_t
    {
        kApplyUpdates = 0,     ///< apply a whole update array from outside
        kReadMeters = 1,       ///< hand out the update array with meter values
        kTransport = 2,        ///< new transport information
        kMidiEventList = 5,    ///< the wrapper's MIDI event list
    };

    CPlugIn();
    virtual ~CPlugIn();
    CPlugIn(const CPlugIn&) = delete;
    CPlugIn& operator=(const CPlugIn&) = delete;

    /// After m_nSampleRate was set: sets up every smoother at its present value. [main]
    virtual bool prepareForProcessing();
    /// One frame; arrays hold room for two samples. [audio]
    virtual bool processFrame(const float* input, float* output, uint32_t numInputChannels,
                              uint32_t numOutputChannels);
    /// Frames run.first .. run.first + run.count - 1 of a block. Per frame: the input
    /// frame from the block (a non-finite sample as 0), processFrame(), the output frame
    /// into the block, the host position one sample on and the transport message (kind 2).
    /// A product may process the run in one pass instead if it leaves the same outputs
    /// and the same state. [audio]
    virtual void processFrameRun(FrameRun& run);
    /// The variable of the control with this controlId has changed. [audio] or [main]
    virtual bool controlChanged(uint32_t controlId);
    /// Called once right after creation, before the capability members are read. [main]
    virtual bool initializePlugIn();
    /// The joystick moved; the six mixes of computeJoystickMix. [audio] or [main]
    virtual bool joystickChanged(float mixA, float mixB, float mixC, float mixD, float mixAC,
                                 float mixBD);
    /// Block variant of frame processing that no wrapper calls. [audio]
    virtual bool processBufferPair(const float* input, float* output, uint32_t numInputChannels,
                                   uint32_t numOutputChannels, uint32_t numFrames);
    /// Buffer mode (m_bProcessBuffers): one call per block. [audio]
    virtual bool processBuffers(float** inputs, float** outputs, uint32_t numChannels,
                                uint32_t numFrames);
    virtual bool noteOn(uint32_t channel, uint32_t note, uint32_t velocity);  ///< [audio]
    virtual bool noteOff(uint32_t channel, uint32_t note, uint32_t velocity,
                         bool allNotesOff);                                    ///< [audio]
    virtual bool modWheel(uint32_t channel, uint32_t value);                   ///< [audio]
    virtual bool pitchBend(uint32_t channel, int32_t value, float normalized);  ///< [audio]
    virtual bool clockTick();                                                  ///< [audio]
    virtual bool rawMidiMessage(uint32_t channel, uint32_t status, uint32_t data1,
                                uint32_t data2);                               ///< [audio]
    /// Builds the controls, control table, update array, presets and joystick. [main]
    virtual bool initControls();
    /// Transport (2), update-array exchange (0, 1); other kinds are ignored here. [any]
    virtual void receiveHostMessage(uint32_t kind, HostMessage* message);
    /// Controls that depend on controlId's new value; false when there are none. [main]
    virtual bool getLinkedUpdates(uint32_t controlId, float plainValue, LinkedUpdate** list,
                                  bool flag);
    /// Deletes a list returned by getLinkedUpdates and sets the head to null. [main]
    virtual void clearLinkedUpdates(LinkedUpdate** list);
    /// Editor requests; the base declines every one (answers 0). [main]
    virtual intptr_t receiveEditorMessage(EditorMessage* message);
    /// Side-chain samples for the coming frame or block. [audio]
    virtual bool receiveSideChain(AuxInputInfo* info);
    virtual bool reservedHook();

    /// The bound variable of the control at position, as float (0 without one). [any]
    float getControlValue(uint32_t position) const;
    /// Sets the control from 0..1 spread linearly over its range. [audio] or [main]
    void setControlNormalized(uint32_t position, float normalized, bool immediate);
    /// Sets the control from a value in its own units. [audio] or [main]
    void setControlPlain(uint32_t position, float value);

    /// Corner mixes A..D and axis mixes of a joystick position (-1..1 each). [any]
    static void computeJoystickMix(double x, double y, double* mixA, double* mixB, double* mixC,
                                   double* mixD, double* mixAC, double* mixBD, bool rotated);
    void setJoystickX(float x, bool rotated);  ///< [audio] or [main]
    void setJoystickY(float y, bool rotated);  ///< [audio] or [main]
    void getJoystick(float* x, float* y) const;  ///< [any]

    /// The sample, or 0 when it is infinite or NaN: what a plug-in gets as input. Written
    /// on the bits (all exponent bits set means infinite or NaN) so that loops over it
    /// vectorise; a comparison would keep them scalar. [any]
    static float finiteOrZero(float sample)
    {
        uint32_t bits;
        std::memcpy(&bits, &sample, sizeof bits);
        bits &= 0u - static_cast<uint32_t>((bits & 0x7f800000u) != 0x7f800000u);
        std::memcpy(&sample, &bits, sizeof bits);
        return sample;
    }

    /// One step of every active smoother; a derived processFrame calls it per frame. [audio]
    void smoothControls()
    {
        if (m_bSmoothingActive)
            stepSmoothers();
    }

    bool m_bNoAudioInput = false;
    bool m_bForwardAllMidi = false;
    bool m_bProcessBuffers = false;
    int32_t m_nChannelCount = 2;
    int32_t m_nSampleRate = 44100;
    int32_t m_nBitDepth = 16;
    double* m_pPresetData[kPresetSlots] = {};
    const char* m_pszPresetNames[kPresetSlots] = {};
    double* m_pPresetDataB[kPresetSlots] = {};
    const char* m_pszPlugInName = "Name Not Set.";
    bool m_bHasEditor = false;
    int32_t m_nKnobMode = 0;
    int32_t m_bSideChainInput = 0;
    int32_t m_bSampleAccurate = 0;
    int32_t m_nAutomationGranularity = 0;
    int32_t m_bInfiniteTail = 0;
    float m_fLatencySamples = 0.0f;
    float m_fTailTimeMs = 0.0f;
    const char* m_pszButtonNames[3] = {"B1", "B2", "B3"};
    float m_fMidiNoteFrequency[kMidiNoteCount] = {};
    CControlDescriptor m_joystickX;
    CControlDescriptor m_joystickY;
    HostInfo m_hostInfo;
    CControlDescriptor** m_ppControlTable = nullptr;
    uint32_t m_nControlCount = 0;
    LinkedUpdate* m_pLinkedUpdateArray = nullptr;
    CControlList m_controls;

protected:
    /// Whether smoothControls() has anything to step (some control or the joystick is
    /// smoothed). [any]
    bool smoothingActive() const { return m_bSmoothingActive; }
    /// Rebuilds m_ppControlTable and m_pLinkedUpdateArray from m_controls
    /// (count + 2 entries each; update record p gets position p and its id). [main]
    void buildControlTable();
    /// Sets up one float smoother at value v for the current sample rate. [main]
    void setUpSmoother(CControlDescriptor& descriptor, float v) const;
    /// Announces the joystick's current mix through joystickChanged. [any]
    void announceJoystick();
    /// Moves one axis at once or, with toSmoother, sets its smoothing target. [any]
    static void moveJoystickAxis(CControlDescriptor& axis, float position, bool toSmoother);

private:
    enum class IntConversion { kRound, kTruncate };
    /// Stores v in the control's variable (or its smoother's target) and announces it.
    void storeControlValue(CControlDescriptor& d, float v, IntConversion toInt, bool toSmoother);
    void receiveUpdates(HostMessage* message);
    void readMeters(HostMessage* message);
    /// Lists the positions whose smoothing is on, so the per-frame step skips the rest. [main]
    void findSmoothedControls();

    void stepSmoothers();

    std::vector<uint32_t> m_smoothedPositions;
    bool m_bSmoothingActive = false;  ///< some control or the joystick is smoothed
};

/// Product hook: each product defines it to create its plug-in object; the
/// caller owns the result. [main]
CPlugIn* createPlugIn();
