#pragma once

#include "formats/aax/AAX_IPacketHandler.h"

/**
    A packet handler that calls a member operation of a worker object: one that
    takes the parameter identifier and the packet, or else one that takes the
    packet alone. With neither it answers -20004.

    The usual handler of a parameter's port, whose packet is the parameter's
    current value:

        AAX_CPacketHandler<AAX_CPacketDispatcher> handler (&dispatcher, &AAX_CPacketDispatcher::WriteParameterValuePacket);
        dispatcher.RegisterPacket ("MasterBypassID", 3, handler);

    State: the worker (not owned) and the two callbacks; Clone copies all three.
*/
template <class Worker>
class AAX_CPacketHandler final : public AAX_IPacketHandler
{
public:
    using PacketCallback = AAX_Result (Worker::*) (AAX_CPacket& packet);
    using IdentifierAndPacketCallback = AAX_Result (Worker::*) (const char* parameterID, AAX_CPacket& packet);

    AAX_CPacketHandler (Worker* worker, PacketCallback callback)
        : target (worker)
        , packetCallback (callback)
    {
    }

    AAX_CPacketHandler (Worker* worker, IdentifierAndPacketCallback callback)
        : target (worker)
        , identifierAndPacketCallback (callback)
    {
    }

    AAX_CPacketHandler (const AAX_CPacketHandler&) = default;
    AAX_CPacketHandler& operator= (const AAX_CPacketHandler&) = default;

    AAX_CPacketHandler* Clone() const override { return new AAX_CPacketHandler (*this); }

    AAX_Result CallHandler (const char* parameterID, AAX_CPacket& packet) const override
    {
        if (target == nullptr)
            return kAAX_ErrorNullObject;

        if (identifierAndPacketCallback != nullptr)
            return (target->*identifierAndPacketCallback) (parameterID, packet);

        if (packetCallback != nullptr)
            return (target->*packetCallback) (packet);

        return kAAX_ErrorNullObject;
    }

private:
    Worker* target = nullptr;
    PacketCallback packetCallback = nullptr;
    IdentifierAndPacketCallback identifierAndPacketCallback = nullptr;
};
