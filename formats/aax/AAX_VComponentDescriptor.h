#pragma once

#include "formats/aax/AAX_IACFComponentDescriptor.h"
#include "formats/aax/AAX_IComponentDescriptor.h"
#include "formats/aax/AAX_VPropertyMap.h"
#include "formats/aax/ACFPtr.h"

#include <memory>
#include <vector>

/**
    Wraps a component descriptor the host makes through its factory, and owns
    the property maps made through it. Without the host's descriptor every
    forwarding operation answers kAAX_ErrorNullObject; without its second version
    AddTemporaryData answers kAAX_ErrorUnsupported.
*/
class AAX_VComponentDescriptor : public AAX_IComponentDescriptor
{
public:
    /** hostUnknown may be null; a reference to it is kept for making property maps. */
    explicit AAX_VComponentDescriptor (IACFUnknown* hostUnknown);
    ~AAX_VComponentDescriptor() override;

    AAX_VComponentDescriptor (const AAX_VComponentDescriptor&) = delete;
    AAX_VComponentDescriptor& operator= (const AAX_VComponentDescriptor&) = delete;

    AAX_Result Clear() override;
    AAX_Result AddAudioIn (uint32_t fieldIndex) override;
    AAX_Result AddAudioOut (uint32_t fieldIndex) override;
    AAX_Result AddAudioBufferLength (uint32_t fieldIndex) override;
    AAX_Result AddSampleRate (uint32_t fieldIndex) override;
    AAX_Result AddClock (uint32_t fieldIndex) override;
    AAX_Result AddSideChainIn (uint32_t fieldIndex) override;
    AAX_Result AddDataInPort (uint32_t fieldIndex, uint32_t packetSize, uint32_t portType) override;
    AAX_Result AddAuxOutputStem (uint32_t fieldIndex, int32_t stemFormat, const char* name) override;
    AAX_Result AddPrivateData (uint32_t fieldIndex, int32_t dataSize, uint32_t options) override;
    AAX_Result AddTemporaryData (uint32_t fieldIndex, uint32_t elementSize) override;
    AAX_Result AddDmaInstance (uint32_t fieldIndex, uint32_t dmaMode) override;
    AAX_Result AddMeters (uint32_t fieldIndex, const uint32_t* meterIDs, uint32_t meterCount) override;
    AAX_Result AddMIDINode (uint32_t fieldIndex, uint32_t nodeType, const char* name, uint32_t channelMask) override;
    AAX_Result AddReservedField (uint32_t fieldIndex, uint32_t fieldType) override;

    AAX_IPropertyMap* NewPropertyMap() override;

    /**
        Copies properties 10 to 351 that source holds into a new map of this
        descriptor. A null source gives a new, empty map.
    */
    AAX_IPropertyMap* DuplicatePropertyMap (AAX_IPropertyMap* source) override;

    AAX_Result AddProcessProc_Native (AAX_ProcessRoutine processRoutine,
                                      AAX_IPropertyMap* properties,
                                      AAX_InstanceInitRoutine instanceInitRoutine,
                                      AAX_BackgroundRoutine backgroundRoutine,
                                      uint32_t* outRoutineID) override;

    AAX_Result AddProcessProc_TI (const char* libraryFileName,
                                  const char* processSymbol,
                                  AAX_IPropertyMap* properties,
                                  const char* instanceInitSymbol,
                                  const char* backgroundSymbol,
                                  uint32_t* outRoutineID) override;

    /** The host's descriptor as the IACFUnknown to pass back to the host (null when absent). */
    IACFUnknown* GetIUnknown() const { return componentDescriptor.asUnknown(); }

    /** GetIUnknown of a component descriptor made by this library; null for null or any other kind. */
    static IACFUnknown* HostUnknownOf (const AAX_IComponentDescriptor* componentDescriptor);

    /** The property numbers DuplicatePropertyMap copies. */
    static constexpr AAX_PropertyID kFirstCopiedProperty = 10;
    static constexpr AAX_PropertyID kLastCopiedProperty = 351;

private:
    ACFPtr<IACFUnknown> hostUnknown;
    ACFPtr<AAX_IACFComponentDescriptor> componentDescriptor;
    ACFPtr<AAX_IACFComponentDescriptor_V2> componentDescriptorV2;
    std::vector<std::unique_ptr<AAX_VPropertyMap>> propertyMaps;
};
