// The component's own cost per block with a plug-in that does nothing but copy:
// parameter application, the mailbox, transport messages, the bypass delay
// line and the frame loop, without any filtering. Set beside the module figure
// of module_process_bench, it is the wrapper's share of a block.
#include "vst3/processor.h"

#include "pluginterfaces/vst/ivstprocesscontext.h"
#include "pluginterfaces/vst/vstspeaker.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

class CopyPlugIn : public CPlugIn
{
public:
    CopyPlugIn()
    {
        m_fLatencySamples = 127.0f;
        CControlDescriptor d;
        d.controlType = kControlTypeNormal;
        d.dataType = kDataFloat;
        d.maxValue = 1.0f;
        for (int i = 0; i < 16; ++i)
        {
            d.controlId = static_cast<uint32_t>(i);
            d.floatVariable = &values[i];
            m_controls.append(d);
        }
        buildControlTable();
    }
    bool processFrame(const float* in, float* out, uint32_t n, uint32_t) override
    {
        for (uint32_t c = 0; c < n; ++c)
            out[c] = in[c];
        return true;
    }
    float values[16] = {};
};

} // namespace

CPlugIn* createPlugIn()
{
    return new CopyPlugIn();
}

namespace {

void BM_WrapperOnlyProcess(benchmark::State& state)
{
    namespace Vst = Steinberg::Vst;
    constexpr int kBlock = 512;
    Vst::HostApplication host;  // not reference counted
    auto processor = Steinberg::owned(new Vst::Rive2ZOD3::Processor());
    processor->initialize(&host);
    Vst::SpeakerArrangement stereo = Vst::SpeakerArr::kStereo;
    processor->setBusArrangements(&stereo, 1, &stereo, 1);
    Vst::ProcessSetup setup {Vst::kRealtime, Vst::kSample32, kBlock, 44100.0};
    processor->setupProcessing(setup);
    processor->setActive(true);

    std::vector<float> in(2 * kBlock, 0.25f), out(2 * kBlock);
    float* inPtr[2] = {in.data(), in.data() + kBlock};
    float* outPtr[2] = {out.data(), out.data() + kBlock};
    Vst::AudioBusBuffers inBus {};
    inBus.numChannels = 2;
    inBus.channelBuffers32 = inPtr;
    Vst::AudioBusBuffers outBus {};
    outBus.numChannels = 2;
    outBus.channelBuffers32 = outPtr;
    Vst::ProcessContext context {};
    context.tempo = 120.0;
    Vst::ProcessData data {};
    data.symbolicSampleSize = Vst::kSample32;
    data.numSamples = kBlock;
    data.numInputs = 1;
    data.numOutputs = 1;
    data.inputs = &inBus;
    data.outputs = &outBus;
    data.processContext = &context;
    for (auto _ : state)
    {
        processor->process(data);
        benchmark::DoNotOptimize(out.data());
    }
    const double samples = static_cast<double>(state.iterations()) * kBlock;
    state.counters["ns_per_frame"] = benchmark::Counter(
        samples, benchmark::Counter::kIsRate | benchmark::Counter::kInvert,
        benchmark::Counter::OneK::kIs1000);
    processor->setActive(false);
    processor->terminate();
}

BENCHMARK(BM_WrapperOnlyProcess)->Unit(benchmark::kMicrosecond);

} // namespace
