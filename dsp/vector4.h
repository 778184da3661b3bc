// Four- and eight-double vectors for the engine's hand-vectorised kernels (vector
// extensions, shuffled with __builtin_shufflevector, which GCC and clang both know).
// GCC lowers a V4 to two SSE2 registers in baseline code and to one AVX register
// with AVX2; a V8 is one AVX-512 register in code built for x86-64-v4.
#pragma once

typedef double V4 __attribute__((vector_size(32)));
typedef double V8 __attribute__((vector_size(64)));

// Loads and stores through memcpy, so they are unaligned accesses whatever the
// pointer (a vector dereference would let the compiler assume full alignment).
// Macros rather than functions: a function taking or returning a vector by value
// would change the baseline code's calling convention.
#define CORVALE_LOADV(T, p)                                                                        \
    __extension__({                                                                                \
        T loaded_;                                                                                 \
        __builtin_memcpy(&loaded_, (p), sizeof loaded_);                                           \
        loaded_;                                                                                   \
    })
#define CORVALE_STOREV(T, p, v)                                                                    \
    do                                                                                             \
    {                                                                                              \
        const T stored_ = (v);                                                                     \
        __builtin_memcpy((p), &stored_, sizeof stored_);                                           \
    } while (0)
#define CORVALE_LOAD4(p) CORVALE_LOADV(V4, p)
#define CORVALE_STORE4(p, v) CORVALE_STOREV(V4, p, v)
#define CORVALE_INLINE __attribute__((always_inline)) inline
