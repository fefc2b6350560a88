#include "formats/aax/host/HostFactoryObjects.h"

AAX_Result HostEffectDescriptor::AddProcPtr (void* routine, uint32_t routineID)
{
    context().registration.addRoutine (routineID, routine);
    return recorded ("AddProcPtr", HostCallLog::routineText (routine), routineID);
}

//==============================================================================
AAX_Result HostComponentDescriptor::AddPrivateData (uint32_t fieldIndex, int32_t dataSize, uint32_t options)
{
    const auto size = dataSize > 0 ? static_cast<uint32_t> (dataSize) : 0u;
    return field (fieldIndex, Kind::privateData, size, recorded ("AddPrivateData", fieldIndex, dataSize, options));
}

AAX_Result HostComponentDescriptor::AddProcessProc_Native (AAX_ProcessRoutine process,
                                                           IACFUnknown* properties,
                                                           AAX_InstanceInitRoutine instanceInit,
                                                           AAX_BackgroundRoutine background,
                                                           uint32_t* outRoutineID)
{
    context().registration.addProcessRoutine (process);
    const auto answer = recorded ("AddProcessProc_Native",
                                  HostCallLog::routineText (process),
                                  properties,
                                  HostCallLog::routineText (instanceInit),
                                  HostCallLog::routineText (background),
                                  outRoutineID);
    return routineAdded (properties, outRoutineID, answer);
}

AAX_Result HostComponentDescriptor::AddProcessProc_TI (const char* library,
                                                       const char* process,
                                                       IACFUnknown* properties,
                                                       const char* instanceInit,
                                                       const char* background,
                                                       uint32_t* outRoutineID)
{
    const auto answer = recorded ("AddProcessProc_TI", library, process, properties, instanceInit, background, outRoutineID);
    return routineAdded (properties, outRoutineID, answer);
}

AAX_Result HostComponentDescriptor::routineAdded (IACFUnknown* properties, uint32_t* outRoutineID, AAX_Result answer)
{
    if (outRoutineID != nullptr)
        *outRoutineID = nextRoutineID++;

    return keep (properties, answer);
}

AAX_Result HostComponentDescriptor::AddMeters (uint32_t fieldIndex, const uint32_t* meterIDs, uint32_t meterCount)
{
    std::string identifiers = "[";

    for (uint32_t i = 0; meterIDs != nullptr && i < meterCount; ++i)
        identifiers += (i == 0 ? "" : " ") + std::to_string (meterIDs[i]);

    return recorded ("AddMeters", fieldIndex, identifiers + "]", meterCount);
}

//==============================================================================
int32_t HostPropertyMap::GetProperty (AAX_PropertyID property, AAX_PropertyValue* outValue)
{
    record ("GetProperty", property, outValue);
    const auto found = values.find (property);
    return found != values.end() ? write (outValue, found->second, presentAnswer()) : 0;
}

AAX_Result HostPropertyMap::AddProperty (AAX_PropertyID property, AAX_PropertyValue value)
{
    values[property] = value;
    return recorded ("AddProperty", property, value);
}

AAX_Result HostPropertyMap::RemoveProperty (AAX_PropertyID property)
{
    values.erase (property);
    return recorded ("RemoveProperty", property);
}

AAX_Result HostPropertyMap::AddPropertyWithIDArray (AAX_PropertyID property, const AAX_PropertyIDRecord* records, uint32_t recordCount)
{
    if (records != nullptr)
        arrays[property].assign (records, records + recordCount);

    return recorded ("AddPropertyWithIDArray", property, records, recordCount);
}

int32_t HostPropertyMap::GetPropertyWithIDArray (AAX_PropertyID property, const AAX_PropertyIDRecord** outRecords, uint32_t* outRecordCount)
{
    record ("GetPropertyWithIDArray", property, outRecords, outRecordCount);
    const auto found = arrays.find (property);

    if (found == arrays.end())
        return 0;

    write (outRecordCount, static_cast<uint32_t> (found->second.size()), 0);
    return write (outRecords, static_cast<const AAX_PropertyIDRecord*> (found->second.data()), presentAnswer());
}
