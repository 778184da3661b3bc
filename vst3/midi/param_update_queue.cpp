#include "vst3/midi/param_update_queue.h"

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

void CVSTParamUpdateQueue::prepare(IParamValueQueue* hostQueue, int32 pointCount, int32 blockSize)
{
    m_nBlockSize = blockSize;
    m_pHostQueue = hostQueue;
    m_nPointCount = hostQueue ? pointCount : 0;
    m_nPointIndex = 0;
    m_nRunningOffset = 0;
    if (hostQueue)
        m_nParameterId = hostQueue->getParameterId();
}

uint32_t CVSTParamUpdateQueue::parameterId()
{
    return m_nParameterId;
}

bool CVSTParamUpdateQueue::valueAtOffset(int32_t sampleOffset, double /*previousValue*/,
                                         double& value)
{
    m_nRunningOffset = sampleOffset;
    return compute(sampleOffset, value) == kNewValue;
}

bool CVSTParamUpdateQueue::nextValue(double& value)
{
    const Answer answer = compute(m_nRunningOffset, value);
    ++m_nRunningOffset;
    return answer == kNewValue;
}

CVSTParamUpdateQueue::Answer CVSTParamUpdateQueue::compute(int32 offset, double& value)
{
    if (!m_pHostQueue)
        return kNoUpdate;
    const int32 granularity = m_pGranularity ? *m_pGranularity : 0;

    // The segment still comes from an earlier block until this block's first
    // point is read; and a read that jumped past the segment's end continues on
    // the segment holding the offset rather than extending a line past a point.
    if (m_nPointIndex == 0)
        advanceSegment();
    while (offset > m_nSegmentEnd && advanceSegment())
    {
    }
    // Before any host point was read the start-up line means nothing.
    if (!m_bHasSegment)
        return kNoUpdate;

    double v = 0.0;
    if (offset == m_nSegmentStart)
        v = m_fStartValue;
    else if (offset == m_nSegmentEnd)
        v = m_fEndValue;
    else
        v = offset * m_fSlope + m_fIntercept;
    if (offset == m_nSegmentEnd)
        advanceSegment();

    // Points (segment boundaries) always count; between them a value is due
    // only on a sloped line at multiples of the granularity.
    const bool atPoint = offset == m_nSegmentStart || offset == m_nSegmentEnd;
    if (!atPoint && (m_fSlope == 0.0 || granularity <= 0 || offset % granularity != 0))
        return kNoUpdate;
    if (v == m_fLastValue)
        return kSameValue;
    m_fLastValue = v;
    value = v;
    return kNewValue;
}

bool CVSTParamUpdateQueue::advanceSegment()
{
    int32 pointOffset = 0;
    ParamValue pointValue = 0.0;
    if (m_nPointIndex >= m_nPointCount
        || m_pHostQueue->getPoint(m_nPointIndex, pointOffset, pointValue) != kResultOk)
    {
        // Past the last point the value holds to the end of the block.
        if (m_nPointCount > 0 && m_nPointIndex >= m_nPointCount
            && m_nSegmentEnd < m_nBlockSize - 1)
        {
            m_nSegmentStart = m_nSegmentEnd;
            m_fStartValue = m_fEndValue;
            m_nSegmentEnd = m_nBlockSize - 1;
            m_bLastSegment = true;
            setLine();
            return true;
        }
        return false;
    }

    if (m_nPointIndex == 0 && pointOffset == 0)
    {
        m_nSegmentStart = 0;
        m_fStartValue = pointValue;
        m_nSegmentEnd = m_nBlockSize;
        m_fEndValue = pointValue;
        int32 endOffset = 0;
        ParamValue endValue = 0.0;
        if (m_nPointCount >= 2)
        {
            ++m_nPointIndex;
            if (m_pHostQueue->getPoint(m_nPointIndex, endOffset, endValue) == kResultOk)
            {
                m_nSegmentEnd = endOffset;
                m_fEndValue = endValue;
            }
        }
    }
    else
    {
        // Block-relative offsets: a segment left from an earlier block starts this one at 0.
        m_nSegmentStart = (m_bLastSegment || m_nPointIndex == 0) ? 0 : m_nSegmentEnd;
        m_bLastSegment = false;
        m_fStartValue = m_fEndValue;
        m_nSegmentEnd = pointOffset;
        m_fEndValue = pointValue;
    }
    if (m_nSegmentEnd == m_nBlockSize - 1)
        m_bLastSegment = true;
    ++m_nPointIndex;
    setLine();
    m_bHasSegment = true;
    return true;
}

void CVSTParamUpdateQueue::setLine()
{
    const int32 length = m_nSegmentEnd - m_nSegmentStart;
    if (length <= 0)
    {
        // Two points at one offset (or out of order): the later one wins at once.
        m_fStartValue = m_fEndValue;
        m_fSlope = 0.0;
        m_fIntercept = m_fEndValue;
        return;
    }
    m_fSlope = (m_fEndValue - m_fStartValue) / static_cast<float>(length);
    m_fIntercept = m_fStartValue - m_nSegmentStart * m_fSlope;
}

}  // namespace Rive2ZOD3
}  // namespace Vst
}  // namespace Steinberg
