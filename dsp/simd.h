// Function multi-versioning for the few hot loops of the filter engine: GCC
// builds an AVX2 clone beside the baseline (SSE2) one and picks at load time.
#pragma once

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
#define CORVALE_HOT_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define CORVALE_HOT_CLONES
#endif
