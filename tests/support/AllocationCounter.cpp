// Replaces the global allocation functions of the test executable with counting ones.
// Every replaceable form of operator new funnels into allocate(), every form of
// operator delete into release().

#include "support/AllocationCounter.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

#if QUORVEL_COUNTS_ALLOCATIONS

namespace
{
std::atomic<std::int64_t> allocations { 0 };
std::atomic<std::int64_t> failingAllocation { 0 };

void* allocate (std::size_t size, std::size_t alignment)
{
    const auto number = allocations.fetch_add (1, std::memory_order_relaxed) + 1;
    auto expected = number;

    if (failingAllocation.load (std::memory_order_relaxed) == number
        && failingAllocation.compare_exchange_strong (expected, 0, std::memory_order_relaxed))
        return nullptr;

    if (size == 0)
        size = 1;

    if (alignment <= alignof (std::max_align_t))
        return std::malloc (size);

    const std::size_t rounded = (size + alignment - 1) / alignment * alignment;
    return std::aligned_alloc (alignment, rounded);
}

void* allocateOrThrow (std::size_t size, std::size_t alignment)
{
    if (void* memory = allocate (size, alignment))
        return memory;

    throw std::bad_alloc();
}

void release (void* memory) noexcept
{
    std::free (memory);
}
} // namespace

namespace quorvel::test
{
std::int64_t allocationCount() noexcept
{
    return allocations.load (std::memory_order_relaxed);
}

void failAllocationAfter (std::int64_t allocationsFromNow) noexcept
{
    failingAllocation.store (allocationsFromNow > 0 ? allocationCount() + allocationsFromNow : 0, std::memory_order_relaxed);
}
} // namespace quorvel::test

void* operator new (std::size_t size) { return allocateOrThrow (size, 0); }
void* operator new[] (std::size_t size) { return allocateOrThrow (size, 0); }
void* operator new (std::size_t size, std::align_val_t alignment) { return allocateOrThrow (size, (std::size_t) alignment); }
void* operator new[] (std::size_t size, std::align_val_t alignment) { return allocateOrThrow (size, (std::size_t) alignment); }
void* operator new (std::size_t size, const std::nothrow_t&) noexcept { return allocate (size, 0); }
void* operator new[] (std::size_t size, const std::nothrow_t&) noexcept { return allocate (size, 0); }
void* operator new (std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept { return allocate (size, (std::size_t) alignment); }
void* operator new[] (std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept { return allocate (size, (std::size_t) alignment); }

void operator delete (void* memory) noexcept { release (memory); }
void operator delete[] (void* memory) noexcept { release (memory); }
void operator delete (void* memory, std::size_t) noexcept { release (memory); }
void operator delete[] (void* memory, std::size_t) noexcept { release (memory); }
void operator delete (void* memory, std::align_val_t) noexcept { release (memory); }
void operator delete[] (void* memory, std::align_val_t) noexcept { release (memory); }
void operator delete (void* memory, std::size_t, std::align_val_t) noexcept { release (memory); }
void operator delete[] (void* memory, std::size_t, std::align_val_t) noexcept { release (memory); }
void operator delete (void* memory, const std::nothrow_t&) noexcept { release (memory); }
void operator delete[] (void* memory, const std::nothrow_t&) noexcept { release (memory); }
void operator delete (void* memory, std::align_val_t, const std::nothrow_t&) noexcept { release (memory); }
void operator delete[] (void* memory, std::align_val_t, const std::nothrow_t&) noexcept { release (memory); }

#else

namespace quorvel::test
{
std::int64_t allocationCount() noexcept { return 0; }
void failAllocationAfter (std::int64_t) noexcept {}
} // namespace quorvel::test

#endif
