// CVSTParamUpdateQueue: one control's automation within a block, read sample by
// sample as straight lines between the host's points. A plug-in that asks for
// sample accuracy finds it in its control's paramUpdateQueue.
#pragma once

#include "framework/plugin_interfaces.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

class CVSTParamUpdateQueue final : public IParamUpdateQueue
{
public:
    /// granularity points at the component's update step in samples (shared by
    /// all queues, read at every computation; may be null = no regular steps).
    /// The range is kept for the plug-in's information only. [main]
    CVSTParamUpdateQueue(const int32* granularity, double minValue, double maxValue)
    : m_pGranularity(granularity), m_fMinValue(minValue), m_fMaxValue(maxValue)
    {
    }

    /// Binds the host's queue for this block and rewinds to its first point; the
    /// current segment and last value carry over from the previous block. [audio]
    void prepare(IParamValueQueue* hostQueue, int32 pointCount, int32 blockSize);
    /// Unbinds the host queue (which lives only for its block); until the next
    /// prepare every read answers false. Call at the end of process. [audio]
    void release()
    {
        m_pHostQueue = nullptr;
        m_nPointCount = 0;
    }
    /// True between prepare and release. [audio]
    bool isBound() const { return m_pHostQueue != nullptr; }

    /// The bound host queue's parameter ID (the control index). [audio]
    uint32_t parameterId() override;
    /// Value at sampleOffset (which becomes the running offset); true, with
    /// value written, only for a new value. previousValue is not used. [audio]
    bool valueAtOffset(int32_t sampleOffset, double previousValue, double& value) override;
    /// Value at the running offset, which then advances by one. [audio]
    bool nextValue(double& value) override;

    double minValue() const { return m_fMinValue; }  ///< [any]
    double maxValue() const { return m_fMaxValue; }  ///< [any]

private:
    enum Answer
    {
        kNoUpdate = 0,
        kNewValue = 1,
        kSameValue = 2,
    };

    Answer compute(int32 offset, double& value);
    // Builds the next segment from the host's points; false when nothing changed.
    bool advanceSegment();
    void setLine();

    int32 m_nBlockSize = 0;
    double m_fLastValue = 0.0;
    double m_fSlope = 1.0;
    double m_fIntercept = 0.0;  // with start value 0 and slope 1: the line through (0, 0)
    const int32* m_pGranularity;
    int32 m_nPointIndex = 0;
    int32 m_nPointCount = 0;
    IParamValueQueue* m_pHostQueue = nullptr;
    int32 m_nSegmentStart = 0;
    int32 m_nSegmentEnd = 0;
    double m_fStartValue = 0.0;
    double m_fEndValue = 0.0;
    bool m_bLastSegment = false;
    int32 m_nRunningOffset = 0;
    bool m_bHasSegment = false;  // a segment was built from a host point
    ParamID m_nParameterId = 0;
    double m_fMinValue;
    double m_fMaxValue;
};

}  // namespace Rive2ZOD3
}  // namespace Vst
}  // namespace Steinberg
