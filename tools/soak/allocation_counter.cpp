#include "allocation_counter.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define CORVALE_SOAK_COUNT_MALLOC 0
#else
#define CORVALE_SOAK_COUNT_MALLOC 1
#endif

namespace corvale::soak {
namespace {

thread_local bool tCounting = false;
std::atomic<uint64_t> gCount {0};

inline void note()
{
    if (tCounting)
        gCount.fetch_add(1, std::memory_order_relaxed);
}

} // namespace

void AllocationCounter::begin()
{
    tCounting = true;
}

void AllocationCounter::end()
{
    tCounting = false;
}

uint64_t AllocationCounter::count()
{
    return gCount.load(std::memory_order_relaxed);
}

bool AllocationCounter::countsMalloc()
{
    return CORVALE_SOAK_COUNT_MALLOC != 0;
}

} // namespace corvale::soak

using corvale::soak::note;

#if CORVALE_SOAK_COUNT_MALLOC
// glibc's own entry points, which the interposed functions forward to.
extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* p, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* p);

void* malloc(size_t size)
{
    note();
    return __libc_malloc(size);
}

void* calloc(size_t count, size_t size)
{
    note();
    return __libc_calloc(count, size);
}

void* realloc(void* p, size_t size)
{
    note();
    return __libc_realloc(p, size);
}

void* memalign(size_t alignment, size_t size)
{
    note();
    return __libc_memalign(alignment, size);
}

void* aligned_alloc(size_t alignment, size_t size)
{
    note();
    return __libc_memalign(alignment, size);
}

int posix_memalign(void** out, size_t alignment, size_t size)
{
    note();
    if (alignment < sizeof(void*) || (alignment & (alignment - 1)) != 0)
        return 22; // EINVAL
    void* p = __libc_memalign(alignment, size);
    if (p == nullptr)
        return 12; // ENOMEM
    *out = p;
    return 0;
}

void free(void* p)
{
    __libc_free(p);
}
}
#endif

namespace {

void* allocate(std::size_t size, std::size_t alignment)
{
    if (!CORVALE_SOAK_COUNT_MALLOC)
        note(); // otherwise malloc counts it
    if (size == 0)
        size = 1;
    if (alignment <= alignof(std::max_align_t))
        return std::malloc(size);
    void* p = nullptr;
    return posix_memalign(&p, alignment, size) == 0 ? p : nullptr;
}

void* allocateOrThrow(std::size_t size, std::size_t alignment)
{
    // Inside process the plug-in must not allocate at all; the count says
    // whether it did, and the allocation itself still succeeds.
    void* p = allocate(size, alignment);
    if (p == nullptr)
        throw std::bad_alloc();
    return p;
}

constexpr std::size_t kPlain = alignof(std::max_align_t);

} // namespace

void* operator new(std::size_t size)
{
    return allocateOrThrow(size, kPlain);
}

void* operator new[](std::size_t size)
{
    return allocateOrThrow(size, kPlain);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return allocate(size, kPlain);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return allocate(size, kPlain);
}

void* operator new(std::size_t size, std::align_val_t alignment)
{
    return allocateOrThrow(size, static_cast<std::size_t>(alignment));
}

void* operator new[](std::size_t size, std::align_val_t alignment)
{
    return allocateOrThrow(size, static_cast<std::size_t>(alignment));
}

void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept
{
    return allocate(size, static_cast<std::size_t>(alignment));
}

void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept
{
    return allocate(size, static_cast<std::size_t>(alignment));
}

void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete[](void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::align_val_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::align_val_t) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept
{
    std::free(p);
}
