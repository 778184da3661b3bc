#include "failing_allocator.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace failing_allocator {
namespace {

std::atomic<long> gCountdown {0}; ///< allocations left before the one that fails; 0: off
std::atomic<bool> gFailAfter {false};
std::atomic<bool> gFailing {false}; ///< after the n-th, when every later one fails too
std::atomic<long> gFailures {0};
std::atomic<long> gLive {0};
std::atomic<long> gAllocations {0};

bool shouldFail()
{
    if (gFailing.load())
        return true;
    long left = gCountdown.load();
    while (left > 0)
    {
        if (gCountdown.compare_exchange_weak(left, left - 1))
        {
            if (left != 1)
                return false;
            if (gFailAfter.load())
                gFailing.store(true);
            return true;
        }
    }
    return false;
}

void* allocate(std::size_t size, std::size_t alignment)
{
    if (shouldFail())
    {
        gFailures.fetch_add(1);
        return nullptr;
    }
    if (size == 0)
        size = 1;
    void* p = nullptr;
    if (alignment <= alignof(std::max_align_t))
        p = std::malloc(size);
    else if (posix_memalign(&p, alignment, size) != 0)
        p = nullptr;
    if (p != nullptr)
    {
        gLive.fetch_add(1);
        gAllocations.fetch_add(1);
    }
    return p;
}

void* allocateOrThrow(std::size_t size, std::size_t alignment)
{
    void* p = allocate(size, alignment);
    if (p == nullptr)
        throw std::bad_alloc();
    return p;
}

void release(void* p)
{
    if (p == nullptr)
        return;
    gLive.fetch_sub(1);
    std::free(p);
}

constexpr std::size_t kPlain = alignof(std::max_align_t);

} // namespace

void failAt(long n, bool andAfter)
{
    gFailing.store(false);
    gFailAfter.store(andAfter);
    gFailures.store(0);
    gCountdown.store(n > 0 ? n : 0);
}

void disarm()
{
    gCountdown.store(0);
    gFailing.store(false);
}

long failures()
{
    return gFailures.load();
}

long allocations()
{
    return gAllocations.load();
}

long live()
{
    return gLive.load();
}

} // namespace failing_allocator

using failing_allocator::allocate;
using failing_allocator::allocateOrThrow;
using failing_allocator::kPlain;
using failing_allocator::release;

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
void* operator new(std::size_t size, std::align_val_t a)
{
    return allocateOrThrow(size, static_cast<std::size_t>(a));
}
void* operator new[](std::size_t size, std::align_val_t a)
{
    return allocateOrThrow(size, static_cast<std::size_t>(a));
}
void* operator new(std::size_t size, std::align_val_t a, const std::nothrow_t&) noexcept
{
    return allocate(size, static_cast<std::size_t>(a));
}
void* operator new[](std::size_t size, std::align_val_t a, const std::nothrow_t&) noexcept
{
    return allocate(size, static_cast<std::size_t>(a));
}

void operator delete(void* p) noexcept
{
    release(p);
}
void operator delete[](void* p) noexcept
{
    release(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    release(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    release(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept
{
    release(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept
{
    release(p);
}
void operator delete(void* p, std::align_val_t) noexcept
{
    release(p);
}
void operator delete[](void* p, std::align_val_t) noexcept
{
    release(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept
{
    release(p);
}
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept
{
    release(p);
}
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept
{
    release(p);
}
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept
{
    release(p);
}
