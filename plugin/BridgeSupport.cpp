#include "plugin/BridgeSupport.h"

#include <juce_audio_processors/juce_audio_processors.h>

bool isCompleteStateBlock (const void* data, std::int32_t byteSize)
{
    constexpr std::uint32_t magic = 0x21324356;
    constexpr std::int32_t headerSize = 8;

    if (data == nullptr || byteSize <= headerSize)
        return false;

    const auto* bytes = static_cast<const std::uint8_t*> (data);
    const auto readWord = [bytes] (int offset)
    {
        return (std::uint32_t) bytes[offset] | ((std::uint32_t) bytes[offset + 1] << 8)
               | ((std::uint32_t) bytes[offset + 2] << 16) | ((std::uint32_t) bytes[offset + 3] << 24);
    };

    const auto textLength = readWord (4);

    if (readWord (0) != magic || textLength == 0 || textLength > (std::uint32_t) (byteSize - headerSize))
        return false;

    return juce::AudioProcessor::getXmlFromBinary (data, byteSize) != nullptr;
}

bool channelsOverlap (const float* a, const float* b, int numSamples) noexcept
{
    const auto first = reinterpret_cast<std::uintptr_t> (a);
    const auto second = reinterpret_cast<std::uintptr_t> (b);
    const auto bytes = (std::uintptr_t) numSamples * sizeof (float);
    return first < second + bytes && second < first + bytes;
}
