// CMeterDetector: the envelope follower a level meter puts between the value it
// is given and the level it shows. It steps once per call (for a meter, once per
// repaint), rising at the attack coefficient's pace and falling at the release
// coefficient's, on the level itself, its square or its root mean square, and
// optionally answers on a 60 dB scale.
#pragma once

#include <cstdint>

namespace VSTGUI {

class CMeterDetector
{
public:
    enum Mode : int32_t
    {
        kPeak = 0,
        kMeanSquare = 1,
        kRootMeanSquare = 2,
    };

    /// Sets the step rate (steps per second), the attack and release times (ms), the
    /// time constant (the analog one reaches 63.3 % of a step in the given time, the
    /// other 99 %), the mode and the output scale, and empties the envelope. A time
    /// that is not positive gives an immediate response. [UI thread]
    void prepare(float rate, float attackMs, float releaseMs, bool analogTimeConstant, int32_t mode,
                 bool logOutput);
    /// Empties the envelope. [UI thread]
    void reset() { envelope = 0.f; }
    /// One step with `input` (its magnitude counts; expected 0..1): the shown level,
    /// 0..1. [UI thread]
    float detect(float input);

    /// The settings and the state, for inspection. [UI thread]
    int32_t getMode() const { return mode; }
    float getAttackCoefficient() const { return attackCoefficient; }
    float getReleaseCoefficient() const { return releaseCoefficient; }
    float getAttackTimeMs() const { return attackTimeMs; }
    float getReleaseTimeMs() const { return releaseTimeMs; }
    float getRate() const { return rate; }
    float getEnvelope() const { return envelope; }
    bool hasAnalogTimeConstant() const { return analogTimeConstant; }
    bool hasLogOutput() const { return logOutput; }

private:
    int32_t mode = kPeak;
    float attackCoefficient = 0.f;
    float releaseCoefficient = 0.f;
    float attackTimeMs = 0.f;
    float releaseTimeMs = 0.f;
    float rate = 44100.f;
    float envelope = 0.f;
    bool analogTimeConstant = false;
    bool logOutput = false;
};

} // namespace VSTGUI
