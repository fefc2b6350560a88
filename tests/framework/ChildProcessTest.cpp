// A child process's output pipe is closed exactly once, whether its output was
// read or not. The framework runs such processes itself when the desktop starts
// on a display without settings, on whatever thread that is; a second close of
// the same number there would close a descriptor another thread of the host had
// just opened.

#include <juce_core/juce_core.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <iterator>
#include <ostream>

extern "C" int __real_close (int descriptor);

namespace
{
std::atomic<int> closesOfNothing { 0 };

std::ptrdiff_t openDescriptors()
{
    const std::filesystem::directory_iterator entries ("/proc/self/fd");
    return std::distance (begin (entries), end (entries));
}
} // namespace

extern "C" int __wrap_close (int descriptor)
{
    const int result = __real_close (descriptor);

    if (result != 0 && errno == EBADF)
        ++closesOfNothing;

    return result;
}

struct ChildUse
{
    const char* name;
    bool readsOutput;

    friend void PrintTo (const ChildUse& use, std::ostream* out) { *out << use.name; }
};

class ChildProcessTest : public ::testing::TestWithParam<ChildUse>
{
};

TEST_P (ChildProcessTest, ClosesItsPipeOnceAndKeepsNoDescriptor)
{
    const auto before = openDescriptors();
    closesOfNothing = 0;

    {
        juce::ChildProcess child;
        ASSERT_TRUE (child.start ("echo quorvel", juce::ChildProcess::wantStdOut));

        if (GetParam().readsOutput)
            EXPECT_EQ (child.readAllProcessOutput(), "quorvel\n");
        else
            EXPECT_TRUE (child.waitForProcessToFinish (10000));
    }

    EXPECT_EQ (closesOfNothing.load(), 0);
    EXPECT_EQ (openDescriptors(), before);
}

INSTANTIATE_TEST_SUITE_P (Uses,
                          ChildProcessTest,
                          ::testing::Values (ChildUse { "OutputRead", true }, ChildUse { "OutputNeverRead", false }),
                          [] (const auto& use)
                          { return std::string (use.param.name); });
