#include "formats/aax/host/HostComponentDescriptor.h"

#include "formats/aax/AAX_Identifiers.h"

HostComponentDescriptor::HostComponentDescriptor (HostContext& context)
    : HostUnknownImpl (context, "component")
{
}

AAX_Result HostComponentDescriptor::Clear()
{
    record ("Clear");
    return operationResult();
}

AAX_Result HostComponentDescriptor::AddReservedField (uint32_t fieldIndex, uint32_t fieldType)
{
    record ("AddReservedField", fieldIndex, fieldType);
    return operationResult();
}

AAX_Result HostComponentDescriptor::AddAudioIn (uint32_t fieldIndex)
{
    record ("AddAudioIn", fieldIndex);
    context().registration.addField (fieldIndex, HostRegistration::FieldKind::audioIn);
    return operationResult();
}

AAX_Result HostComponentDescriptor::AddAudioOut (uint32_t fieldIndex)
{
    record ("AddAudioOut", fieldIndex);
    context().registration.addField (fieldIndex, HostRegistration::FieldKind::audioOut);
    return operationResult();
}

AAX_Result HostComponentDescriptor::AddAudioBufferLength (uint32_t fieldIndex)
{
    record ("AddAudioBufferLength", fieldIndex);
    context().registration.addField (fieldIndex, HostRegistration::FieldKind::bufferLength);
    return operationResult();
}

AAX_Result HostComponentDescriptor::AddSampleRate (uint32_t fieldIndex)
{
    record ("AddSampleRate", fieldIndex);
    return operationResult();
}

AAX_Result HostComponentDescriptor::AddClock (uint32_t fieldIndex)
{
    record ("AddClock", fieldIndex);
    return operationResult();
}

AAX_Result HostComponentDescriptor::AddSideChainIn (uint32_t fieldIndex)
{
    record ("AddSideChainIn", fieldIndex);
    return operationResult();
}

AAX_Result HostComponentDescriptor::AddDataInPort (uint32_t fieldIndex, uint32_t packetSize, uint32_t portType)
{
    record ("AddDataInPort", fieldIndex, packetSize, portType);
    context().registration.addField (fieldIndex, HostRegistration::FieldKind::dataInPort, packetSize);
    return operationResult();
}

AAX_Result HostComponentDescriptor::AddAuxOutputStem (uint32_t fieldIndex, int32_t stemFormat, const char* name)
{
    record ("AddAuxOutputStem", fieldIndex, stemFormat, name);
    return operationResult();
}

AAX_Result HostComponentDescriptor::AddPrivateData (uint32_t fieldIndex, int32_t dataSize, uint32_t options)
{
    record ("AddPrivateData", fieldIndex, dataSize, options);
    context().registration.addField (fieldIndex, HostRegistration::FieldKind::privateData, dataSize > 0 ? static_cast<uint32_t> (dataSize) : 0u);
    return operationResult();
}

AAX_Result HostComponentDescriptor::AddDmaInstance (uint32_t fieldIndex, uint32_t dmaMode)
{
    record ("AddDmaInstance", fieldIndex, dmaMode);
    return operationResult();
}

AAX_Result HostComponentDescriptor::AddMIDINode (uint32_t fieldIndex, uint32_t nodeType, const char* name, uint32_t channelMask)
{
    record ("AddMIDINode", fieldIndex, nodeType, name, channelMask);
    context().registration.addField (fieldIndex, HostRegistration::FieldKind::midiNode);
    return operationResult();
}

AAX_Result HostComponentDescriptor::AddProcessProc_Native (AAX_ProcessRoutine processRoutine,
                                                           IACFUnknown* propertyMap,
                                                           AAX_InstanceInitRoutine instanceInitRoutine,
                                                           AAX_BackgroundRoutine backgroundRoutine,
                                                           uint32_t* outRoutineID)
{
    record ("AddProcessProc_Native",
            HostCallLog::routineText (processRoutine),
            propertyMap,
            HostCallLog::routineText (instanceInitRoutine),
            HostCallLog::routineText (backgroundRoutine),
            outRoutineID);
    keep (propertyMap);
    context().registration.addProcessRoutine (processRoutine);

    if (outRoutineID != nullptr)
        *outRoutineID = nextRoutineID++;

    return operationResult();
}

AAX_Result HostComponentDescriptor::AddProcessProc_TI (const char* libraryFileName,
                                                       const char* processSymbol,
                                                       IACFUnknown* propertyMap,
                                                       const char* instanceInitSymbol,
                                                       const char* backgroundSymbol,
                                                       uint32_t* outRoutineID)
{
    record ("AddProcessProc_TI", libraryFileName, processSymbol, propertyMap, instanceInitSymbol, backgroundSymbol, outRoutineID);
    keep (propertyMap);

    if (outRoutineID != nullptr)
        *outRoutineID = nextRoutineID++;

    return operationResult();
}

AAX_Result HostComponentDescriptor::AddMeters (uint32_t fieldIndex, const uint32_t* meterIDs, uint32_t meterCount)
{
    std::string identifiers = "[";

    for (uint32_t i = 0; meterIDs != nullptr && i < meterCount; ++i)
        identifiers += (i == 0 ? "" : " ") + std::to_string (meterIDs[i]);

    record ("AddMeters", fieldIndex, identifiers + "]", meterCount);
    return operationResult();
}

AAX_Result HostComponentDescriptor::AddTemporaryData (uint32_t fieldIndex, uint32_t elementSize)
{
    record ("AddTemporaryData", fieldIndex, elementSize);
    return operationResult();
}

void* HostComponentDescriptor::findInterface (const ACFGuid& interfaceID)
{
    if (interfaceID == kIID_IACFUnknown)
        return unknown();

    if (interfaceID == kIID_AAX_IACFComponentDescriptor)
        return static_cast<AAX_IACFComponentDescriptor*> (this);

    if (interfaceID == kIID_AAX_IACFComponentDescriptor_V2)
        return static_cast<AAX_IACFComponentDescriptor_V2*> (this);

    return nullptr;
}
