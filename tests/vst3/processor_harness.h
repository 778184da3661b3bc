// ProcessorHarness: a Processor built around a SpyPlugIn and driven through its
// VST 3 interfaces the way a host drives it, with preallocated blocks.
#pragma once

#include "spy_plugin.h"
#include "vst3/processor.h"

#include "host/component_handler.h"
#include "host/event_list.h"
#include "host/parameter_changes.h"

#include "pluginterfaces/vst/ivstprocesscontext.h"
#include "pluginterfaces/vst/vstspeaker.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <vector>

namespace Vst = Steinberg::Vst;

class ProcessorHarness
{
public:
    static constexpr int kMaxBlock = 256;

    /// Creates and initialises; activates (44.1 kHz, stereo) unless told not to.
    explicit ProcessorHarness(bool activate = true, int channelCount = 2)
    : handler(Steinberg::owned(new corvale::host::ComponentHandler())),
      processor(Steinberg::owned(new Vst::Rive2ZOD3::Processor())),
      channels(channelCount)
    {
        processor->initialize(&host);
        processor->setComponentHandler(handler);
        for (auto& b : input)
            b.assign(kMaxBlock, 0.0f);
        for (auto& b : output)
            b.assign(kMaxBlock, 0.0f);
        if (activate)
            this->activate(44100.0);
    }

    ~ProcessorHarness()
    {
        processor->setActive(false);
        processor->terminate();
    }

    void activate(double rate)
    {
        Vst::SpeakerArrangement arr = channels == 1 ? Vst::SpeakerArr::kMono : Vst::SpeakerArr::kStereo;
        processor->setBusArrangements(&arr, 1, &arr, 1);
        Vst::ProcessSetup setup {Vst::kRealtime, Vst::kSample32, kMaxBlock, rate};
        processor->setupProcessing(setup);
        processor->setActive(true);
    }

    SpyPlugIn& spy() { return *static_cast<SpyPlugIn*>(processor->plugInObject()); }

    /// One block of n samples from input into output, with the pending changes
    /// and events; both are cleared afterwards.
    Steinberg::tresult process(int n, Vst::ProcessContext* context = nullptr)
    {
        float* in[2] = {input[0].data(), input[1].data()};
        float* out[2] = {output[0].data(), output[1].data()};
        Vst::AudioBusBuffers inBus {};
        inBus.numChannels = channels;
        inBus.channelBuffers32 = in;
        Vst::AudioBusBuffers outBus {};
        outBus.numChannels = channels;
        outBus.channelBuffers32 = out;
        Vst::ProcessData data {};
        data.processMode = Vst::kRealtime;
        data.symbolicSampleSize = Vst::kSample32;
        data.numSamples = n;
        data.numInputs = 1;
        data.numOutputs = 1;
        data.inputs = &inBus;
        data.outputs = &outBus;
        data.inputParameterChanges = &changes;
        data.outputParameterChanges = &outputChanges;
        data.inputEvents = &events;
        data.processContext = context;
        outputChanges.clear();
        const Steinberg::tresult r = processor->process(data);
        changes.clear();
        events.clear();
        return r;
    }

    Vst::HostApplication host;  ///< not reference counted: it lives here
    Steinberg::IPtr<corvale::host::ComponentHandler> handler;
    Steinberg::IPtr<Vst::Rive2ZOD3::Processor> processor;
    int channels;
    std::vector<float> input[2];
    std::vector<float> output[2];
    corvale::host::ParameterChanges changes {64, 16};
    corvale::host::ParameterChanges outputChanges {64, 16};
    corvale::host::EventList events {64};
};
