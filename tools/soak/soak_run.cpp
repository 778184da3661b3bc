#include "soak_run.h"
#include "allocation_counter.h"

#include "pluginterfaces/vst/ivstevents.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <limits>
#include <thread>

namespace corvale::soak {

using namespace Steinberg;
using namespace Steinberg::Vst;
using Clock = std::chrono::steady_clock;

namespace {

constexpr double kRates[2] = {44100.0, 96000.0};
constexpr size_t kMaxMainFaults = 20;

// The equaliser's component state: version, sixteen controls, bypass, joystick.
constexpr size_t kStateSize = 8 + 16 * 4 + 2 + 2 * 4;
constexpr int kControls = 16;
constexpr int kGainControl = 15;

template <typename T>
void put(std::vector<char>& bytes, size_t at, T value)
{
    std::memcpy(bytes.data() + at, &value, sizeof value);
}

template <typename T>
T get(const std::vector<char>& bytes, size_t at)
{
    T value {};
    std::memcpy(&value, bytes.data() + at, sizeof value);
    return value;
}

void sleepFor(double seconds)
{
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

} // namespace

SoakRun::SoakRun(const SoakOptions& options)
    : options_(options),
      audioRandom_(options.seed * 2 + 1),
      mainRandom_(options.seed * 2 + 2),
      signal_(options.seed)
{
    for (int c = 0; c < 2; ++c)
    {
        input_[c].assign(kMaxBlock, 0.0f);
        output_[c].assign(kMaxBlock, 0.0f);
    }
}

bool SoakRun::fail(const std::string& message)
{
    error_ = message;
    return false;
}

bool SoakRun::load()
{
    const uint64_t before = AllocationCounter::count();
    bool loaded = false;
    {
        CountAllocations counting;
        loaded = plugin_.load(options_.pluginPath);
    }
    if (!loaded)
        return fail(plugin_.error());
    // The hook must see the module's own allocations, or a clean count means nothing.
    if (AllocationCounter::count() == before)
        return fail("the allocation hook does not see the plug-in's allocations");

    // Bypass is toggled on its own (any non-zero value switches it on, so random
    // values would keep the plug-in bypassed nearly all the time).
    for (const ParameterInfo& p : plugin_.parameters())
    {
        if ((p.flags & ParameterInfo::kIsReadOnly) != 0)
            continue;
        if ((p.flags & ParameterInfo::kIsBypass) != 0)
        {
            bypassId_ = p.id;
            hasBypass_ = true;
            continue;
        }
        automatable_.push_back(p);
    }
    if (automatable_.empty())
        return fail("the plug-in has no parameters to automate");
    findings_.automated.assign(automatable_.size(), 0);
    findings_.mallocCounted = AllocationCounter::countsMalloc();
    return true;
}

bool SoakRun::prepareAt(double sampleRate)
{
    if (!plugin_.prepare(host::ProcessConfig {sampleRate, kMaxBlock, 2, false}))
        return fail(plugin_.error());
    sampleRate_ = sampleRate;
    return true;
}

// The loudest the plug-in can be: every parameter at the top of its range (all
// bands +12 dB, output gain 2). Its impulse response's absolute sum is the
// most a full-scale input can produce; the bound allows four times that for
// the moments when the filter moves between settings.
bool SoakRun::measureBound()
{
    double worstSum = 0.0;
    for (double rate : kRates)
    {
        if (!prepareAt(rate))
            return false;
        for (const ParameterInfo& p : automatable_)
            if ((p.flags & ParameterInfo::kIsProgramChange) == 0)
                plugin_.setParameter(p.id, 1.0);
        const int total = 4 * kMaxBlock;
        double sum[2] = {0.0, 0.0};
        for (int start = 0; start < total; start += kMaxBlock)
        {
            for (int c = 0; c < 2; ++c)
                std::fill(input_[c].begin(), input_[c].end(), 0.0f);
            if (start == 0)
                input_[0][0] = input_[1][0] = TestSignal::kPeak;
            const float* in[2] = {input_[0].data(), input_[1].data()};
            float* out[2] = {output_[0].data(), output_[1].data()};
            if (!plugin_.process(in, out, kMaxBlock))
                return fail("process failed while measuring the output bound");
            for (int c = 0; c < 2; ++c)
                for (int i = 0; i < kMaxBlock; ++i)
                    sum[c] += std::fabs(static_cast<double>(output_[c][static_cast<size_t>(i)]));
        }
        worstSum = std::max({worstSum, sum[0], sum[1]});
    }
    if (!std::isfinite(worstSum) || worstSum <= 0.0)
        return fail("the plug-in's impulse response is silent or not finite");
    findings_.bound = 4.0 * worstSum * TestSignal::kPeak;
    return true;
}

bool SoakRun::run()
{
    if (!load() || !measureBound() || !prepareAt(kRates[0]))
        return false;

    std::thread audio([this] { audioLoop(); });
    const Clock::time_point start = Clock::now();
    auto elapsed = [&] { return std::chrono::duration<double>(Clock::now() - start).count(); };
    double nextRateChange = options_.rateChangeSeconds;
    std::uniform_real_distribution<double> pause(0.0, 0.002);
    while (elapsed() < options_.seconds)
    {
        if (elapsed() >= nextRateChange)
        {
            changeRate();
            nextRateChange += options_.rateChangeSeconds;
            continue;
        }
        mainAction();
        sleepFor(pause(mainRandom_));
    }
    state_.store(kStopping, std::memory_order_release);
    audio.join();
    findings_.seconds = elapsed();

    plugin_.unprepare();
    saveAndCheckState();
    plugin_.destroy();
    return true;
}

// ---------------------------------------------------------------------------
// Audio thread

void SoakRun::audioLoop()
{
    for (;;)
    {
        const int state = state_.load(std::memory_order_acquire);
        if (state == kStopping)
            return;
        if (state == kPauseRequested)
        {
            state_.store(kPaused, std::memory_order_release);
            while (state_.load(std::memory_order_acquire) == kPaused)
                sleepFor(0.0002);
            continue;
        }
        processBlock();
    }
}

int SoakRun::randomBlockSize()
{
    // All sizes, with the small ones that hosts use for sample-accurate splits
    // as likely as the large ones of offline rendering.
    switch (std::uniform_int_distribution<int>(0, 3)(audioRandom_))
    {
    case 0:
        return std::uniform_int_distribution<int>(1, 16)(audioRandom_);
    case 1:
        return std::uniform_int_distribution<int>(17, 256)(audioRandom_);
    case 2:
        return std::uniform_int_distribution<int>(257, 1024)(audioRandom_);
    default:
        return std::uniform_int_distribution<int>(1025, kMaxBlock)(audioRandom_);
    }
}

void SoakRun::automate(int frames)
{
    host::ParameterChanges& changes = plugin_.inputParameterChanges();
    std::uniform_int_distribution<size_t> which(0, automatable_.size() - 1);
    std::uniform_int_distribution<int> offset(0, frames - 1);
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const int parameters = std::min(std::geometric_distribution<int>(0.4)(audioRandom_), 8);
    for (int k = 0; k < parameters; ++k)
    {
        const size_t index = which(audioRandom_);
        const int points = std::uniform_int_distribution<int>(1, 4)(audioRandom_);
        int at[4];
        for (int p = 0; p < points; ++p)  // drawn into frame order
        {
            const int frame = offset(audioRandom_);
            int q = p;
            for (; q > 0 && at[q - 1] > frame; --q)
                at[q] = at[q - 1];
            at[q] = frame;
        }
        for (int p = 0; p < points; ++p)
        {
            // Mostly in range, some at the ends, a few that a careless host sends.
            const int kind = percent(audioRandom_);
            double value = unit(audioRandom_);
            if (kind < 5)
                value = kind < 2 ? 0.0 : 1.0;
            else if (kind < 8)
                value = 3.0 * value - 1.0;
            changes.addChange(automatable_[index].id, at[p], value);
        }
        findings_.automated[index] = 1;
        findings_.automationPoints += static_cast<uint64_t>(points);
    }
    // Bypassed for stretches of about ten blocks, about one block in ten.
    if (hasBypass_ && percent(audioRandom_) < (bypassOn_ ? 10 : 1))
    {
        bypassOn_ = !bypassOn_;
        changes.addChange(bypassId_, offset(audioRandom_), bypassOn_ ? 1.0 : 0.0);
        ++findings_.bypassToggles;
    }
}

void SoakRun::addNotes(int frames)
{
    std::uniform_int_distribution<int> offset(0, frames - 1);
    std::uniform_int_distribution<int> pitch(24, 96);
    const int on = offset(audioRandom_);
    const int off = std::uniform_int_distribution<int>(on, frames - 1)(audioRandom_);
    Event e {};
    e.type = Event::kNoteOnEvent;
    e.sampleOffset = on;
    e.noteOn.pitch = static_cast<int16>(pitch(audioRandom_));
    e.noteOn.velocity = 0.8f;
    e.noteOn.noteId = -1;
    plugin_.inputEvents().addEvent(e);
    const int16 p = e.noteOn.pitch;
    e = Event {};
    e.type = Event::kNoteOffEvent;
    e.sampleOffset = off;
    e.noteOff.pitch = p;
    e.noteOff.noteId = -1;
    plugin_.inputEvents().addEvent(e);
    findings_.noteEvents += 2;
}

void SoakRun::note(AudioFault& fault, int frame, int channel, double value, int frames)
{
    if (fault.count++ != 0)
        return;
    fault.block = findings_.blocks;
    fault.frame = frame;
    fault.channel = channel;
    fault.value = value;
    fault.blockSize = frames;
    fault.sampleRate = sampleRate_;
}

void SoakRun::checkOutput(int frames)
{
    bool nonFinite = false;
    bool overBound = false;
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < frames; ++i)
        {
            const double y = output_[c][static_cast<size_t>(i)];
            if (!std::isfinite(y))
            {
                if (!nonFinite)
                    note(findings_.nonFinite, i, c, y, frames);
                nonFinite = true;
                continue;
            }
            const double magnitude = std::fabs(y);
            findings_.largestOutput = std::max(findings_.largestOutput, magnitude);
            if (magnitude > findings_.bound && !overBound)
            {
                note(findings_.overBound, i, c, y, frames);
                overBound = true;
            }
        }
}

void SoakRun::processBlock()
{
    const int frames = randomBlockSize();
    signal_.fill(input_[0].data(), input_[1].data(), frames, sampleRate_);
    automate(frames);
    if (std::uniform_int_distribution<int>(0, 99)(audioRandom_) < 5)
        addNotes(frames);

    const float* in[2] = {input_[0].data(), input_[1].data()};
    float* out[2] = {output_[0].data(), output_[1].data()};
    const uint64_t allocationsBefore = AllocationCounter::count();
    const Clock::time_point start = Clock::now();
    bool processed = false;
    {
        CountAllocations counting;
        processed = plugin_.process(in, out, frames);
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const uint64_t allocations = AllocationCounter::count() - allocationsBefore;

    if (!processed)
        note(findings_.processFailed, 0, 0, 0.0, frames);
    if (allocations > 0)
    {
        note(findings_.allocations, 0, 0, static_cast<double>(allocations), frames);
        findings_.allocationsInProcess += allocations;
    }
    checkOutput(frames);

    const double fraction = seconds * sampleRate_ / frames;
    findings_.all.record(fraction);
    if (frames < 64)
        findings_.small.record(fraction);
    else if (frames < 512)
        findings_.medium.record(fraction);
    else
        findings_.large.record(fraction);
    ++findings_.blocks;
    findings_.frames += static_cast<uint64_t>(frames);
    if (sampleRate_ == kRates[0])
        ++findings_.blocksAt44k;
    else
        ++findings_.blocksAt96k;
}

// ---------------------------------------------------------------------------
// Main thread

void SoakRun::pauseAudio()
{
    state_.store(kPauseRequested, std::memory_order_release);
    while (state_.load(std::memory_order_acquire) != kPaused)
        sleepFor(0.0001);
}

void SoakRun::resumeAudio()
{
    state_.store(kRunning, std::memory_order_release);
}

void SoakRun::changeRate()
{
    pauseAudio();
    plugin_.unprepare();
    const double next = sampleRate_ == kRates[0] ? kRates[1] : kRates[0];
    if (!prepareAt(next) && findings_.mainFaults.size() < kMaxMainFaults)
        findings_.mainFaults.push_back("reactivation at " + std::to_string(next)
                                       + " Hz failed: " + error_);
    ++findings_.rateChanges;
    resumeAudio();
}

std::vector<char> SoakRun::randomState()
{
    std::uniform_real_distribution<float> band(-12.0f, 12.0f);
    std::uniform_real_distribution<float> gain(0.0f, 2.0f);
    std::uniform_real_distribution<float> stick(-1.0f, 1.0f);
    std::vector<char> bytes(kStateSize, 0);
    put<int64_t>(bytes, 0, 1);
    for (int i = 0; i < kControls; ++i)
        put<float>(bytes, 8 + 4 * static_cast<size_t>(i),
                   i == kGainControl ? gain(mainRandom_) : band(mainRandom_));
    put<int16_t>(bytes, 8 + 4 * kControls,
                 std::uniform_int_distribution<int>(0, 9)(mainRandom_) == 0 ? 1 : 0);
    put<float>(bytes, 8 + 4 * kControls + 2, stick(mainRandom_));
    put<float>(bytes, 8 + 4 * kControls + 6, stick(mainRandom_));
    return bytes;
}

void SoakRun::loadRandomState()
{
    ++findings_.stateLoads;
    if (!plugin_.setState(randomState()) && findings_.mainFaults.size() < kMaxMainFaults)
        findings_.mainFaults.push_back("a valid state was refused: " + plugin_.error());
}

void SoakRun::loadCorruptState()
{
    std::vector<char> bytes = randomState();
    if (std::uniform_int_distribution<int>(0, 1)(mainRandom_) == 0)
    {
        bytes.resize(std::uniform_int_distribution<size_t>(0, kStateSize - 1)(mainRandom_));
    }
    else
    {
        const size_t field = std::uniform_int_distribution<size_t>(0, kControls + 1)(mainRandom_);
        const size_t at = field < kControls ? 8 + 4 * field
                                            : 8 + 4 * kControls + 2 + 4 * (field - kControls);
        put<float>(bytes, at,
                   field % 2 == 0 ? std::numeric_limits<float>::quiet_NaN()
                                  : std::numeric_limits<float>::infinity());
    }
    if (plugin_.setState(bytes))
    {
        if (findings_.mainFaults.size() < kMaxMainFaults)
            findings_.mainFaults.push_back("a corrupt state of " + std::to_string(bytes.size())
                                           + " bytes was accepted");
        return;
    }
    ++findings_.corruptStatesRefused;
}

void SoakRun::saveAndCheckState()
{
    ++findings_.stateSaves;
    std::vector<char> bytes;
    std::string problem;
    if (!plugin_.getState(bytes))
        problem = "the state could not be saved: " + plugin_.error();
    else if (bytes.size() != kStateSize)
        problem = "a saved state has " + std::to_string(bytes.size()) + " bytes";
    for (int i = 0; problem.empty() && i < kControls; ++i)
    {
        const float v = get<float>(bytes, 8 + 4 * static_cast<size_t>(i));
        const float low = i == kGainControl ? 0.0f : -12.0f;
        const float high = i == kGainControl ? 2.0f : 12.0f;
        if (!(v >= low && v <= high))
            problem = "control " + std::to_string(i) + " was saved as " + std::to_string(v);
    }
    if (problem.empty())
    {
        const int16_t bypass = get<int16_t>(bytes, 8 + 4 * kControls);
        const float x = get<float>(bytes, 8 + 4 * kControls + 2);
        const float y = get<float>(bytes, 8 + 4 * kControls + 6);
        if (bypass != 0 && bypass != 1)
            problem = "bypass was saved as " + std::to_string(bypass);
        else if (!(std::fabs(x) <= 1.0f) || !(std::fabs(y) <= 1.0f))
            problem = "the joystick was saved as " + std::to_string(x) + ", " + std::to_string(y);
    }
    if (!problem.empty() && findings_.mainFaults.size() < kMaxMainFaults)
        findings_.mainFaults.push_back(problem);
}

void SoakRun::mainAction()
{
    const int roll = std::uniform_int_distribution<int>(0, 99)(mainRandom_);
    if (roll < 35)
    {
        ++findings_.programChanges;
        if (!plugin_.selectProgram(std::uniform_int_distribution<int>(0, 15)(mainRandom_))
            && findings_.mainFaults.size() < kMaxMainFaults)
            findings_.mainFaults.push_back("a program change failed: " + plugin_.error());
    }
    else if (roll < 60)
    {
        loadRandomState();
    }
    else if (roll < 65)
    {
        loadCorruptState();
    }
    else if (roll < 80)
    {
        saveAndCheckState();
    }
    else
    {
        ++findings_.hostEdits;
        const auto& p = automatable_[std::uniform_int_distribution<size_t>(
            0, automatable_.size() - 1)(mainRandom_)];
        if (!plugin_.setParameter(p.id,
                                  std::uniform_real_distribution<double>(0.0, 1.0)(mainRandom_))
            && findings_.mainFaults.size() < kMaxMainFaults)
            findings_.mainFaults.push_back("a host edit failed: " + plugin_.error());
    }
}

} // namespace corvale::soak
