#pragma once

#include "formats/aax/AAX_CPacketBuffer.h"

#include <cstdint>
#include <cstring>
#include <type_traits>

/**
    The coefficient packet of one data port: what is posted to the port the
    next time the host asks for coefficients.

    State (guarded by the dispatcher that owns the packet):
    - port: the data port (field index) it is posted to;
    - dirty: it must be refilled and posted at the next dispatch; true at creation;
    - size: bytes to post, 0 until a handler fills it;
    - data: the bytes, 8 zero bytes at creation.
*/
class AAX_CPacket
{
public:
    explicit AAX_CPacket (int32_t port);

    AAX_CPacket (const AAX_CPacket&) = delete;
    AAX_CPacket& operator= (const AAX_CPacket&) = delete;

    int32_t GetPort() const { return portNumber; }

    bool IsDirty() const { return dirty; }
    void SetDirty (bool isDirty) { dirty = isDirty; }

    uint32_t GetSize() const { return size; }
    const void* GetData() const { return data.Data(); }

    /** Sets the size to byteCount and gives room for that many bytes (at least 1). */
    void* Allocate (uint32_t byteCount);

    /** Makes the packet exactly the value's bytes, in the machine's own byte order. */
    template <typename Value>
    void SetValue (const Value& value)
    {
        static_assert (std::is_trivially_copyable_v<Value>, "packets carry plain bytes");
        std::memcpy (Allocate (static_cast<uint32_t> (sizeof (Value))), &value, sizeof (Value));
    }

private:
    int32_t portNumber;
    bool dirty = true;
    uint32_t size = 0;
    AAX_CPacketBuffer data;
};
