#pragma once

#include "formats/aax/AAX_Results.h"

class AAX_CPacket;

/** Fills the packet of one data port from one parameter. Kept as clones by the dispatcher. */
class AAX_IPacketHandler
{
public:
    virtual ~AAX_IPacketHandler() = default;

    /** A new copy, owned by the caller. */
    virtual AAX_IPacketHandler* Clone() const = 0;

    /** Fills the packet for the parameter with that identifier; 0 on success. */
    virtual AAX_Result CallHandler (const char* parameterID, AAX_CPacket& packet) const = 0;

protected:
    AAX_IPacketHandler() = default;
    AAX_IPacketHandler (const AAX_IPacketHandler&) = default;
    AAX_IPacketHandler& operator= (const AAX_IPacketHandler&) = default;
};
