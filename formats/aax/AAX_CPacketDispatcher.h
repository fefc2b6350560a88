#pragma once

#include "formats/aax/AAX_COwnerMutex.h"
#include "formats/aax/AAX_CPacket.h"
#include "formats/aax/AAX_IPacketHandler.h"
#include "formats/aax/AAX_Results.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

class AAX_IController;
class AAX_IEffectParameters;

/**
    Ties parameters to the data ports of the host's audio algorithm. Each
    registered parameter feeds one or more ports through a handler that fills
    the port's packet; an updated parameter marks its packets dirty, and when
    the host asks for coefficients every dirty packet is refilled and posted
    through the controller.

    State, all guarded by the owner mutex (so a handler or a post that calls
    back into the dispatcher on the same thread passes straight through):
    - packets by port, owned; ports shared by several identifiers share a packet;
    - handler entries by identifier (byte-wise order; one identifier's entries in
      registration order), each with its port's packet and an owned handler clone;
    - controller and effect parameters, not owned, null until Initialize and
      after Reset.
*/
class AAX_CPacketDispatcher
{
public:
    AAX_CPacketDispatcher();
    ~AAX_CPacketDispatcher();

    AAX_CPacketDispatcher (const AAX_CPacketDispatcher&) = delete;
    AAX_CPacketDispatcher& operator= (const AAX_CPacketDispatcher&) = delete;

    /** Where packets are posted, and where the default handler looks parameters up. */
    void Initialize (AAX_IController* controller, AAX_IEffectParameters* effectParameters);

    /**
        Feeds the port from the parameter through a clone of the handler. A port
        seen for the first time gets a new, dirty packet. 0 on success; a null
        identifier or a handler that cannot be cloned gives -20004 and a negative
        port -20009, registering nothing.
    */
    AAX_Result RegisterPacket (const char* parameterID, int32_t port, const AAX_IPacketHandler& handler);

    /** Sets the dirty flag of every packet the parameter feeds; 0 (also for unknown or null identifiers). */
    AAX_Result SetDirty (const char* parameterID, bool dirty);

    /**
        Refills and posts every dirty packet, in identifier order, and marks it
        clean whatever its handler and the post answered. Returns the last post's
        result, or 0 when nothing was posted. Without a controller nothing is
        posted and dirty packets stay dirty (-20004 when there were any).
    */
    AAX_Result Dispatch();

    /**
        The default handler: the packet becomes the parameter's current value, as
        an unsigned 32-bit 1 or 0 for a bool, or the float, 32-bit integer or
        double itself. -20004 for an unknown parameter or one of none of those types.
    */
    AAX_Result WriteParameterValuePacket (const char* parameterID, AAX_CPacket& packet);

    /** Forgets every registration, packet, the controller and the effect parameters. */
    void Reset();

private:
    struct HandlerEntry
    {
        AAX_CPacket* packet;
        std::unique_ptr<AAX_IPacketHandler> handler;
    };

    /** Holds the owner mutex for one operation, when this thread did not hold it already. */
    class ScopedOwnerLock;

    AAX_COwnerMutex mutex;
    std::map<int32_t, std::unique_ptr<AAX_CPacket>> packetsByPort;
    std::multimap<std::string, HandlerEntry> handlersByParameter;
    AAX_IController* controller = nullptr;
    AAX_IEffectParameters* effectParameters = nullptr;
};
