#include "tests/plugin/vst2/RealtimeProbe.h"
#include "tests/support/Sanitizers.h"

#include <dlfcn.h>
#include <pthread.h>

#include <atomic>
#include <cstddef>

namespace
{
thread_local bool counting = false;
thread_local std::int64_t allocations = 0;
thread_local std::int64_t locks = 0;
} // namespace

namespace quorvel::test
{
RealtimeProbe::RealtimeProbe()
{
    allocations = 0;
    locks = 0;
    counting = true;
}

RealtimeProbe::~RealtimeProbe()
{
    counting = false;
}

RealtimeCounts RealtimeProbe::counts() const
{
    return { allocations, locks };
}

bool RealtimeProbe::available()
{
#if QUORVEL_SANITIZED
    return false;
#else
    return true;
#endif
}
} // namespace quorvel::test

#if ! QUORVEL_SANITIZED
namespace
{
using LockFunction = int (*) (pthread_mutex_t*);
std::atomic<LockFunction> lockFunction { nullptr };
std::atomic<LockFunction> tryLockFunction { nullptr };

// Looked up on first use without a guarded static, whose guard could itself lock.
LockFunction glibcLock (const char* name, std::atomic<LockFunction>& function)
{
    auto found = function.load (std::memory_order_acquire);

    if (found == nullptr)
    {
        found = reinterpret_cast<LockFunction> (dlsym (RTLD_NEXT, name));
        function.store (found, std::memory_order_release);
    }

    return found;
}
} // namespace

extern "C"
{
    // glibc's own entry points, which these replacements forward to.
    void* __libc_malloc (size_t);
    void* __libc_calloc (size_t, size_t);
    void* __libc_realloc (void*, size_t);
    void* __libc_memalign (size_t, size_t);
    void __libc_free (void*);

    void* malloc (size_t size)
    {
        allocations += counting ? 1 : 0;
        return __libc_malloc (size);
    }

    void* calloc (size_t count, size_t size)
    {
        allocations += counting ? 1 : 0;
        return __libc_calloc (count, size);
    }

    void* realloc (void* memory, size_t size)
    {
        allocations += counting ? 1 : 0;
        return __libc_realloc (memory, size);
    }

    void* memalign (size_t alignment, size_t size)
    {
        allocations += counting ? 1 : 0;
        return __libc_memalign (alignment, size);
    }

    void* aligned_alloc (size_t alignment, size_t size)
    {
        return memalign (alignment, size);
    }

    int posix_memalign (void** memory, size_t alignment, size_t size)
    {
        *memory = memalign (alignment, size);
        return *memory != nullptr ? 0 : 12;
    }

    void free (void* memory)
    {
        __libc_free (memory);
    }

    int pthread_mutex_lock (pthread_mutex_t* mutex)
    {
        locks += counting ? 1 : 0;
        return glibcLock ("pthread_mutex_lock", lockFunction) (mutex);
    }

    int pthread_mutex_trylock (pthread_mutex_t* mutex)
    {
        locks += counting ? 1 : 0;
        return glibcLock ("pthread_mutex_trylock", tryLockFunction) (mutex);
    }
}
#endif
