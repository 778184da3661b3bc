// TestSignal: the soak's input, a stereo signal that changes character every
// few thousand frames (sines anywhere in the audio band, noise, a full-scale
// square wave, impulses, DC, silence), never louder than full scale.
#pragma once

#include <cstdint>
#include <random>

namespace corvale::soak {

class TestSignal
{
public:
    explicit TestSignal(uint64_t seed) : random_(seed) {}

    /// Writes the next n frames; the sample rate sets the sines' frequencies. [audio]
    void fill(float* left, float* right, int n, double sampleRate);

    static constexpr float kPeak = 1.0f; ///< no sample exceeds this magnitude

private:
    enum class Kind
    {
        Sines,
        Noise,
        Square,
        Impulses,
        Dc,
        Silence
    };

    void startSegment(double sampleRate);
    float next(int channel);

    std::mt19937_64 random_;
    Kind kind_ = Kind::Silence;
    long framesLeft_ = 0;
    double phase_[2] = {0.0, 0.0};
    double step_[2] = {0.0, 0.0};
    float level_ = 0.0f;
    long frame_ = 0;
};

} // namespace corvale::soak
