// Four-double vectors for the engine's hand-vectorised kernels (GCC vector
// extensions). GCC lowers them to two SSE2 registers in baseline clones and to
// one AVX register in the AVX2 and AVX-512 clones.
#pragma once

typedef double V4 __attribute__((vector_size(32)));
typedef long long V4Mask __attribute__((vector_size(32)));

// Loads and stores through memcpy, so they are unaligned accesses whatever the
// pointer (a vector dereference would let the compiler assume 32-byte alignment).
// Macros rather than functions: a function taking or returning V4 by value would
// change the baseline clone's calling convention.
#define CORVALE_LOAD4(p)                                                                           \
    __extension__({                                                                                \
        V4 loaded_;                                                                                \
        __builtin_memcpy(&loaded_, (p), sizeof loaded_);                                           \
        loaded_;                                                                                   \
    })
#define CORVALE_STORE4(p, v)                                                                       \
    do                                                                                             \
    {                                                                                              \
        const V4 stored_ = (v);                                                                    \
        __builtin_memcpy((p), &stored_, sizeof stored_);                                           \
    } while (0)
#define CORVALE_INLINE __attribute__((always_inline)) inline
