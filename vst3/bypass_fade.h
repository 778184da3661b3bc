// BypassFade: the crossfade between the plug-in's output (wet) and the dry input
// when bypass switches. The mix is equal-gain, out = dry * g + wet * (1 - g), with
// g moving linearly by 1 / length per frame toward 1 (bypassed) or 0 (processing);
// a switch during a ramp turns back from where the ramp is. Once g has arrived,
// one signal passes untouched: the dry one exactly, or the wet one exactly.
#pragma once

#include <cmath>
#include <cstdint>

class BypassFade
{
public:
    static constexpr double kRampSeconds = 0.010;

    /// Ramp length for the sample rate (about 10 ms, at least one frame), settled at
    /// `bypassed`. [main, not processing]
    void prepare(double sampleRate, bool bypassed)
    {
        const double frames = std::floor(kRampSeconds * sampleRate + 0.5);
        m_nLength = frames >= 1.0 && frames < 1e6 ? static_cast<int32_t>(frames) : 1;
        m_nTarget = bypassed ? m_nLength : 0;
        m_nPosition = m_nTarget;
    }

    /// Turns the ramp toward the dry signal (true) or the plug-in's output. [audio]
    void setBypassed(bool bypassed) { m_nTarget = bypassed ? m_nLength : 0; }
    /// Where the ramp is heading. [audio]
    bool bypassed() const { return m_nTarget != 0; }
    /// Only the plug-in's output plays, and will until bypass is switched on. [audio]
    bool wetOnly() const { return m_nPosition == 0 && m_nTarget == 0; }
    /// Frames of the ramp. [any]
    int32_t lengthFrames() const { return m_nLength; }

    /// Mixes frames 0..count-1 of dry[c] into wet[c] (from frame `first` of wet), one ramp
    /// step per frame. [audio]
    void mix(const float* const* dry, float* const* wet, uint32_t channels, int32_t first,
             int32_t count)
    {
        const float length = static_cast<float>(m_nLength);
        for (int32_t i = 0; i < count; ++i)
        {
            if (m_nPosition != m_nTarget)
                m_nPosition += m_nPosition < m_nTarget ? 1 : -1;
            if (m_nPosition == 0)
                continue; // the plug-in's output as it is
            const float g = static_cast<float>(m_nPosition) / length;
            for (uint32_t c = 0; c < channels; ++c)
            {
                float& out = wet[c][first + i];
                out = m_nPosition == m_nLength ? dry[c][i] : dry[c][i] * g + out * (1.0f - g);
            }
        }
    }

private:
    int32_t m_nLength = 1;
    int32_t m_nPosition = 0; ///< g = position / length
    int32_t m_nTarget = 0;
};
