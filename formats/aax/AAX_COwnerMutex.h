#pragma once

#include <pthread.h>

#include <atomic>
#include <memory>
#include <thread>

/**
    A mutex that remembers which thread holds it, so that a thread already
    holding it passes through instead of deadlocking, and releases only what
    it took:

        const bool locked = mutex.Lock();
        ... // also when this runs inside another Lock() on the same thread
        if (locked)
            mutex.Unlock();

    State: a block holding the owner (no thread while unlocked) and a POSIX
    mutex with default attributes; no block when the mutex could not be
    initialised, and then Lock and Unlock do nothing, leaving the caller
    unguarded.

    The owner is read without holding the mutex, so it is atomic. A thread can
    find its own identifier there only while it holds the mutex (it is recorded
    after locking and cleared before unlocking), which is all Lock relies on;
    the mutex itself orders everything else, so relaxed accesses suffice.
*/
class AAX_COwnerMutex
{
public:
    AAX_COwnerMutex();
    ~AAX_COwnerMutex();

    AAX_COwnerMutex (const AAX_COwnerMutex&) = delete;
    AAX_COwnerMutex& operator= (const AAX_COwnerMutex&) = delete;

    /** Whether this call took the mutex: false when the caller already holds it (or there is none). */
    bool Lock();

    /** Releases the mutex when the calling thread holds it; does nothing otherwise. */
    void Unlock();

private:
    struct Block
    {
        std::atomic<std::thread::id> owner {};
        pthread_mutex_t mutex;
    };

    std::unique_ptr<Block> block;
};
