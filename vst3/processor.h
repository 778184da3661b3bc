// Processor: the single-component VST 3 effect that owns one plug-in object
// (a CPlugIn) and translates everything the host asks into calls on it:
// life cycle, buses and editor texts (processor.cpp), the audio path
// (processor_audio.cpp), the host's parameter changes of a block
// (processor_param_changes.cpp), parameters, units and the program list
// (processor_parameters.cpp), state, program changes and the main thread's
// hand-over to the audio thread (processor_state.cpp), the MIDI controller
// mapping (processor_midi.cpp), the editor view and the editor's open and close
// (processor_editor.cpp) and the custom view factory (processor_view_factory.cpp).
//
// Threads: the host calls process on its audio thread and everything else on
// its main thread. Only the audio thread touches the plug-in's controls, bypass
// and joystick while the component is active; the main thread's writes go
// through a ControlMailbox that process drains at the start of each block. The
// editor, on the main thread too, only asks the plug-in (editor messages, linked
// updates); its edits reach the audio thread through the host as parameter changes.
#pragma once

#include "vst3/bypass_delay.h"
#include "vst3/bypass_fade.h"
#include "vst3/control_mailbox.h"
#include "vst3/single_component_effect.h"
#include "vst3/state_stream.h"

#include "framework/plugin.h"
#include "gui/plugin/vst3_editor_delegate.h"
#include "pluginterfaces/vst/ivstmidicontrollers.h"
#include "pluginterfaces/vst/ivstunits.h"

#include <memory>
#include <string>
#include <vector>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

class CVSTMidiEventList;
class CVSTParamUpdateQueue;

class Processor : public SingleComponentEffect, public IMidiMapping, public VSTGUI::VST3EditorDelegate
{
public:
    /// The class ID (four words, laid out for this platform). [any]
    static const FUID cid;

    /// Creates the plug-in through createPlugIn and reads its capabilities; when that
    /// fails, the component exists without a plug-in (nothing is thrown). [main]
    Processor();
    ~Processor() override;

    /// The factory's creation function: a new Processor as FUnknown, or null. [main]
    static FUnknown* createInstance(void* context);

    // IPluginBase [main]
    tresult PLUGIN_API initialize(FUnknown* context) override;
    tresult PLUGIN_API terminate() override;

    // IComponent [main]
    /// Activation prepares the plug-in for the stored setup's rate; a failure is
    /// answered with an error code and the plug-in keeps its previous preparation.
    tresult PLUGIN_API setActive(TBool state) override;

    // IAudioProcessor
    /// Equal input and output arrangements of one or two channels. [main]
    tresult PLUGIN_API setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                          SpeakerArrangement* outputs, int32 numOuts) override;
    uint32 PLUGIN_API getLatencySamples() override { return latency_; }  ///< [main]
    /// Prepares the plug-in for the rate; refused (error code, previous setup kept)
    /// when it cannot be prepared. [main]
    tresult PLUGIN_API setupProcessing(ProcessSetup& setup) override;
    tresult PLUGIN_API process(ProcessData& data) override;              ///< [audio]
    uint32 PLUGIN_API getTailSamples() override;                         ///< [main]
    /// Tempo and time signature, which the plug-in's transport information carries. [main]
    uint32 PLUGIN_API getProcessContextRequirements() override
    {
        return kNeedTempo | kNeedTimeSignature;
    }

    // IEditController [main]
    tresult PLUGIN_API setComponentState(IBStream* state) override;
    /// Stores the value, tells the plug-in and, for "Factory Presets", applies the program.
    tresult PLUGIN_API setParamNormalized(ParamID id, ParamValue value) override;
    /// The editor for the name "editor" (exactly) when the plug-in has one: the view the
    /// plug-in builds itself when it says so, else the description-driven editor. Null
    /// otherwise; the host owns the view.
    IPlugView* PLUGIN_API createView(FIDString name) override;

    // IMidiMapping [main]
    tresult PLUGIN_API getMidiControllerAssignment(int32 busIndex, int16 channel,
                                                   CtrlNumber midiControllerNumber,
                                                   ParamID& id) override;

    // IUnitInfo [main]
    int32 PLUGIN_API getProgramListCount() override;
    tresult PLUGIN_API getProgramListInfo(int32 listIndex, ProgramListInfo& info) override;
    tresult PLUGIN_API getProgramName(ProgramListID listId, int32 programIndex,
                                      String128 name) override;
    tresult PLUGIN_API getProgramInfo(ProgramListID, int32, CString, String128) override
    {
        return kResultFalse;
    }
    tresult PLUGIN_API hasProgramPitchNames(ProgramListID, int32) override { return kResultFalse; }
    tresult PLUGIN_API getProgramPitchName(ProgramListID, int32, int16, String128) override
    {
        return kResultFalse;
    }

    // ComponentBase [main]
    /// "VSTGUITimerPing" and "RecreateView" reach the plug-in as editor messages.
    tresult receiveText(const char8* text) override;

    // VST3EditorDelegate [main] (processor_editor.cpp)
    /// The editor opened: the plug-in hears it (editor message kind 0).
    void didOpen(VSTGUI::VST3Editor* editor) override;
    /// The editor closes: the plug-in hears it (editor message kind 1).
    void willClose(VSTGUI::VST3Editor* editor) override;
    // VST3EditorDelegate [main] (processor_view_factory.cpp)
    /// The framework's custom views for description entries that name one; none yet.
    VSTGUI::CView* createCustomView(VSTGUI::UTF8StringPtr name,
                                    const VSTGUI::UIAttributes& attributes,
                                    const VSTGUI::IUIDescription* description,
                                    VSTGUI::VST3Editor* editor) override;
    /// The framework's sub-controllers for description entries that name one; none yet.
    VSTGUI::IController* createSubController(VSTGUI::UTF8StringPtr name,
                                             const VSTGUI::IUIDescription* description,
                                             VSTGUI::VST3Editor* editor) override;

    OBJ_METHODS(Processor, SingleComponentEffect)
    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
    REFCOUNT_METHODS(SingleComponentEffect)

    // Conversions between a parameter's normalised value and a control's linear one. [any]
    static float voltOctaveToLinear(double value, const CControlDescriptor& c);
    static float linearToVoltOctave(double plain, const CControlDescriptor& c);
    /// Item k (from 0) of a comma-separated list; false when there is none. [any]
    static bool enumItem(const char* list, int32 k, std::string& item);

    /// The plug-in object (null when its creation failed). [any]
    CPlugIn* plugInObject() const { return plugIn_; }

protected:
    // IComponent::setState/getState through the thunk. [main]
    tresult setProcessorState(IBStream* state) override;
    tresult getProcessorState(IBStream* state) override;

private:
    // processor.cpp
    void createPlugInObject();
    /// prepareForProcessing at a rate; on failure the plug-in keeps its old rate.
    tresult preparePlugIn(int32 sampleRate);
    bool isInstrument() const { return plugIn_ != nullptr && plugIn_->m_bNoAudioInput; }
    static uint32 channelsOf(SpeakerArrangement arrangement);

    // processor_audio.cpp
    void processFrames(ProcessData& data, uint32 channels, HostInfo& info, HostMessage& message,
                       double timeStep);
    /// The run in pieces of at most kFadePiece frames: the dry frames of each piece are
    /// taken from the delay line first, then the plug-in runs, then the fade mixes.
    void runWithFade(FrameRun& run);
    void writeMeters(ProcessData& data, bool zero);
    void releaseUpdateQueues();

    // processor_param_changes.cpp
    bool applyParameterChanges(ProcessData& data);
    void applyFixedParameter(ParamID id, double value);

    // processor_parameters.cpp
    void publishParameters();
    void buildUnitsAndPrograms();
    float toLinear(const CControlDescriptor& c, double value) const;
    void notifyEditorParameter(ParamID id, ParamValue value);
    void sendEditorMessage(int32 kind);

    // processor_state.cpp
    void applyProgram(ParamValue value);
    void syncLinkedControls();
    int32 controlIndexForId(uint32 controlId) const;
    tresult setParamFromPlain(ParamID id, ParamValue plain);
    /// Main-thread writes: posted to the mailbox; applied at once while inactive.
    void beginMainWrites();
    void postControlPlain(int32 position, float value);
    void postBypass(bool on);
    void postJoystick(float x, float y);
    void endMainWrites();
    /// Applies the mailbox's new values to the plug-in. [audio] or [main, inactive]
    void drainMailbox();
    /// Publishes the values in use for the main thread to read. [audio] or [main, inactive]
    void publishCurrentValues();

    int32 controlCount() const { return static_cast<int32>(controls_.size()); }
    int32 bypassSlot() const { return controlCount(); }
    int32 joystickXSlot() const { return controlCount() + 1; }
    int32 joystickYSlot() const { return controlCount() + 2; }

    uint32 latency_ = 0;
    CPlugIn* plugIn_ = nullptr;
    bool bypass_ = false;  ///< audio thread's copy while active
    std::vector<int32> meterControls_;
    bool sidechainEnabled_ = false;
    std::vector<std::unique_ptr<CVSTParamUpdateQueue>> updateQueues_;
    int32 updateGranularity_ = 1;
    bool sampleAccurate_ = false;
    std::unique_ptr<CVSTMidiEventList> midiEventList_;
    EditorMessage editorMessage_ {};

    std::vector<CControlDescriptor*> controls_;  ///< by position, fixed after creation
    std::vector<StateField> stateLayout_;
    ControlMailbox mailbox_;
    // Bypass: the plug-in keeps processing; its output and the dry input, delayed by the
    // latency, are crossfaded whenever bypass switches. Audio thread only while active.
    static constexpr int32 kFadePiece = 256;
    BypassDelay bypassDelay_;
    BypassFade bypassFade_;
    float dryStore_[2][kFadePiece] = {};
    float* dryFrames_[2] = {dryStore_[0], dryStore_[1]};
    bool active_ = false;
};

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
