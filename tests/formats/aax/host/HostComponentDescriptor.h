#pragma once

#include "formats/aax/AAX_IACFComponentDescriptor.h"
#include "formats/aax/host/HostObject.h"

/** The host's component descriptor, both versions (withhold either through the switches). */
class HostComponentDescriptor final : public HostUnknownImpl<AAX_IACFComponentDescriptor_V2>
{
public:
    explicit HostComponentDescriptor (HostContext& context);

    AAX_Result Clear() override;
    AAX_Result AddReservedField (uint32_t fieldIndex, uint32_t fieldType) override;
    AAX_Result AddAudioIn (uint32_t fieldIndex) override;
    AAX_Result AddAudioOut (uint32_t fieldIndex) override;
    AAX_Result AddAudioBufferLength (uint32_t fieldIndex) override;
    AAX_Result AddSampleRate (uint32_t fieldIndex) override;
    AAX_Result AddClock (uint32_t fieldIndex) override;
    AAX_Result AddSideChainIn (uint32_t fieldIndex) override;
    AAX_Result AddDataInPort (uint32_t fieldIndex, uint32_t packetSize, uint32_t portType) override;
    AAX_Result AddAuxOutputStem (uint32_t fieldIndex, int32_t stemFormat, const char* name) override;
    AAX_Result AddPrivateData (uint32_t fieldIndex, int32_t dataSize, uint32_t options) override;
    AAX_Result AddDmaInstance (uint32_t fieldIndex, uint32_t dmaMode) override;
    AAX_Result AddMIDINode (uint32_t fieldIndex, uint32_t nodeType, const char* name, uint32_t channelMask) override;
    AAX_Result AddProcessProc_Native (AAX_ProcessRoutine processRoutine,
                                      IACFUnknown* propertyMap,
                                      AAX_InstanceInitRoutine instanceInitRoutine,
                                      AAX_BackgroundRoutine backgroundRoutine,
                                      uint32_t* outRoutineID) override;
    AAX_Result AddProcessProc_TI (const char* libraryFileName,
                                  const char* processSymbol,
                                  IACFUnknown* propertyMap,
                                  const char* instanceInitSymbol,
                                  const char* backgroundSymbol,
                                  uint32_t* outRoutineID) override;
    AAX_Result AddMeters (uint32_t fieldIndex, const uint32_t* meterIDs, uint32_t meterCount) override;
    AAX_Result AddTemporaryData (uint32_t fieldIndex, uint32_t elementSize) override;

    /** The routine identifier the next process routine registration hands out. */
    static constexpr uint32_t kFirstRoutineID = 100;

protected:
    void* findInterface (const ACFGuid& interfaceID) override;

private:
    uint32_t nextRoutineID = kFirstRoutineID;
};
