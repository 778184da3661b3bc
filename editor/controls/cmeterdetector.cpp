#include "editor/controls/cmeterdetector.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI {

namespace {

// ln(0.367) and ln(0.01), as single-precision constants: the share of a step left
// after one time constant.
constexpr float kAnalogTimeConstant = -1.0023934841156006f;
constexpr float kDigitalTimeConstant = -4.605170249938965f;
constexpr float kSmallestNormal = 1.175494351e-38f;
constexpr float kLargestInput = 1e18f;

float coefficient(float k, float rate, float timeMs)
{
    const float stepsPerTime = rate * timeMs; // single precision, as the meters always had it
    const double steps = static_cast<double>(stepsPerTime) * 0.001;
    // No time (or a negative one) means no smoothing, not a coefficient above 1.
    if (!(steps > 0.0))
        return 0.f;
    return static_cast<float>(std::exp(static_cast<double>(k) / steps));
}

} // namespace

void CMeterDetector::prepare(float rate_, float attackMs, float releaseMs, bool analog,
                             int32_t mode_, bool logOutput_)
{
    rate = rate_;
    attackTimeMs = attackMs;
    releaseTimeMs = releaseMs;
    analogTimeConstant = analog;
    mode = mode_;
    logOutput = logOutput_;
    envelope = 0.f;
    const float k = analog ? kAnalogTimeConstant : kDigitalTimeConstant;
    attackCoefficient = coefficient(k, rate, attackTimeMs);
    releaseCoefficient = coefficient(k, rate, releaseTimeMs);
}

float CMeterDetector::detect(float input)
{
    float x = std::fabs(input);
    // One bad value must not stop the meter for good: NaN counts as silence, and a
    // bound far above full scale keeps the square and the envelope finite.
    if (std::isnan(x))
        x = 0.f;
    x = std::min(x, kLargestInput);
    if (mode == kMeanSquare || mode == kRootMeanSquare)
        x = x * x;
    float e = envelope;
    if (x > e)
        e = attackCoefficient * (e - x) + x;
    else
        e = releaseCoefficient * (e - x) + x;
    if ((e > 0.f && e < kSmallestNormal) || (e < 0.f && e > -kSmallestNormal))
        e = 0.f;
    e = std::max(std::min(e, 1.f), 0.f);
    envelope = e;

    float out = e;
    if (mode == kRootMeanSquare)
        out = std::sqrt(out);
    if (!logOutput)
        return out;
    if (!(out > 0.f))
        return 0.f;
    const double db = std::max(20.0 * std::log10(static_cast<double>(out)), -60.0);
    return static_cast<float>((db + 60.0) / 60.0);
}

} // namespace VSTGUI
