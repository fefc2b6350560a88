#pragma once

#include "formats/aax/AAX_Types.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <vector>

/**
    What a plug-in registered with the host's descriptors, kept the way a host
    keeps it to run the plug-in later: the routines by routine identifier, the
    process routines, and the fields of the per-instance context block in the
    order they were declared.
*/
class HostRegistration
{
public:
    enum class FieldKind
    {
        audioIn,
        audioOut,
        bufferLength,
        dataInPort,
        midiNode,
        privateData,
        other
    };

    struct Field
    {
        uint32_t index;
        FieldKind kind;
        uint32_t size; // bytes of a data port's packet or of private data; 0 otherwise
    };

    void addRoutine (uint32_t routineID, void* routine);
    void addProcessRoutine (AAX_ProcessRoutine routine);
    void addField (uint32_t index, FieldKind kind, uint32_t size = 0);

    /** The routine registered last under routineID, or null. */
    void* routine (uint32_t routineID) const;

    /** The process routine registered last, or null. */
    AAX_ProcessRoutine processRoutine() const;

    std::vector<Field> fields() const;

private:
    mutable std::mutex lock;
    std::map<uint32_t, void*> routines;
    std::vector<AAX_ProcessRoutine> processRoutines;
    std::vector<Field> declaredFields;
};
