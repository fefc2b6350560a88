#pragma once

// Counts the allocations made through the global operator new of a test executable that
// links AllocationCounter.cpp, and can make a chosen allocation fail.

#include <cstdint>

namespace quorvel::test
{
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
