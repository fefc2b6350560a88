#include "formats/aax/host/HostAlgorithm.h"

#include <algorithm>
#include <cstring>

HostAlgorithm::HostAlgorithm (HostContext& context, AAX_IACFEffectParameters& effect, HostController& hostController, int numChannels)
    : controller (hostController)
    , routine (context.registration.processRoutine())
    , declared (context.registration.fields())
    , inputPointers (static_cast<size_t> (numChannels), nullptr)
    , outputPointers (static_cast<size_t> (numChannels), nullptr)
    , midiNode (8, 0)
{
    uint32_t highestIndex = 0;

    for (const auto& field : declared)
        highestIndex = std::max (highestIndex, field.index);

    fields.assign (declared.empty() ? 0 : highestIndex + 1, nullptr);

    for (const auto& field : declared)
    {
        auto& slot = fields[field.index];

        switch (field.kind)
        {
            case HostRegistration::FieldKind::audioIn:
                slot = inputPointers.data();
                break;
            case HostRegistration::FieldKind::audioOut:
                slot = outputPointers.data();
                break;
            case HostRegistration::FieldKind::bufferLength:
                slot = &bufferLength;
                break;
            case HostRegistration::FieldKind::dataInPort:
            {
                auto& block = portBlocks[field.index];
                block.assign (std::max<uint32_t> (field.size, 4), 0);
                slot = block.data();
                break;
            }
            case HostRegistration::FieldKind::midiNode:
                slot = midiNode.data();
                break;
            case HostRegistration::FieldKind::privateData:
            {
                auto& block = privateBlocks[field.index];
                block.assign ((field.size + sizeof (uint64_t) - 1) / sizeof (uint64_t), 0);
                slot = block.data();
                effect.ResetFieldData (field.index, block.data(), field.size);
                break;
            }
            case HostRegistration::FieldKind::other:
                break;
        }
    }
}

void HostAlgorithm::takeUpPostedPackets()
{
    const auto packets = controller.postedPackets();

    for (; packetsTaken < packets.size(); ++packetsTaken)
    {
        const auto& packet = packets[packetsTaken];
        const auto found = portBlocks.find (packet.fieldIndex);

        if (found == portBlocks.end())
            continue;

        auto& block = found->second;
        std::fill (block.begin(), block.end(), uint8_t { 0 });
        std::memcpy (block.data(), packet.bytes.data(), std::min (block.size(), packet.bytes.size()));
    }
}

void HostAlgorithm::run (int32_t frames)
{
    takeUpPostedPackets();
    bufferLength = frames;

    if (routine == nullptr || fields.empty())
        return;

    void* instances[] = { fields.data() };
    routine (instances, instances + 1);
}

void HostAlgorithm::render (const float* const* inputs, float* const* outputs, int32_t frames)
{
    for (size_t channel = 0; channel < inputPointers.size(); ++channel)
    {
        inputPointers[channel] = inputs[channel];
        outputPointers[channel] = outputs[channel];
    }

    run (frames);
}

void HostAlgorithm::renderInPlace (float* const* channels, int32_t frames)
{
    for (size_t channel = 0; channel < inputPointers.size(); ++channel)
    {
        inputPointers[channel] = channels[channel];
        outputPointers[channel] = channels[channel];
    }

    run (frames);
}

uint32_t HostAlgorithm::portValue (uint32_t fieldIndex) const
{
    const auto found = portBlocks.find (fieldIndex);

    if (found == portBlocks.end())
        return 0;

    uint32_t value = 0;
    std::memcpy (&value, found->second.data(), sizeof (value));
    return value;
}

void HostAlgorithm::overrideField (uint32_t fieldIndex, void* pointer)
{
    if (fieldIndex < fields.size())
        fields[fieldIndex] = pointer;
}
