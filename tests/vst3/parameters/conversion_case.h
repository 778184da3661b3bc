// One row of a curve parameter's conversion table, and its check.
#pragma once

#include "public.sdk/source/vst/vstparameters.h"

#include <gtest/gtest.h>

namespace corvale_test {

struct Conversion
{
    bool toPlain;  // else toNormalized
    Steinberg::Vst::ParamValue input;
    Steinberg::Vst::ParamValue expected;
    Steinberg::Vst::ParamValue tolerance;
};

inline void expectConversion(const Steinberg::Vst::Parameter& p, const Conversion& c)
{
    const Steinberg::Vst::ParamValue actual = c.toPlain ? p.toPlain(c.input) : p.toNormalized(c.input);
    EXPECT_NEAR(actual, c.expected, c.tolerance)
        << (c.toPlain ? "toPlain(" : "toNormalized(") << c.input << ")";
}

} // namespace corvale_test
