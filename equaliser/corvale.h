// CCorvale: the fifteen-band graphic equaliser with output gain. Each channel
// runs through its own CGraphicEqEngine, the two engines of one CGraphicEqPair
// sharing their taps; band gains are set in dB and handed to the engines as
// linear factors; the output is scaled by m_fGain and 2.5.
#pragma once

#include "framework/plugin.h"

#include <memory>

class CGraphicEqEngine;
class CGraphicEqPair;

class CCorvale final : public CPlugIn
{
public:
    static constexpr int kBandCount = 15;
    static constexpr int kGainControl = 15;        ///< position of the "Gain" control
    static constexpr int kBlockSize = 64;          ///< convolution block size of the engines
    static constexpr float kLatencySamples = 2 * kBlockSize - 1;
    static constexpr double kMakeUpGain = 2.5;

    CCorvale();
    ~CCorvale() override;

    /// Redesigns the engines when the sample rate changed, refreshes the gains; false,
    /// with the old engines kept, when the new ones cannot be allocated. [main]
    bool prepareForProcessing() override;
    /// Filters one frame of one or two channels. [audio]
    bool processFrame(const float* input, float* output, uint32_t numInputChannels,
                      uint32_t numOutputChannels) override;
    /// The frames of a run in one pass: the same outputs and state as processFrame() and
    /// the transport message per frame. [audio]
    void processFrameRun(FrameRun& run) override;
    /// A band control (id 0..14) changed: its linear gain is recomputed and both
    /// engines recombine their taps before the next frame. [audio] or [main]
    bool controlChanged(uint32_t controlId) override;
    /// Opens every band window of both engines and hands them the gains. [main]
    bool initializePlugIn() override;
    /// Builds the sixteen controls, the presets, the control table and the joystick. [main]
    bool initControls() override;

    /// Design size (taps, transform length) the engines use at a sample rate. [any]
    static int designSizeFor(int sampleRate);

    /// Hands pending band gains to both engines now rather than before the next frame. [audio] or [main]
    void flushBandGains()
    {
        if (m_bGainsPending)
            sendGainsToEngines();
    }
    /// The left and right engines, for inspection. [main]
    const CGraphicEqEngine& leftEngine() const;
    const CGraphicEqEngine& rightEngine() const;
    /// Sample rate the engines' bands were designed for. [any]
    int designSampleRate() const { return m_nDesignSampleRate; }

    /// The engines of channel 0 and channel 1.
    std::unique_ptr<CGraphicEqPair> m_pEngines;
    float m_fBandLinearGain[kBandCount] = {};
    float m_fVolX01dB = 0.0f;
    float m_fVolX02dB = 0.0f;
    float m_fVolX03dB = 0.0f;
    float m_fVolX04dB = 0.0f;
    float m_fVolX05dB = 0.0f;
    float m_fVolX06dB = 0.0f;
    float m_fVolX07dB = 0.0f;
    float m_fVolX08dB = 0.0f;
    float m_fVolX09dB = 0.0f;
    float m_fVolX10dB = 0.0f;
    float m_fVolX11dB = 0.0f;
    float m_fVolX12dB = 0.0f;
    float m_fVolX13dB = 0.0f;
    float m_fVolX14dB = 0.0f;
    float m_fVolX15dB = 0.0f;
    float m_fGain = 1.0f;

private:
    /// The variable of the control at position 0..15.
    float* controlVariable(int position);
    /// 10^(dB/20) of every band, then all fifteen gains to both engines.
    void updateBandGains();
    void sendGainsToEngines();
    /// count frames from `first` on through the engines (both, or the left one alone).
    void runEngines(const float* const* inputs, float* const* outputs, int32_t first, int32_t count, bool stereo);
    /// An engine output as the plug-in plays it: rounded to float, times the gain (in
    /// float), times the make-up factor.
    static float scaled(double y, float gain)
    {
        return static_cast<float>(static_cast<double>(static_cast<float>(y) * gain) * kMakeUpGain);
    }
    void openBandWindows(CGraphicEqPair& engines) const;
    static std::unique_ptr<CGraphicEqPair> makeEngines(int sampleRate);

    int m_nDesignSampleRate = 0;
    bool m_bGainsPending = false;  ///< band gains changed since the engines last took them
    double m_fBandDecay[kBandCount] = {};  ///< window decay of each band, nepers per second
};
