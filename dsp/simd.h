// Instruction-set selection for the few hot kernels of the filter engine (GCC on
// x86-64; other compilers get the baseline everywhere).
//
// - CORVALE_HOT_CLONES / CORVALE_HOT_FMA_CLONES / CORVALE_WIDE_CLONES: function
//   multi-versioning, GCC builds clones and picks one at load time. The FMA form adds
//   FMA (x86-64-v3) for code built to contract multiply-adds; the wide form offers the
//   AVX-512 clone's 32 registers to kernels that do not contract.
// - simdLevel() with CORVALE_TARGET_V3 / CORVALE_TARGET_V4: for kernels whose vector
//   width differs by instruction set (eight doubles per vector with AVX-512), each
//   width is a function of its own and the caller picks by simdLevel().
#pragma once

// ThreadSanitizer builds take the baseline everywhere: the clones' resolvers run while the
// program is being loaded, before the sanitizer's runtime is ready for instrumented code.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && !defined(__SANITIZE_THREAD__)
#define CORVALE_HOT_CLONES __attribute__((target_clones("avx2", "default")))
#define CORVALE_HOT_FMA_CLONES __attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")))
#define CORVALE_WIDE_CLONES __attribute__((target_clones("arch=x86-64-v4", "avx2", "default")))
#define CORVALE_TARGET_V3 __attribute__((target("arch=x86-64-v3")))
#define CORVALE_TARGET_V4 __attribute__((target("arch=x86-64-v4")))
#define CORVALE_HAS_TARGETS 1
#else
#define CORVALE_WIDE_CLONES
#define CORVALE_HOT_CLONES
#define CORVALE_HOT_FMA_CLONES
#define CORVALE_TARGET_V3
#define CORVALE_TARGET_V4
#define CORVALE_HAS_TARGETS 0
#endif

/// The kernels a CPU can run: the baseline (SSE2), AVX2 with FMA (x86-64-v3), AVX-512
/// (x86-64-v4).
enum class SimdLevel
{
    kBaseline,
    kAvx2Fma,
    kAvx512,
};

/// This CPU's level, found on the first call, which may take a lock: every object that
/// runs a kernel asks once when it is built, so the audio thread never makes that call. [any]
inline SimdLevel simdLevel() noexcept
{
#if CORVALE_HAS_TARGETS
    static const SimdLevel level = [] {
        __builtin_cpu_init();
        if (__builtin_cpu_supports("x86-64-v4"))
            return SimdLevel::kAvx512;
        if (__builtin_cpu_supports("x86-64-v3"))
            return SimdLevel::kAvx2Fma;
        return SimdLevel::kBaseline;
    }();
    return level;
#else
    return SimdLevel::kBaseline;
#endif
}
