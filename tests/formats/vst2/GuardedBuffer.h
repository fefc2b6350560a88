#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#if defined(__has_feature)
    #if __has_feature(address_sanitizer)
        #define QUORVEL_TEST_ASAN 1
    #endif
#endif
#if defined(__SANITIZE_ADDRESS__)
    #define QUORVEL_TEST_ASAN 1
#endif

#if QUORVEL_TEST_ASAN
    #include <sanitizer/asan_interface.h>
#endif

namespace quorvel::test
{
/**
        A buffer of exactly `usable` bytes with guard zones on both sides. The
        usable bytes start filled with a marker, so a test sees which of them
        were written; the guards are checked by guardsIntact() and, under
        AddressSanitizer, poisoned so that the first stray access is reported
        where it happens.
    */
class GuardedBuffer
{
public:
    static constexpr std::size_t guardBytes = 64;
    static constexpr char marker = '\x7e';
    static constexpr unsigned char guardPattern = 0xa5;

    explicit GuardedBuffer (std::size_t usableBytes)
        : usable (usableBytes)
        , storage (usableBytes + 2 * guardBytes, static_cast<char> (guardPattern))
    {
        std::memset (data(), marker, usable);
        poison (true);
    }

    ~GuardedBuffer() { poison (false); }

    GuardedBuffer (const GuardedBuffer&) = delete;
    GuardedBuffer& operator= (const GuardedBuffer&) = delete;

    char* data() noexcept { return storage.data() + guardBytes; }
    std::size_t size() const noexcept { return usable; }

    bool guardsIntact()
    {
        poison (false);
        bool intact = true;

        for (std::size_t i = 0; i < guardBytes; ++i)
        {
            intact = intact && static_cast<unsigned char> (storage[i]) == guardPattern;
            intact = intact && static_cast<unsigned char> (storage[guardBytes + usable + i]) == guardPattern;
        }

        poison (true);
        return intact;
    }

    /** The text up to the first terminator within the usable bytes. */
    std::string text() const
    {
        const char* begin = storage.data() + guardBytes;
        const auto* end = static_cast<const char*> (std::memchr (begin, 0, usable));
        return std::string (begin, end != nullptr ? end : begin + usable);
    }

    char at (std::size_t index) const { return storage[guardBytes + index]; }

    bool untouched() const
    {
        for (std::size_t i = 0; i < usable; ++i)
            if (at (i) != marker)
                return false;

        return true;
    }

private:
    void poison (bool on)
    {
#if QUORVEL_TEST_ASAN
        char* front = storage.data();
        char* back = storage.data() + guardBytes + usable;

        if (on)
        {
            ASAN_POISON_MEMORY_REGION (front, guardBytes);
            ASAN_POISON_MEMORY_REGION (back, guardBytes);
        }
        else
        {
            ASAN_UNPOISON_MEMORY_REGION (front, guardBytes);
            ASAN_UNPOISON_MEMORY_REGION (back, guardBytes);
        }
#else
        (void) on;
#endif
    }

    std::size_t usable;
    std::vector<char> storage;
};
} // namespace quorvel::test
