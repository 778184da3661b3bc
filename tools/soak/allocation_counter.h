// Counts the heap allocations a thread makes while it is inside a marked
// stretch (one process call). The companion file replaces the global operator
// new of the executable, which a loaded plug-in module calls as well, and, in
// builds without a sanitizer (which bring their own), malloc and its family.
#pragma once

#include <cstdint>

namespace corvale::soak {

class AllocationCounter
{
public:
    /// Starts counting this thread's allocations. [any]
    static void begin();
    /// Stops counting them. [any]
    static void end();
    /// Allocations counted so far, over all threads. [any]
    static uint64_t count();
    /// True when malloc and its family are counted too, not only operator new. [any]
    static bool countsMalloc();
};

/// Counts the allocations of the scope on this thread.
class CountAllocations
{
public:
    CountAllocations() { AllocationCounter::begin(); }
    ~CountAllocations() { AllocationCounter::end(); }
    CountAllocations(const CountAllocations&) = delete;
    CountAllocations& operator=(const CountAllocations&) = delete;
};

} // namespace corvale::soak
