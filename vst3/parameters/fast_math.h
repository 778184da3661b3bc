// Single-precision log2 and exp2 approximations behind the volt/octave
// controls. Both the parameter class and the component's value conversions
// use them, so the two stay bit-identical.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

/// log2(v) from v's exponent bits plus a rational fit of its mantissa;
/// within 2e-4 of log2 for normal positive v. [any]
inline float fastLog2(float v)
{
    uint32_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    // The mantissa with the exponent of 0.5, so m lies in [0.5, 1).
    const uint32_t mantissaBits = (bits & 0x7FFFFFu) | 0x3F000000u;
    float m = 0.0f;
    std::memcpy(&m, &mantissaBits, sizeof m);
    const float y = static_cast<float>(bits) * 1.1920928955078125e-7f;
    return y - 124.22551727294922f - 1.4980303049087524f * m
           - 1.7258800268173218f / (0.35208871960639954f + m);
}

/// 2^x built directly as a float bit pattern, within 1e-4 relative error.
/// Inputs at or above 128 give +inf, NaN stays NaN. [any]
inline float fastPow2(float x)
{
    if (std::isnan(x))
        return x;
    if (x >= 128.0f)
        return HUGE_VALF;
    const float offset = x < 0.0f ? 1.0f : 0.0f;
    const float c = x < -126.0f ? -126.0f : x;
    const int32_t w = static_cast<int32_t>(c);
    const float z = c - static_cast<float>(w) + offset;
    const float scaled = 8388608.0f * (c + 121.27405548095703f
                                       + 27.728023529052734f / (4.842525482177734f - z)
                                       - 1.4901291131973267f * z);
    // Within the clamped domain the pattern is positive and below 2^32;
    // the guard keeps the conversion defined should rounding say otherwise.
    const uint32_t bits = scaled > 0.0f ? static_cast<uint32_t>(scaled) : 0u;
    float result = 0.0f;
    std::memcpy(&result, &bits, sizeof result);
    return result;
}

}  // namespace Rive2ZOD3
}  // namespace Vst
}  // namespace Steinberg
