#include "formats/aax/AAX_CPacket.h"

AAX_CPacket::AAX_CPacket (int32_t port)
    : portNumber (port)
{
}

void* AAX_CPacket::Allocate (uint32_t byteCount)
{
    size = byteCount;
    return data.Resize (byteCount);
}
