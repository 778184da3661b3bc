// CVSTMidiEventList: the block's host event list as the plug-in sees it; a
// plug-in that processes whole blocks pulls its note events through it.
#pragma once

#include "framework/plugin.h"
#include "framework/plugin_interfaces.h"
#include "pluginterfaces/vst/ivstevents.h"

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

class CVSTMidiEventList final : public IMidiEventList
{
public:
    /// Delivers to plugIn (not owned, may be null). No list is bound yet. [main]
    explicit CVSTMidiEventList(CPlugIn* plugIn) : m_pPlugIn(plugIn) {}

    /// Binds the block's host list (may be null) and rewinds to its first event;
    /// the component calls it at the start of every process. [audio]
    void bind(IEventList* eventList)
    {
        m_pEventList = eventList;
        m_nReadPosition = 0;
    }

    /// The bound list's event count, 0 when none is bound. [audio]
    int32_t getEventCount() override;
    /// Delivers the note on, note off and poly pressure events due at or before
    /// sampleOffset; true when one of them was met. [audio]
    bool fireMidiEvents(int32_t sampleOffset) override;

private:
    CPlugIn* m_pPlugIn;
    IEventList* m_pEventList = nullptr;
    int32 m_nReadPosition = 0;
};

}  // namespace Rive2ZOD3
}  // namespace Vst
}  // namespace Steinberg
