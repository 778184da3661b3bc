// Function multi-versioning for the few hot loops of the filter engine: GCC
// builds an AVX2 clone beside the baseline (SSE2) one and picks at load time.
// CORVALE_HOT_FMA_CLONES adds FMA to the AVX2 clone (x86-64-v3), for code that
// is built to contract multiply-adds.
#pragma once

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
#define CORVALE_HOT_CLONES __attribute__((target_clones("avx2", "default")))
#define CORVALE_HOT_FMA_CLONES __attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")))
// For register-hungry kernels that do not contract: the AVX-512 clone offers 32 vector
// registers (its vectors stay 256 bits wide), and every clone rounds the same way.
#define CORVALE_WIDE_CLONES __attribute__((target_clones("arch=x86-64-v4", "avx2", "default")))
#else
#define CORVALE_WIDE_CLONES
#define CORVALE_HOT_CLONES
#define CORVALE_HOT_FMA_CLONES
#endif
