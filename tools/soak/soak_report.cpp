// The soak's report, printed when the run ends.
#include "soak_findings.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace corvale::soak {
namespace {

std::string line(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string line(const char* format, ...)
{
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return std::string(text) + "\n";
}

std::string timing(const char* what, const BlockTimeHistogram& h)
{
    if (h.count() == 0)
        return line("  %-22s no blocks", what);
    return line("  %-22s worst %.4f   99.9th percentile %.4f   (%llu blocks)", what, h.worst(),
                h.percentile(0.999), static_cast<unsigned long long>(h.count()));
}

std::string fault(const char* what, const AudioFault& f)
{
    if (f.count == 0)
        return {};
    return line(
        "  FAILED: %s in %llu blocks; first in block %llu (%d frames at %.0f Hz), frame %d, "
        "channel %d, value %g",
        what, static_cast<unsigned long long>(f.count), static_cast<unsigned long long>(f.block),
        f.blockSize, f.sampleRate, f.frame, f.channel, f.value);
}

} // namespace

std::string describe(const SoakFindings& f, uint64_t seed, const std::string& plugin)
{
    const auto automated = static_cast<size_t>(
        std::count(f.automated.begin(), f.automated.end(), 1));
    std::string out;
    out += line("corvale-soak: %s, seed %llu, %.1f s", plugin.c_str(),
                static_cast<unsigned long long>(seed), f.seconds);
    out += line(
        "  audio: %llu blocks (%llu at 44.1 kHz, %llu at 96 kHz), %llu frames",
        static_cast<unsigned long long>(f.blocks), static_cast<unsigned long long>(f.blocksAt44k),
        static_cast<unsigned long long>(f.blocksAt96k), static_cast<unsigned long long>(f.frames));
    out += line(
        "  automation: %zu of %zu parameters, %llu points; %llu bypass toggles; %llu note events",
        automated, f.automated.size(), static_cast<unsigned long long>(f.automationPoints),
        static_cast<unsigned long long>(f.bypassToggles),
        static_cast<unsigned long long>(f.noteEvents));
    out += line(
        "  main thread: %llu program changes, %llu state loads, %llu corrupt states refused, "
        "%llu states saved, %llu host edits, %llu rate changes",
        static_cast<unsigned long long>(f.programChanges),
        static_cast<unsigned long long>(f.stateLoads),
        static_cast<unsigned long long>(f.corruptStatesRefused),
        static_cast<unsigned long long>(f.stateSaves), static_cast<unsigned long long>(f.hostEdits),
        static_cast<unsigned long long>(f.rateChanges));
    out += line("  output: largest magnitude %.3f, bound %.3f", f.largestOutput, f.bound);
    out += line("  allocations inside process: %llu (%s)",
                static_cast<unsigned long long>(f.allocationsInProcess),
                f.mallocCounted ? "operator new and malloc"
                                : "operator new; this build's sanitizer owns malloc");
    out += line("block time as a fraction of the block's real-time budget:");
    out += timing("1 to 63 frames", f.small);
    out += timing("64 to 511 frames", f.medium);
    out += timing("512 to 4096 frames", f.large);
    out += timing("all blocks", f.all);
    out += fault("non-finite output", f.nonFinite);
    out += fault("output beyond the bound", f.overBound);
    out += fault("allocation inside process", f.allocations);
    out += fault("process answered a failure", f.processFailed);
    for (const std::string& m : f.mainFaults)
        out += "  FAILED: " + m + "\n";
    out += f.passed() ? "result: passed\n" : "result: FAILED\n";
    return out;
}

} // namespace corvale::soak
