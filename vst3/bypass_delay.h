// BypassDelay: delays the input of each channel by the plug-in's latency, so
// that the dry signal handed out while bypassed lines up with the processed
// signal. It is fed every sample, bypassed or not, so switching stays aligned.
// A non-finite input sample goes in as 0, as it does into the plug-in.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

class BypassDelay
{
public:
    static constexpr int kMaxChannels = 2;

    /// Allocates `lengthSamples` of silence per channel. [main, not processing]
    /// All or nothing: when an allocation fails the old lines and length stay.
    void prepare(uint32_t lengthSamples)
    {
        std::array<std::vector<float>, kMaxChannels> lines;
        for (auto& line : lines)
            line.assign(lengthSamples, 0.0f);
        m_lines.swap(lines);
        m_nLength = lengthSamples;
        m_nPosition = 0;
    }

    /// Clears the stored history. [main, not processing]
    void clear() { prepare(m_nLength); }

    uint32_t lengthSamples() const { return m_nLength; }  ///< [any]

    /// Feeds one frame and returns the frame from lengthSamples ago. [audio]
    void processFrame(const float* input, float* delayed, uint32_t channels)
    {
        if (m_nLength == 0)
        {
            for (uint32_t c = 0; c < channels; ++c)
                delayed[c] = finite(input[c]);
            return;
        }
        for (uint32_t c = 0; c < channels && c < kMaxChannels; ++c)
        {
            float& cell = m_lines[c][m_nPosition];
            const float out = cell;
            cell = finite(input[c]);
            delayed[c] = out;
        }
        if (++m_nPosition == m_nLength)
            m_nPosition = 0;
    }

    /// Feeds frames first..first+count-1 of inputs[c] and writes the frames lengthSamples
    /// before each to delayed[c][0..count-1]. Reads each input frame before it writes
    /// anything, so delayed may be the host's output even when that is the input. [audio]
    void process(const float* const* inputs, int32_t first, uint32_t count, float* const* delayed,
                 uint32_t channels)
    {
        channels = channels < kMaxChannels ? channels : kMaxChannels;
        for (uint32_t i = 0; i < count; ++i)
        {
            float in[kMaxChannels] = {};
            float out[kMaxChannels] = {};
            for (uint32_t c = 0; c < channels; ++c)
                in[c] = inputs[c][first + static_cast<int32_t>(i)];
            processFrame(in, out, channels);
            for (uint32_t c = 0; c < channels; ++c)
                delayed[c][i] = out[c];
        }
    }

    /// Feeds a block without reading the delayed signal: only the last
    /// lengthSamples of the input matter, so at most that much is copied. [audio]
    void feed(float* const* inputs, uint32_t channels, uint32_t numSamples)
    {
        if (m_nLength == 0 || numSamples == 0)
            return;
        channels = channels < kMaxChannels ? channels : kMaxChannels;
        if (numSamples >= m_nLength)
        {
            for (uint32_t c = 0; c < channels; ++c)
                std::transform(inputs[c] + (numSamples - m_nLength), inputs[c] + numSamples,
                               m_lines[c].begin(), finite);
            m_nPosition = 0;
            return;
        }
        for (uint32_t c = 0; c < channels; ++c)
        {
            uint32_t pos = m_nPosition;
            for (uint32_t i = 0; i < numSamples; ++i)
            {
                m_lines[c][pos] = finite(inputs[c][i]);
                if (++pos == m_nLength)
                    pos = 0;
            }
        }
        m_nPosition = (m_nPosition + numSamples) % m_nLength;
    }

private:
    static float finite(float x) { return std::isfinite(x) ? x : 0.0f; }

    std::array<std::vector<float>, kMaxChannels> m_lines;
    uint32_t m_nLength = 0;
    uint32_t m_nPosition = 0;
};
