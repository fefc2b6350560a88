#include "formats/aax/host/HostRegistration.h"

void HostRegistration::addRoutine (uint32_t routineID, void* routineAddress)
{
    const std::lock_guard<std::mutex> guard (lock);
    routines[routineID] = routineAddress;
}

void HostRegistration::addProcessRoutine (AAX_ProcessRoutine routineAddress)
{
    const std::lock_guard<std::mutex> guard (lock);
    processRoutines.push_back (routineAddress);
}

void HostRegistration::addField (uint32_t index, FieldKind kind, uint32_t size)
{
    const std::lock_guard<std::mutex> guard (lock);
    declaredFields.push_back ({ index, kind, size });
}

void* HostRegistration::routine (uint32_t routineID) const
{
    const std::lock_guard<std::mutex> guard (lock);
    const auto found = routines.find (routineID);
    return found != routines.end() ? found->second : nullptr;
}

AAX_ProcessRoutine HostRegistration::processRoutine() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return processRoutines.empty() ? nullptr : processRoutines.back();
}

std::vector<HostRegistration::Field> HostRegistration::fields() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return declaredFields;
}
