// Vst2Adapter: one VST 2.4 effect (an AEffect) around one VST 3 component whose
// controller is the same object. The host's dispatcher calls become VST 3 calls
// on the component and controller; setParameter values reach the processor as
// parameter changes at offset 0 of the next processReplacing block and the
// controller on the next editor idle; MIDI controllers, pitch bend and channel
// pressure that the component maps (IMidiMapping) become parameter changes at
// their frames; each block carries the host's time information as its process
// context; edits from the plug-in's editor reach the host through
// audioMasterAutomate with begin/end edit.
//
// Threads: the host calls processReplacing and effProcessEvents on its audio
// thread, setParameter/getParameter from any thread, everything else on its
// main thread. Only Vst2PendingValues is shared between them.
#pragma once

#include "vst2/vst2_abi.h"
#include "vst2/vst2_events.h"
#include "vst2/vst2_host_context.h"
#include "vst2/vst2_host_link.h"
#include "vst2/vst2_midi_controllers.h"
#include "vst2/vst2_parameter_changes.h"
#include "vst2/vst2_parameter_map.h"
#include "vst2/vst2_pending_values.h"
#include "vst2/vst2_plug_frame.h"

#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

/// Keeps the module initialised for as long as an adapter lives.
class Vst2ModuleLease
{
public:
    virtual ~Vst2ModuleLease() = default;
};

class Vst2Adapter final : public Vst2HostLink
{
public:
    /// Creates the class `cid` through the factory and wraps it; null when the class
    /// cannot be created or initialised. The factory reference stays the caller's. [main]
    static AEffect* create(IPluginFactory* factory, const TUID cid, int32 uniqueId,
                           audioMasterCallback audioMaster, std::unique_ptr<Vst2ModuleLease> lease);

    ~Vst2Adapter() override;
    Vst2Adapter(const Vst2Adapter&) = delete;
    Vst2Adapter& operator=(const Vst2Adapter&) = delete;

    /// The adapter behind an effect this module made (null for null). [any]
    static Vst2Adapter* of(AEffect* effect);
    AEffect* effect() { return &effect_; }

    /// The dispatcher; effClose deletes the adapter. [main, audio for effProcessEvents]
    VstIntPtr dispatch(int opcode, int index, VstIntPtr value, void* ptr, float opt);
    /// [any] Normalised values by VST 2 index; out-of-range indices are ignored (read as 0).
    void setParameter(int index, float value);
    float getParameter(int index) const;
    /// [audio] 32-bit processing of the host's two input and two output channels.
    void processReplacing(float** inputs, float** outputs, int numSamples);

    // Vst2HostLink [main]
    void editBegan(ParamID id) override;
    void editPerformed(ParamID id, ParamValue value) override;
    void editEnded(ParamID id) override;
    void componentRestarted(int32 flags) override;
    bool editorResized(int32 width, int32 height) override;
    std::string hostName() override;

private:
    Vst2Adapter(audioMasterCallback audioMaster, std::unique_ptr<Vst2ModuleLease> lease);
    bool init(IPluginFactory* factory, const TUID cid, int32 uniqueId);
    void readClassInfo(IPluginFactory* factory, const TUID cid);
    VstIntPtr callHost(int opcode, int index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f);

    // vst2_adapter.cpp: parameters and processing
    int32 bypassSlot() const { return parameterMap_.count(); }
    void applySetup();
    void setMains(bool on);
    void flushToController();
    void reloadFromController();
    void setBypass(bool on);
    /// Moves the values pending for the processor into inputChanges_. [audio]
    void collectChanges();
    /// Splits a host's events into routed controller changes and events. [audio]
    void receiveEvents(const VstEvents* events);
    /// Adds the routed controller changes to inputChanges_ within the block and
    /// hands their last values to the controller. [audio]
    void mergeMidiChanges(int32 numSamples);
    /// While not active, hands the pending values to the processor in a block of
    /// no samples, so that the component state holds them. [main]
    void flushToProcessorWhileInactive();

    // vst2_adapter_programs.cpp: programs and chunks
    int32 countPrograms();
    bool selectProgram(int32 program);
    bool programName(int32 program, char* text);
    VstIntPtr getChunk(void** data);
    bool setChunk(const void* data, size_t size);

    // vst2_adapter_texts.cpp: identity and parameter texts
    VstIntPtr identity(int opcode, void* ptr);
    VstIntPtr canDo(const char* what) const;
    bool parameterText(int opcode, int index, char* text);
    bool parameterFromText(int index, const char* text);

    // vst2_adapter_editor.cpp
    bool ensureView();
    VstIntPtr editorRect(void* ptr);
    VstIntPtr openEditor(void* parent);
    void closeEditor();

    AEffect effect_ {};
    audioMasterCallback audioMaster_ = nullptr;
    std::unique_ptr<Vst2ModuleLease> lease_;

    Vst2HostContext hostContext_;
    Vst2PlugFrame plugFrame_;
    IPtr<IComponent> component_;
    IPtr<IAudioProcessor> processor_;
    IPtr<IEditController> controller_;
    bool initialized_ = false;

    std::string effectName_;
    std::string vendor_;
    std::string version_;
    std::string subCategories_;

    Vst2ParameterMap parameterMap_;
    Vst2PendingValues pending_;
    Vst2ParameterChanges inputChanges_;
    Vst2ParameterChanges outputChanges_;
    Vst2EventList events_;
    Vst2MidiControllers midiControllers_;
    Vst2ParameterChanges midiChanges_;  ///< routed controllers of the next block [audio]
    ProcessContext context_ {};         ///< [audio]
    int64 samplesSinceResume_ = 0;      ///< [audio]

    double sampleRate_ = 44100.0;
    int32 blockSize_ = 1024;
    std::atomic<bool> active_ {false};  ///< written [main], read [audio]
    int32 currentProgram_ = 0;
    std::vector<char> chunk_;

    IPtr<IPlugView> view_;
    bool editorOpen_ = false;
    ERect editorRect_ {};
};

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
