#include "formats/aax/AAX_COwnerMutex.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace
{
/** Runs body on another thread and waits for it. */
template <typename Body>
void onAnotherThread (Body&& body)
{
    std::thread (std::forward<Body> (body)).join();
}

TEST (AAX_COwnerMutexTest, TheHolderPassesThroughAndOnlyItsUnlockReleases)
{
    AAX_COwnerMutex mutex;
    mutex.Unlock(); // without a holder: nothing

    EXPECT_TRUE (mutex.Lock());
    EXPECT_FALSE (mutex.Lock()) << "the holder must not wait for itself";

    onAnotherThread ([&mutex]
                     { mutex.Unlock(); });
    EXPECT_FALSE (mutex.Lock()) << "a stranger's unlock leaves the holder holding";

    mutex.Unlock();
    bool tookIt = false;
    onAnotherThread ([&]
                     {
                         tookIt = mutex.Lock();
                         mutex.Unlock(); });
    EXPECT_TRUE (tookIt);
    EXPECT_TRUE (mutex.Lock()) << "released again, so the next Lock takes it";
    mutex.Unlock();
}

TEST (AAX_COwnerMutexTest, ExcludesOtherThreads)
{
    // A plain counter changed only under the mutex: ThreadSanitizer reports any
    // access the mutex fails to order, and a lost increment shows here.
    AAX_COwnerMutex mutex;
    int counter = 0;
    std::vector<std::thread> threads;

    for (int t = 0; t < 4; ++t)
        threads.emplace_back ([&mutex, &counter]
                              {
                                  for (int i = 0; i < 20000; ++i)
                                  {
                                      const bool outer = mutex.Lock();
                                      const bool inner = mutex.Lock();
                                      ++counter;

                                      if (inner)
                                          mutex.Unlock();

                                      if (outer)
                                          mutex.Unlock();
                                  } });

    for (auto& thread : threads)
        thread.join();

    EXPECT_EQ (counter, 4 * 20000);
}
} // namespace
