// Helpers for the tests that load the built bundle through the host library.
#pragma once

#include "host/plugin_instance.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#ifndef CORVALE_BUNDLE_PATH
#error "CORVALE_BUNDLE_PATH must name the built bundle"
#endif

inline std::string bundlePath()
{
    return CORVALE_BUNDLE_PATH;
}

/// Little-endian stream builder, independent of the SDK's streamer.
struct StateBytes
{
    std::vector<char> data;
    template <typename T>
    StateBytes& put(T v)
    {
        char raw[sizeof(T)];
        std::memcpy(raw, &v, sizeof(T));
        data.insert(data.end(), raw, raw + sizeof(T));
        return *this;
    }
    /// Version, sixteen floats, bypass and (from version 1) the joystick.
    static StateBytes equaliser(const float (&controls)[16], int16_t bypass, int64_t version = 1,
                                float x = 0.0f, float y = 0.0f)
    {
        StateBytes b;
        b.put<int64_t>(version);
        for (float v : controls)
            b.put<float>(v);
        b.put<int16_t>(bypass);
        if (version != 0)
            b.put<float>(x).put<float>(y);
        return b;
    }
};

/// The float at control position p of a saved equaliser state.
inline float controlInState(const std::vector<char>& state, int p)
{
    float v = 0.0f;
    std::memcpy(&v, state.data() + 8 + 4 * p, sizeof v);
    return v;
}

inline int16_t bypassInState(const std::vector<char>& state)
{
    int16_t v = 0;
    std::memcpy(&v, state.data() + 8 + 4 * 16, sizeof v);
    return v;
}
