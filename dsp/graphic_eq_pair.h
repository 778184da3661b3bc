// CGraphicEqPair: the two channel engines of a stereo equaliser, which always carry
// the same setting and so filter with one CTapBank. Fed together (process), the
// channels share the tap combination, each partition's transform and one pass over
// the partition spectra per batch of blocks; each channel's output is, bit for bit,
// what an engine of its own with the same setting would give.
//
// The left channel may also run alone (processLeft, a mono bus); the right one then
// stands still. Fed again after that, it restarts from silence in step with the left
// channel: its old input would no longer line up with the shared partitions.
//
// Threads: construction and setBandDecay on the main thread; the rest on the audio
// thread, allocation-free (the same rules as CGraphicEqEngine).
#pragma once

#include "dsp/graphic_eq_engine.h"
#include "dsp/vector4.h"

#include <algorithm>
#include <memory>

class CGraphicEqPair
{
public:
    static constexpr int kBandCount = CGraphicEqEngine::kBandCount;

    /// Both channels with the bands of sampleRate; sizes as for CGraphicEqEngine. [main]
    CGraphicEqPair(int sampleRate, int designSize, int filterLength, int blockSize, int firstTap);

    /// The two channels, for inspection. [any]
    const CGraphicEqEngine& left() const noexcept { return *m_left; }
    const CGraphicEqEngine& right() const noexcept { return *m_right; }

    /// Band decay of both channels (see CGraphicEqEngine::setBandDecay). [main]
    void setBandDecay(int band, double decayRate, int sampleRate)
    {
        m_left->setBandDecay(band, decayRate, sampleRate);
    }
    /// The fifteen linear band gains of both channels; recombines the taps once. [audio]
    void setBandGains(const double* bandGains) noexcept { m_left->setBandGains(bandGains); }

    /// Feeds count frames of both channels: input(c, i) gives sample i of channel c (0 left,
    /// 1 right) and output(c, i, y) receives its filtered value, the one currentOutput()
    /// would give after it. Always inlined, so a caller built for wider vectors converts and
    /// scales the samples with them. [audio]
    template <typename Input, typename Output>
    CORVALE_INLINE void process(int count, Input&& input, Output&& output) noexcept
    {
        if (!m_right->inStepWith(*m_left))
            m_right->restartInStepWith(*m_left);
        CGraphicEqEngine* const channels[2] = {m_left.get(), m_right.get()};
        const int B = m_left->m_blockSize;
        for (int done = 0; done < count;)
        {
            const int pos = m_left->m_pos;
            const int n = std::min(B - pos, count - done);
            const bool ends = pos + n == B;
            for (int c = 0; c < 2; ++c)
            {
                double* in = channels[c]->m_inBlock.data() + pos;
                for (int i = 0; i < n; ++i)
                    in[i] = input(c, done + i);
                // The outputs already in outBlock: all but a block's last sample's.
                const double* out = channels[c]->m_outBlock.data() + pos + 1;
                for (int i = 0, ready = ends ? n - 1 : n; i < ready; ++i)
                    output(c, done + i, out[i]);
            }
            if (ends)
            {
                finishBlocks();
                for (int c = 0; c < 2; ++c)
                    output(c, done + n - 1, channels[c]->m_outBlock[0]);
            }
            else
            {
                m_left->m_pos = m_right->m_pos = pos + n;
            }
            done += n;
        }
    }

    /// One frame of both channels: what process(1, ...) does, for callers that go frame by
    /// frame. [audio]
    void processFrame(double left, double right, double& leftOut, double& rightOut) noexcept
    {
        if (!m_right->inStepWith(*m_left))
            m_right->restartInStepWith(*m_left);
        const int pos = m_left->m_pos;
        m_left->m_inBlock[static_cast<size_t>(pos)] = left;
        m_right->m_inBlock[static_cast<size_t>(pos)] = right;
        if (pos + 1 == m_left->m_blockSize)
            finishBlocks();
        else
            m_left->m_pos = m_right->m_pos = pos + 1;
        leftOut = m_left->currentOutput();
        rightOut = m_right->currentOutput();
    }

    /// Feeds count samples of the left channel alone, as process() does. [audio]
    template <typename Input, typename Output>
    CORVALE_INLINE void processLeft(int count, Input&& input, Output&& output) noexcept
    {
        CGraphicEqEngine& left = *m_left;
        for (int i = 0; i < count; ++i)
        {
            left.processSample(input(0, i));
            output(0, i, left.currentOutput());
        }
    }

private:
    /// Both channels' block end: one batch pass for the two, each channel's sum, output and
    /// input spectrum, then the partition of the block.
    void finishBlocks() noexcept;

    std::shared_ptr<CTapBank> m_bank;
    std::unique_ptr<CGraphicEqEngine> m_left;
    std::unique_ptr<CGraphicEqEngine> m_right;
};
