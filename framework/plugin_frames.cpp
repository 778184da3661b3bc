// The frame loop behind processFrameRun(): what a wrapper's per-frame loop does,
// for a plug-in that processes one frame at a time.
#include "framework/plugin.h"

void CPlugIn::processFrameRun(FrameRun& run)
{
    const int32_t end = run.first + run.count;
    for (int32_t i = run.first; i < end; ++i)
    {
        if (run.inputs != nullptr)
        {
            for (uint32_t c = 0; c < run.channels; ++c)
                run.inputFrame[c] = finiteOrZero(run.inputs[c][i]);
        }
        processFrame(run.inputFrame, run.outputFrame, run.channels, run.channels);
        for (uint32_t c = 0; c < run.channels; ++c)
            run.outputs[c][i] = run.outputFrame[c];

        run.hostInfo->samplePosition += 1;
        run.hostInfo->seconds = static_cast<double>(run.hostInfo->samplePosition) * run.timeStep;
        receiveHostMessage(kTransport, run.transport);
    }
}
