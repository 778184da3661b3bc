// Writes the golden response table: every setting of golden::settings() measured
// through the built bundle, in the text form golden_response_test.cpp reads.
//
//   build/tests/vst3/golden/make_golden_response > tests/vst3/golden/golden_response_table.txt
//
// An optional argument names another bundle to measure (by default the build's own).
//
// Run it only when a change of the sound is intended, and say so in the commit.
#include "golden_response.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    const std::string bundle = argc > 1 ? argv[1] : CORVALE_BUNDLE_PATH;
    std::vector<golden::Point> all;
    for (const golden::Setting& s : golden::settings())
    {
        std::string error;
        if (!golden::measure(bundle, s, all, error))
        {
            std::fprintf(stderr, "make_golden_response: %.0f Hz, program %d: %s; no table written\n",
                         s.sampleRate, s.program, error.c_str());
            return 1;
        }
    }
    std::fputs(golden::format(all).c_str(), stdout);
    return 0;
}
