#pragma once

#include "support/Sanitizers.h"

#include <cstdlib>
#include <locale>

#if QUORVEL_ADDRESS_SANITIZER
    #include <sanitizer/lsan_interface.h>
#endif

namespace quorvel::test
{
/** The process's locale, C and C++ alike, as a host sets it to its user's, for as
    long as the object lives. The locales come from the tests' own build
    (QUORVEL_TEST_LOCALES, through the quorvel_test_locales target), so that none
    depends on what a machine has installed; one that is missing throws. */
class HostLocale
{
public:
    explicit HostLocale (const char* name)
    {
#if QUORVEL_ADDRESS_SANITIZER
        // The C library never frees the search path it builds from LOCPATH.
        __lsan::ScopedDisabler notTheProductsLeak;
#endif
        setenv ("LOCPATH", QUORVEL_TEST_LOCALES, 1);
        previous = std::locale::global (std::locale (name));
    }

    ~HostLocale() { std::locale::global (previous); }

    HostLocale (const HostLocale&) = delete;
    HostLocale& operator= (const HostLocale&) = delete;

private:
    std::locale previous;
};
} // namespace quorvel::test
