#pragma once

// Which sanitizer a test build runs under, for the tests that must allow for one.
// GCC says so with a macro of its own, clang through __has_feature.

#if defined(__SANITIZE_ADDRESS__)
    #define QUORVEL_ADDRESS_SANITIZER 1
#endif

#if defined(__SANITIZE_THREAD__)
    #define QUORVEL_THREAD_SANITIZER 1
#endif

#if defined(__has_feature)
    #if __has_feature(address_sanitizer)
        #define QUORVEL_ADDRESS_SANITIZER 1
    #endif
    #if __has_feature(thread_sanitizer)
        #define QUORVEL_THREAD_SANITIZER 1
    #endif
    #if __has_feature(memory_sanitizer)
        #define QUORVEL_MEMORY_SANITIZER 1
    #endif
#endif

#if defined(QUORVEL_ADDRESS_SANITIZER) || defined(QUORVEL_THREAD_SANITIZER) || defined(QUORVEL_MEMORY_SANITIZER)
    #define QUORVEL_SANITIZED 1
#endif
