// Interfaces the host wrapper hands to a plug-in: the block's MIDI events and a
// control's sample-accurate update queue. Host-independent: no SDK types here.
#pragma once

#include <cstdint>

/// The MIDI events of the current block, for plug-ins that process whole blocks.
class IMidiEventList
{
public:
    /// Number of events in the current block (0 when none is bound). [audio]
    virtual int32_t getEventCount() = 0;
    /// Delivers the pending events at sampleOffset to the plug-in; true when a
    /// note on, note off or pressure event was met. [audio]
    virtual bool fireMidiEvents(int32_t sampleOffset) = 0;
};

/// One control's automation within a block, read sample by sample with linear
/// ramps between the host's points.
class IParamUpdateQueue
{
public:
    /// Parameter ID (the control's position) of the bound host queue. [audio]
    virtual uint32_t parameterId() = 0;
    /// Value at sampleOffset; true (and value written) only when it is a new value. [audio]
    virtual bool valueAtOffset(int32_t sampleOffset, double previousValue, double& value) = 0;
    /// Value at the running offset, which then advances by one; same answer rule. [audio]
    virtual bool nextValue(double& value) = 0;
};
