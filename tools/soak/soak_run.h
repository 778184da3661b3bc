// SoakRun: one plug-in instance loaded as a DAW loads it and driven from two
// threads for a while. The audio thread processes random blocks with random
// sample-accurate automation, checking every output sample and counting the
// allocations and the time of each process call; the main thread meanwhile
// changes programs, loads, saves and corrupts states, edits parameters, and
// now and then stops the audio thread, deactivates, switches the sample rate
// between 44.1 and 96 kHz and reactivates.
#pragma once

#include "soak_findings.h"
#include "soak_options.h"
#include "test_signal.h"

#include "host/plugin_instance.h"

#include <atomic>
#include <random>
#include <string>
#include <vector>

namespace corvale::soak {

class SoakRun
{
public:
    static constexpr int kMaxBlock = 4096;

    explicit SoakRun(const SoakOptions& options);

    /// Loads the plug-in and runs; false (error() set) when it cannot be loaded
    /// or prepared, true otherwise, whatever the checks found. [main]
    bool run();
    const SoakFindings& findings() const { return findings_; } ///< [main, after run]
    const std::string& error() const { return error_; }        ///< [main]

private:
    enum State : int
    {
        kRunning,
        kPauseRequested,
        kPaused,
        kStopping
    };

    bool fail(const std::string& message);
    bool load();
    bool measureBound();
    bool prepareAt(double sampleRate);

    // Audio thread.
    void audioLoop();
    void processBlock();
    int randomBlockSize();
    void automate(int frames);
    void addNotes(int frames);
    void checkOutput(int frames);
    void note(AudioFault& fault, int frame, int channel, double value, int frames);

    // Main thread.
    void mainAction();
    void changeRate();
    void pauseAudio();
    void resumeAudio();
    void loadRandomState();
    void loadCorruptState();
    void saveAndCheckState();
    std::vector<char> randomState();

    SoakOptions options_;
    SoakFindings findings_;
    std::string error_;
    host::PluginInstance plugin_;
    std::vector<Steinberg::Vst::ParameterInfo> automatable_;
    Steinberg::Vst::ParamID bypassId_ = 0;
    bool hasBypass_ = false;
    double sampleRate_ = 44100.0; ///< written only while the audio thread is paused

    std::atomic<int> state_ {kRunning};
    std::mt19937_64 audioRandom_;
    std::mt19937_64 mainRandom_;
    TestSignal signal_;
    std::vector<float> input_[2];
    std::vector<float> output_[2];
    bool bypassOn_ = false;
};

} // namespace corvale::soak
