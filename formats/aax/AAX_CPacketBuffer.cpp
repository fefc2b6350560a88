#include "formats/aax/AAX_CPacketBuffer.h"

AAX_CPacketBuffer::AAX_CPacketBuffer()
    : bytes (8, 0)
{
}

uint8_t* AAX_CPacketBuffer::Resize (size_t byteCount)
{
    bytes.resize (byteCount > 0 ? byteCount : 1, 0);
    return bytes.data();
}
