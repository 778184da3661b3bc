#include "equaliser/corvale.h"

#include "dsp/graphic_eq_pair.h"
#include "dsp/simd.h"

#include <cmath>
#include <new>

CPlugIn* createPlugIn()
{
    return new CCorvale();
}

CCorvale::CCorvale()
{
    m_pEngines = makeEngines(m_nSampleRate);
    m_nDesignSampleRate = m_nSampleRate;
    initControls();
    m_pszPlugInName = "CorvaleVTwo";
    m_bHasEditor = true;
    m_bNoAudioInput = false;
    m_bForwardAllMidi = false;
}

CCorvale::~CCorvale() = default;

const CGraphicEqEngine& CCorvale::leftEngine() const
{
    return m_pEngines->left();
}

const CGraphicEqEngine& CCorvale::rightEngine() const
{
    return m_pEngines->right();
}

int CCorvale::designSizeFor(int sampleRate)
{
    // Keep the frequency resolution (about 21.5 Hz per bin at 44.1 kHz) as the rate grows.
    if (sampleRate <= 48000)
        return 2048;
    if (sampleRate <= 96000)
        return 4096;
    return 8192;
}

std::unique_ptr<CGraphicEqPair> CCorvale::makeEngines(int sampleRate)
{
    const int size = designSizeFor(sampleRate);
    return std::make_unique<CGraphicEqPair>(sampleRate, size, size, kBlockSize, 0);
}

float* CCorvale::controlVariable(int position)
{
    float* const variables[kBandCount + 1] = {
        &m_fVolX01dB, &m_fVolX02dB, &m_fVolX03dB, &m_fVolX04dB, &m_fVolX05dB, &m_fVolX06dB,
        &m_fVolX07dB, &m_fVolX08dB, &m_fVolX09dB, &m_fVolX10dB, &m_fVolX11dB, &m_fVolX12dB,
        &m_fVolX13dB, &m_fVolX14dB, &m_fVolX15dB, &m_fGain,
    };
    return variables[position];
}

void CCorvale::openBandWindows(CGraphicEqPair& engines) const
{
    for (int band = 0; band < kBandCount; ++band)
        engines.setBandDecay(band, m_fBandDecay[band], m_nSampleRate);
}

bool CCorvale::initializePlugIn()
{
    openBandWindows(*m_pEngines);
    updateBandGains();
    return true;
}

bool CCorvale::prepareForProcessing()
{
    // The bands are designed for one sample rate; at another rate every band
    // would sit at the wrong frequency, so build new engines for this one. The
    // host is not processing now. When they cannot be built the old engines
    // stay, untouched, and the answer is false.
    if (m_nSampleRate > 0 && m_nSampleRate != m_nDesignSampleRate)
    {
        try
        {
            std::unique_ptr<CGraphicEqPair> engines = makeEngines(m_nSampleRate);
            openBandWindows(*engines);
            m_pEngines = std::move(engines);
        }
        catch (const std::bad_alloc&)
        {
            return false;
        }
        m_nDesignSampleRate = m_nSampleRate;
    }
    updateBandGains();
    return CPlugIn::prepareForProcessing();
}

void CCorvale::updateBandGains()
{
    for (int band = 0; band < kBandCount; ++band)
        m_fBandLinearGain[band] = static_cast<float>(std::pow(10.0, static_cast<double>(*controlVariable(band)) / 20.0));
    sendGainsToEngines();
}

void CCorvale::sendGainsToEngines()
{
    m_bGainsPending = false;
    double gains[kBandCount];
    for (int band = 0; band < kBandCount; ++band)
        gains[band] = m_fBandLinearGain[band];
    m_pEngines->setBandGains(gains);
}

bool CCorvale::controlChanged(uint32_t controlId)
{
    if (controlId >= static_cast<uint32_t>(kBandCount))
        return true;
    const int band = static_cast<int>(controlId);
    m_fBandLinearGain[band] = static_cast<float>(std::pow(10.0, static_cast<double>(*controlVariable(band)) / 20.0));
    // The engines recombine their taps before the next frame, once for however many
    // bands changed since (a preset or a state moves all fifteen at once).
    m_bGainsPending = true;
    return true;
}

bool CCorvale::processFrame(const float* input, float* output, uint32_t numInputChannels,
                            uint32_t numOutputChannels)
{
    smoothControls();
    flushBandGains();

    const float gain = m_fGain;
    if (numInputChannels == 2 && numOutputChannels == 2)
    {
        double left = 0.0, right = 0.0;
        m_pEngines->processFrame(input[0], input[1], left, right);
        output[0] = scaled(left, gain);
        output[1] = scaled(right, gain);
    }
    else
    {
        auto in = [input](int c, int) { return static_cast<double>(input[c]); };
        auto out = [output, gain](int c, int, double y) { output[c] = scaled(y, gain); };
        m_pEngines->processLeft(1, in, out);
        if (numInputChannels == 1 && numOutputChannels == 2)
            output[1] = output[0]; // mono in, stereo out: the filtered signal on both sides
    }
    return true;
}

// The frames of a run through the engines, built for the baseline and for AVX2 and
// AVX-512 (the conversions and the gain vectorise); every version gives the same bits.
CORVALE_WIDE_CLONES
void CCorvale::runEngines(const float* const* inputs, float* const* outputs, int32_t first, int32_t count,
                          bool stereo)
{
    const float gain = m_fGain;
    auto in = [inputs, first](int c, int i) { return static_cast<double>(finiteOrZero(inputs[c][first + i])); };
    auto out = [outputs, first, gain](int c, int i, double y) { outputs[c][first + i] = scaled(y, gain); };
    if (stereo)
        m_pEngines->process(count, in, out);
    else
        m_pEngines->processLeft(count, in, out);
}

void CCorvale::processFrameRun(FrameRun& run)
{
    // Smoothing would change controls from frame to frame: then frame by frame.
    if (smoothingActive() || run.inputs == nullptr || run.channels == 0 || run.channels > 2)
    {
        CPlugIn::processFrameRun(run);
        return;
    }
    flushBandGains();
    runEngines(run.inputs, run.outputs, run.first, run.count, run.channels == 2);
    if (run.count > 0)
    {
        for (uint32_t c = 0; c < run.channels; ++c)
            run.outputFrame[c] = run.outputs[c][run.first + run.count - 1];
    }
    // Nothing here reads the transport information during the run, and the base keeps
    // only the latest: one message with the run's last position leaves the same state.
    run.hostInfo->samplePosition += static_cast<uint64_t>(run.count);
    run.hostInfo->seconds = static_cast<double>(run.hostInfo->samplePosition) * run.timeStep;
    CPlugIn::receiveHostMessage(kTransport, run.transport);
}
