#pragma once

#include <cstdint>

/*  Counts, on the threads that ask for it, the allocations (malloc and friends, which
    operator new reaches too) and the mutex locks made anywhere in the process, the
    plug-in's shared object included: the test program replaces those C functions and
    exports them, so the dynamic linker binds the plug-in's calls to them.

    Only where no sanitizer already replaces the same functions; elsewhere available()
    is false and the counts stay 0.
*/
namespace quorvel::test
{
struct RealtimeCounts
{
    std::int64_t allocations = 0;
    std::int64_t locks = 0;
};

class RealtimeProbe
{
public:
    /** Counts on the calling thread for as long as it lives. */
    RealtimeProbe();
    ~RealtimeProbe();

    RealtimeProbe (const RealtimeProbe&) = delete;
    RealtimeProbe& operator= (const RealtimeProbe&) = delete;

    RealtimeCounts counts() const;

    static bool available();
};
} // namespace quorvel::test
