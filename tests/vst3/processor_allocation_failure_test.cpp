// The component around the real equaliser when memory runs out: each
// allocation of construction, initialize, setupProcessing and setActive is
// made to fail in turn. Nothing may unwind into the host, every failure must
// be answered as one, nothing may leak, and the plug-in must go on filtering
// exactly as before the failed call.
#include "failing_allocator.h"

#include "host/host_application.h"
#include "vst3/processor.h"

#include "pluginterfaces/vst/vstspeaker.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;
using Steinberg::Vst::Rive2ZOD3::Processor;

namespace {

constexpr int32 kBlock = 256;
constexpr int kBlocksBefore = 12; ///< enough to fill the filter with signal
constexpr int kBlocksAfter = 12;

/// Drives one Processor as a host does, with a fixed input signal.
class Driver
{
public:
    Driver() : context_(owned(new corvale::host::HostApplication))
    {
        for (int c = 0; c < 2; ++c)
        {
            input_[c].resize(kBlock);
            output_[c].resize(kBlock);
        }
    }

    ~Driver()
    {
        if (processor_ == nullptr)
            return;
        processor_->setActive(false);
        processor_->terminate();
        processor_->release();
    }

    /// Creation; false when the component could not be made.
    bool create()
    {
        FUnknown* unknown = Processor::createInstance(nullptr);
        processor_ = static_cast<Processor*>(static_cast<IAudioProcessor*>(unknown));
        return processor_ != nullptr;
    }

    tresult initialize() { return processor_->initialize(context_); }

    tresult setup(double rate)
    {
        SpeakerArrangement stereo = SpeakerArr::kStereo;
        processor_->setBusArrangements(&stereo, 1, &stereo, 1);
        ProcessSetup setup {kRealtime, kSample32, kBlock, rate};
        return processor_->setupProcessing(setup);
    }

    tresult activate(bool on) { return processor_->setActive(on); }

    /// Processes `count` blocks of a two-tone signal that continues from block
    /// to block, appending the left and right output to `out`.
    void run(int count, std::vector<float>& out)
    {
        for (int b = 0; b < count; ++b)
        {
            for (int i = 0; i < kBlock; ++i, ++frame_)
            {
                input_[0][static_cast<size_t>(i)] = static_cast<float>(0.3
                                                                       * std::sin(0.013 * frame_));
                input_[1][static_cast<size_t>(i)] = static_cast<float>(0.2
                                                                       * std::sin(0.17 * frame_));
            }
            float* in[2] = {input_[0].data(), input_[1].data()};
            float* outs[2] = {output_[0].data(), output_[1].data()};
            AudioBusBuffers inBus {};
            inBus.numChannels = 2;
            inBus.channelBuffers32 = in;
            AudioBusBuffers outBus {};
            outBus.numChannels = 2;
            outBus.channelBuffers32 = outs;
            ProcessData data {};
            data.processMode = kRealtime;
            data.symbolicSampleSize = kSample32;
            data.numSamples = kBlock;
            data.numInputs = 1;
            data.numOutputs = 1;
            data.inputs = &inBus;
            data.outputs = &outBus;
            ASSERT_EQ(processor_->process(data), kResultOk);
            for (int c = 0; c < 2; ++c)
                out.insert(out.end(), output_[c].begin(), output_[c].end());
        }
    }

    Processor& processor() { return *processor_; }

private:
    IPtr<corvale::host::HostApplication> context_;
    Processor* processor_ = nullptr;
    std::vector<float> input_[2];
    std::vector<float> output_[2];
    long frame_ = 0;
};

/// A processor at 44.1 kHz that has filtered kBlocksBefore blocks and is inactive.
void prepareStopped(Driver& d, std::vector<float>& out)
{
    ASSERT_TRUE(d.create());
    ASSERT_EQ(d.initialize(), kResultOk);
    ASSERT_EQ(d.setup(44100.0), kResultOk);
    ASSERT_EQ(d.activate(true), kResultOk);
    d.run(kBlocksBefore, out);
    ASSERT_EQ(d.activate(false), kResultOk);
}

/// What a processor that never met a failure plays: kBlocksBefore blocks, a
/// pause (inactive, active again at the same rate), kBlocksAfter blocks.
const std::vector<float>& undisturbedOutput()
{
    static const std::vector<float> out = [] {
        std::vector<float> o;
        Driver d;
        prepareStopped(d, o);
        EXPECT_EQ(d.activate(true), kResultOk);
        d.run(kBlocksAfter, o);
        return o;
    }();
    return out;
}

bool isAudible(const std::vector<float>& out)
{
    double energy = 0.0;
    for (float s : out)
        energy += static_cast<double>(s) * s;
    return energy > 1.0;
}

/// Runs `prepare` with every allocation succeeding, then `call` with the n-th
/// allocation (and every later one) failing, then `check`, told whether a
/// failure was injected. A first run without failures meets the one-time
/// allocations of the libraries, a second counts the call's allocations; then n takes the first and
/// the last kEnds of them and evenly spread ones between (the sites in between are the engines'
/// many similar arrays). A throw out of `call` fails the test.
template <typename Prepare, typename Call, typename Check>
void forEachFailingAllocation(Prepare&& prepare, Call&& call, Check&& check)
{
    constexpr long kEnds = 24;
    constexpr long kBetween = 24;
    std::vector<long> failing = {0, 0}; // 0: nothing fails; the second run counts
    long total = 0;
    for (size_t k = 0; k < failing.size(); ++k)
    {
        const long n = failing[k];
        SCOPED_TRACE(n == 0 ? std::string("no allocation fails")
                            : "allocation " + std::to_string(n) + " of " + std::to_string(total)
                                  + " fails");
        prepare();
        if (::testing::Test::HasFatalFailure())
            return;
        bool threw = false;
        const long before = failing_allocator::allocations();
        failing_allocator::failAt(n, true);
        try
        {
            call();
        }
        catch (...)
        {
            threw = true;
        }
        const long made = failing_allocator::allocations() - before;
        const bool injected = failing_allocator::failures() > 0;
        failing_allocator::disarm();
        ASSERT_FALSE(threw) << "an exception escaped to the host";
        ASSERT_EQ(injected, n != 0);
        check(injected);
        if (::testing::Test::HasFatalFailure())
            return;
        if (n == 0 && k == 1)
        {
            total = made;
            const long step = std::max(1L, (total - 2 * kEnds) / kBetween);
            for (long m = 1; m <= total; m += (m < kEnds || m > total - kEnds) ? 1 : step)
                failing.push_back(m);
        }
    }
}

} // namespace

TEST(ProcessorAllocationFailure, ConstructionNeitherThrowsNorLeaks)
{
    {
        Driver warmUp; // the SDK's and the library's one-time allocations
        ASSERT_TRUE(warmUp.create());
    }
    long baseline = 0;
    Processor* created = nullptr;
    forEachFailingAllocation([&] { baseline = failing_allocator::live(); },
                             [&] {
                                 FUnknown* unknown = Processor::createInstance(nullptr);
                                 created = static_cast<Processor*>(
                                     static_cast<IAudioProcessor*>(unknown));
                             },
                             [&](bool injected) {
                                 if (!injected)
                                 {
                                     ASSERT_NE(created, nullptr);
                                 }
                                 if (created != nullptr)
                                 {
                                     // Without a plug-in the component tries again when the host
                                     // initialises it.
                                     if (created->plugInObject() == nullptr)
                                     {
                                         IPtr<corvale::host::HostApplication> context = owned(
                                             new corvale::host::HostApplication);
                                         EXPECT_EQ(created->initialize(context), kResultOk);
                                         EXPECT_NE(created->plugInObject(), nullptr);
                                         created->terminate();
                                     }
                                     created->release();
                                 }
                                 EXPECT_EQ(failing_allocator::live(), baseline) << "leaked blocks";
                             });
}

TEST(ProcessorAllocationFailure, InitializeAnswersAFailureAndCanBeRepeated)
{
    Driver reference;
    ASSERT_TRUE(reference.create());
    ASSERT_EQ(reference.initialize(), kResultOk);
    const int32 parameterCount = reference.processor().getParameterCount();
    const int32 unitCount = reference.processor().getUnitCount();

    IPtr<corvale::host::HostApplication> context = owned(new corvale::host::HostApplication);
    long baseline = 0;
    Processor* subject = nullptr;
    tresult result = kResultOk;
    forEachFailingAllocation(
        [&] {
            baseline = failing_allocator::live();
            subject = static_cast<Processor*>(
                static_cast<IAudioProcessor*>(Processor::createInstance(nullptr)));
            ASSERT_NE(subject, nullptr);
        },
        [&] { result = subject->initialize(context); },
        [&](bool injected) {
            if (!injected)
            {
                EXPECT_EQ(result, kResultOk);
            }
            if (result != kResultOk)
            {
                EXPECT_TRUE(injected);
                EXPECT_EQ(subject->initialize(context), kResultOk)
                    << "a second initialize after a failed one";
            }
            EXPECT_EQ(subject->getParameterCount(), parameterCount);
            EXPECT_EQ(subject->getUnitCount(), unitCount);
            subject->terminate();
            subject->release();
            EXPECT_EQ(failing_allocator::live(), baseline) << "leaked blocks";
        });
}

// The engines for 96 kHz cannot be built: the host hears of it, the previous
// setup stays, and the plug-in plays on exactly as one that was never asked.
TEST(ProcessorAllocationFailure, SetupProcessingAnswersAFailureAndKeepsTheEngines)
{
    const std::vector<float>& expected = undisturbedOutput();
    ASSERT_TRUE(isAudible(expected));
    std::unique_ptr<Driver> d;
    std::vector<float> out;
    tresult result = kResultOk;
    forEachFailingAllocation(
        [&] {
            d = std::make_unique<Driver>();
            out.clear();
            prepareStopped(*d, out);
        },
        [&] { result = d->setup(96000.0); },
        [&](bool injected) {
            if (!injected)
            {
                EXPECT_EQ(result, kResultOk);
                return;
            }
            EXPECT_NE(result, kResultOk);
            ASSERT_EQ(d->activate(true), kResultOk);
            d->run(kBlocksAfter, out);
            ASSERT_EQ(out.size(), expected.size());
            EXPECT_TRUE(out == expected) << "the output changed after the failed setup";
        });
}

// The first activation runs out of memory: the host hears of it, and a host
// that plays anyway hears the plug-in as one whose activation went well.
TEST(ProcessorAllocationFailure, SetActiveAnswersAFailureAndKeepsTheEngines)
{
    std::vector<float> expected;
    {
        Driver reference;
        ASSERT_TRUE(reference.create());
        ASSERT_EQ(reference.initialize(), kResultOk);
        ASSERT_EQ(reference.setup(44100.0), kResultOk);
        ASSERT_EQ(reference.activate(true), kResultOk);
        reference.run(kBlocksAfter, expected);
    }
    ASSERT_TRUE(isAudible(expected));
    std::unique_ptr<Driver> d;
    std::vector<float> out;
    tresult result = kResultOk;
    forEachFailingAllocation(
        [&] {
            d = std::make_unique<Driver>();
            out.clear();
            ASSERT_TRUE(d->create());
            ASSERT_EQ(d->initialize(), kResultOk);
            ASSERT_EQ(d->setup(44100.0), kResultOk);
        },
        [&] { result = d->activate(true); },
        [&](bool injected) {
            if (injected)
            {
                EXPECT_NE(result, kResultOk);
            }
            else
            {
                EXPECT_EQ(result, kResultOk);
            }
            d->run(kBlocksAfter, out);
            EXPECT_TRUE(out == expected) << "the output differs from an undisturbed activation";
        });
}

// A first activation that fails before any setup: the component still answers
// and processes.
TEST(ProcessorAllocationFailure, FirstSetupAtAnotherRateFailsWithoutThrowing)
{
    std::unique_ptr<Driver> d;
    tresult result = kResultOk;
    std::vector<float> out;
    forEachFailingAllocation(
        [&] {
            d = std::make_unique<Driver>();
            ASSERT_TRUE(d->create());
            ASSERT_EQ(d->initialize(), kResultOk);
        },
        [&] { result = d->setup(48000.0); },
        [&](bool injected) {
            if (!injected)
            {
                EXPECT_EQ(result, kResultOk);
            }
            else
            {
                EXPECT_NE(result, kResultOk);
            }
            EXPECT_EQ(d->activate(true), kResultOk);
            out.clear();
            d->run(4, out);
            for (float s : out)
                ASSERT_TRUE(std::isfinite(s));
            EXPECT_TRUE(isAudible(out));
        });
}
