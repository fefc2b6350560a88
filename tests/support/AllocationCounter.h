#pragma once

// Counts the allocations made through the global operator new of a test executable that
// links AllocationCounter.cpp, and can make a chosen allocation fail.

#include "tests/support/Sanitizers.h"

#include <cstdint>

// ThreadSanitizer brings operator new and delete of its own, which a program cannot
// replace again: built with it, nothing is counted and no allocation is made to fail.
#if QUORVEL_THREAD_SANITIZER
    #define QUORVEL_COUNTS_ALLOCATIONS 0
#else
    #define QUORVEL_COUNTS_ALLOCATIONS 1
#endif

namespace quorvel::test
{
/** False in builds where allocations cannot be counted; tests that count then skip. */
constexpr bool countsAllocations = QUORVEL_COUNTS_ALLOCATIONS != 0;

/** Allocations through operator new since the program started. */
std::int64_t allocationCount() noexcept;

/** Makes the allocation `allocationsFromNow` calls from now (1 = the next one) throw
    std::bad_alloc, once; 0 turns a pending failure off. */
void failAllocationAfter (std::int64_t allocationsFromNow) noexcept;

/** Counts the allocations made while it lives. */
class AllocationScope
{
public:
    AllocationScope() noexcept
        : start (allocationCount())
    {
    }
    std::int64_t allocations() const noexcept { return allocationCount() - start; }

private:
    std::int64_t start;
};
} // namespace quorvel::test
