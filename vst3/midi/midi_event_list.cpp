#include "vst3/midi/midi_event_list.h"

#include "vst3/midi/midi_event_delivery.h"

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

int32_t CVSTMidiEventList::getEventCount()
{
    return m_pEventList ? m_pEventList->getEventCount() : 0;
}

bool CVSTMidiEventList::fireMidiEvents(int32_t sampleOffset)
{
    if (!m_pEventList)
        return false;
    bool noteEventMet = false;
    Event event = {};
    // An event whose offset was skipped (the plug-in did not ask for every
    // offset, or the host's list is out of order) goes out at the next call
    // instead of blocking every event behind it for the rest of the block.
    while (m_pEventList->getEvent(m_nReadPosition, event) == kResultOk
           && event.sampleOffset <= sampleOffset)
    {
        if (deliverNoteEvent(m_pPlugIn, event))
            noteEventMet = true;
        ++m_nReadPosition;
    }
    return noteEventMet;
}

}  // namespace Rive2ZOD3
}  // namespace Vst
}  // namespace Steinberg
