#pragma once

// The independent reconstruction of the VST 2.4 interface from Debian's fst-dev, in a
// namespace of its own so that it meets neither the plug-in's interface layer nor
// JUCE's. Where fst only has a placeholder number, the tests name the published one.
namespace fst
{
#define FST2VST 1
#define FST_DONT_DEPRECATE_UNKNOWN 1
#include <pluginterfaces/fst/fst.h>

// Published numbers that fst leaves as placeholders.
constexpr int audioMasterIdleRequest = 3;
constexpr int audioMasterIOChangedRequest = 13;
constexpr int effSetBypassOpcode = 44;

constexpr int fourCharCode (char a, char b, char c, char d)
{
    return (int) (((unsigned) (unsigned char) a << 24) | ((unsigned) (unsigned char) b << 16) | ((unsigned) (unsigned char) c << 8) | (unsigned) (unsigned char) d);
}
} // namespace fst
