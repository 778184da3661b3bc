// Function multi-versioning for the few hot loops of the filter engine: GCC
// builds an AVX2 clone beside the baseline (SSE2) one and picks at load time.
// CORVALE_HOT_FMA_CLONES adds FMA to the AVX2 clone (x86-64-v3), for code that
// is built to contract multiply-adds.
#pragma once

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
#define CORVALE_HOT_CLONES __attribute__((target_clones("avx2", "default")))
#define CORVALE_HOT_FMA_CLONES __attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")))
#else
#define CORVALE_HOT_CLONES
#define CORVALE_HOT_FMA_CLONES
#endif
