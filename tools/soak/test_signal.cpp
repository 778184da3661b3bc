#include "test_signal.h"

#include <algorithm>
#include <cmath>

namespace corvale::soak {
namespace {

constexpr double kTwoPi = 6.283185307179586;

} // namespace

void TestSignal::startSegment(double sampleRate)
{
    std::uniform_int_distribution<int> kind(0, 5);
    std::uniform_int_distribution<long> length(64, 48000);
    std::uniform_real_distribution<double> octave(std::log2(20.0), std::log2(20000.0));
    std::uniform_real_distribution<float> level(0.05f, 1.0f);
    kind_ = static_cast<Kind>(kind(random_));
    framesLeft_ = length(random_);
    level_ = kind_ == Kind::Square || kind_ == Kind::Impulses ? 1.0f : level(random_);
    for (int c = 0; c < 2; ++c)
    {
        const double hz = std::min(std::exp2(octave(random_)), 0.45 * sampleRate);
        step_[c] = kTwoPi * (kind_ == Kind::Square ? hz / 100.0 : hz) / sampleRate;
    }
}

float TestSignal::next(int channel)
{
    switch (kind_)
    {
    case Kind::Sines:
        phase_[channel] = std::fmod(phase_[channel] + step_[channel], kTwoPi);
        return level_ * static_cast<float>(std::sin(phase_[channel]));
    case Kind::Noise:
        return level_ * std::uniform_real_distribution<float>(-1.0f, 1.0f)(random_);
    case Kind::Square:
        phase_[channel] = std::fmod(phase_[channel] + step_[channel], kTwoPi);
        return phase_[channel] < kTwoPi / 2 ? kPeak : -kPeak;
    case Kind::Impulses:
        return frame_ % 997 == 0 ? kPeak : 0.0f;
    case Kind::Dc:
        return channel == 0 ? level_ : -level_;
    case Kind::Silence:
        break;
    }
    return 0.0f;
}

void TestSignal::fill(float* left, float* right, int n, double sampleRate)
{
    for (int i = 0; i < n; ++i, ++frame_)
    {
        if (framesLeft_-- <= 0)
            startSegment(sampleRate);
        left[i] = next(0);
        right[i] = next(1);
    }
}

} // namespace corvale::soak
