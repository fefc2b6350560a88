#include "formats/aax/AAX_VComponentDescriptor.h"

#include "formats/aax/AAX_CreateHostObject.h"
#include "formats/aax/AAX_HostForwarding.h"

AAX_VComponentDescriptor::AAX_VComponentDescriptor (IACFUnknown* unknown)
{
    hostUnknown.retain (unknown);
    AAX_CreateHostObject (unknown, kClassID_ComponentDescriptor, kIID_AAX_IACFComponentDescriptor, componentDescriptor);
    AAX_QuerySecondVersion (componentDescriptor, kIID_AAX_IACFComponentDescriptor_V2, componentDescriptorV2);
}

AAX_VComponentDescriptor::~AAX_VComponentDescriptor()
{
    propertyMaps.clear();
    componentDescriptorV2.reset();
    componentDescriptor.reset();
    hostUnknown.reset();
}

IACFUnknown* AAX_VComponentDescriptor::HostUnknownOf (const AAX_IComponentDescriptor* componentDescriptor)
{
    const auto* wrapper = dynamic_cast<const AAX_VComponentDescriptor*> (componentDescriptor);
    return wrapper != nullptr ? wrapper->GetIUnknown() : nullptr;
}

AAX_Result AAX_VComponentDescriptor::Clear()
{
    return AAX_ForwardToHost (componentDescriptor, kAAX_ErrorNullObject, &AAX_IACFComponentDescriptor::Clear);
}

AAX_Result AAX_VComponentDescriptor::AddAudioIn (uint32_t fieldIndex)
{
    return AAX_ForwardToHost (componentDescriptor, kAAX_ErrorNullObject, &AAX_IACFComponentDescriptor::AddAudioIn, fieldIndex);
}

AAX_Result AAX_VComponentDescriptor::AddAudioOut (uint32_t fieldIndex)
{
    return AAX_ForwardToHost (componentDescriptor, kAAX_ErrorNullObject, &AAX_IACFComponentDescriptor::AddAudioOut, fieldIndex);
}

AAX_Result AAX_VComponentDescriptor::AddAudioBufferLength (uint32_t fieldIndex)
{
    return AAX_ForwardToHost (componentDescriptor, kAAX_ErrorNullObject, &AAX_IACFComponentDescriptor::AddAudioBufferLength, fieldIndex);
}

AAX_Result AAX_VComponentDescriptor::AddSampleRate (uint32_t fieldIndex)
{
    return AAX_ForwardToHost (componentDescriptor, kAAX_ErrorNullObject, &AAX_IACFComponentDescriptor::AddSampleRate, fieldIndex);
}

AAX_Result AAX_VComponentDescriptor::AddClock (uint32_t fieldIndex)
{
    return AAX_ForwardToHost (componentDescriptor, kAAX_ErrorNullObject, &AAX_IACFComponentDescriptor::AddClock, fieldIndex);
}

AAX_Result AAX_VComponentDescriptor::AddSideChainIn (uint32_t fieldIndex)
{
    return AAX_ForwardToHost (componentDescriptor, kAAX_ErrorNullObject, &AAX_IACFComponentDescriptor::AddSideChainIn, fieldIndex);
}

AAX_Result AAX_VComponentDescriptor::AddDataInPort (uint32_t fieldIndex, uint32_t packetSize, uint32_t portType)
{
    return AAX_ForwardToHost (componentDescriptor, kAAX_ErrorNullObject, &AAX_IACFComponentDescriptor::AddDataInPort, fieldIndex, packetSize, portType);
}

AAX_Result AAX_VComponentDescriptor::AddAuxOutputStem (uint32_t fieldIndex, int32_t stemFormat, const char* name)
{
    return AAX_ForwardToHost (componentDescriptor, kAAX_ErrorNullObject, &AAX_IACFComponentDescriptor::AddAuxOutputStem, fieldIndex, stemFormat, name);
}

AAX_Result AAX_VComponentDescriptor::AddPrivateData (uint32_t fieldIndex, int32_t dataSize, uint32_t options)
{
    return AAX_ForwardToHost (componentDescriptor, kAAX_ErrorNullObject, &AAX_IACFComponentDescriptor::AddPrivateData, fieldIndex, dataSize, options);
}

AAX_Result AAX_VComponentDescriptor::AddTemporaryData (uint32_t fieldIndex, uint32_t elementSize)
{
    return AAX_ForwardToHost (componentDescriptorV2, kAAX_ErrorUnsupported, &AAX_IACFComponentDescriptor_V2::AddTemporaryData, fieldIndex, elementSize);
}

AAX_Result AAX_VComponentDescriptor::AddDmaInstance (uint32_t fieldIndex, uint32_t dmaMode)
{
    return AAX_ForwardToHost (componentDescriptor, kAAX_ErrorNullObject, &AAX_IACFComponentDescriptor::AddDmaInstance, fieldIndex, dmaMode);
}

AAX_Result AAX_VComponentDescriptor::AddMeters (uint32_t fieldIndex, const uint32_t* meterIDs, uint32_t meterCount)
{
    return AAX_ForwardToHost (componentDescriptor, kAAX_ErrorNullObject, &AAX_IACFComponentDescriptor::AddMeters, fieldIndex, meterIDs, meterCount);
}

AAX_Result AAX_VComponentDescriptor::AddMIDINode (uint32_t fieldIndex, uint32_t nodeType, const char* name, uint32_t channelMask)
{
    return AAX_ForwardToHost (componentDescriptor, kAAX_ErrorNullObject, &AAX_IACFComponentDescriptor::AddMIDINode, fieldIndex, nodeType, name, channelMask);
}

AAX_Result AAX_VComponentDescriptor::AddReservedField (uint32_t fieldIndex, uint32_t fieldType)
{
    return AAX_ForwardToHost (componentDescriptor, kAAX_ErrorNullObject, &AAX_IACFComponentDescriptor::AddReservedField, fieldIndex, fieldType);
}

AAX_IPropertyMap* AAX_VComponentDescriptor::NewPropertyMap()
{
    propertyMaps.push_back (std::make_unique<AAX_VPropertyMap> (hostUnknown.get()));
    return propertyMaps.back().get();
}

AAX_IPropertyMap* AAX_VComponentDescriptor::DuplicatePropertyMap (AAX_IPropertyMap* source)
{
    auto* copy = NewPropertyMap();

    if (source == nullptr)
        return copy;

    for (auto property = kFirstCopiedProperty; property <= kLastCopiedProperty; ++property)
    {
        AAX_PropertyValue value = 0;

        if (source->GetProperty (property, &value) != 0)
            copy->AddProperty (property, value);
    }

    return copy;
}

AAX_Result AAX_VComponentDescriptor::AddProcessProc_Native (AAX_ProcessRoutine processRoutine,
                                                            AAX_IPropertyMap* properties,
                                                            AAX_InstanceInitRoutine instanceInitRoutine,
                                                            AAX_BackgroundRoutine backgroundRoutine,
                                                            uint32_t* outRoutineID)
{
    return AAX_ForwardToHost (componentDescriptor,
                              kAAX_ErrorNullObject,
                              &AAX_IACFComponentDescriptor::AddProcessProc_Native,
                              processRoutine,
                              AAX_VPropertyMap::HostUnknownOf (properties),
                              instanceInitRoutine,
                              backgroundRoutine,
                              outRoutineID);
}

AAX_Result AAX_VComponentDescriptor::AddProcessProc_TI (const char* libraryFileName,
                                                        const char* processSymbol,
                                                        AAX_IPropertyMap* properties,
                                                        const char* instanceInitSymbol,
                                                        const char* backgroundSymbol,
                                                        uint32_t* outRoutineID)
{
    return AAX_ForwardToHost (componentDescriptor,
                              kAAX_ErrorNullObject,
                              &AAX_IACFComponentDescriptor::AddProcessProc_TI,
                              libraryFileName,
                              processSymbol,
                              AAX_VPropertyMap::HostUnknownOf (properties),
                              instanceInitSymbol,
                              backgroundSymbol,
                              outRoutineID);
}
