#pragma once

#include "formats/aax/host/HostObject.h"

#include <map>
#include <vector>

// The objects the host's factory makes for a plug-in: every operation is
// recorded in the context's log and answers what the switches (or the object's
// own answer) say. Objects handed over are kept, as a host keeps them.

/** The host's services object: keeps every trace in the context as well. */
class HostServicesObject final : public HostUnknownImpl<AAX_IACFHostServices>
{
public:
    explicit HostServicesObject (HostContext& context)
        : HostUnknownImpl (context, "hostServices")
    {
    }

    AAX_Result Report (const char* first, int32_t number, const char* second) override { return recorded ("Report", first, number, second); }

    AAX_Result Trace (int32_t priority, const char* text) override
    {
        context().addTrace (priority, text);
        return recorded ("Trace", priority, text);
    }
};

/** The host's collection. It is also the definition the registration export hands back. */
class HostCollection final : public HostUnknownImpl<AAX_IACFCollection, IACFDefinition>
{
public:
    explicit HostCollection (HostContext& context)
        : HostUnknownImpl (context, "collection")
    {
    }

    AAX_Result UnusedSlot3() override { return recorded ("UnusedSlot3"); }
    AAX_Result UnusedSlot4() override { return recorded ("UnusedSlot4"); }
    AAX_Result UnusedSlot5() override { return recorded ("UnusedSlot5"); }
    AAX_Result UnusedSlot6() override { return recorded ("UnusedSlot6"); }
    AAX_Result AddEffect (const char* effectID, IACFUnknown* effect) override { return keep (effect, recorded ("AddEffect", effectID, effect)); }
    AAX_Result SetManufacturerName (const char* name) override { return recorded ("SetManufacturerName", name); }
    AAX_Result AddPackageName (const char* name) override { return recorded ("AddPackageName", name); }
    AAX_Result SetPackageVersion (uint32_t version) override { return recorded ("SetPackageVersion", version); }
    AAX_Result SetProperties (IACFUnknown* properties) override { return keep (properties, recorded ("SetProperties", properties)); }
};

/** The host's effect descriptor, both versions (withhold either through the switches). */
class HostEffectDescriptor final : public HostUnknownImpl<AAX_IACFEffectDescriptor_V2>
{
public:
    explicit HostEffectDescriptor (HostContext& context)
        : HostUnknownImpl (context, "effect")
    {
    }

    AAX_Result AddComponent (IACFUnknown* component) override { return keep (component, recorded ("AddComponent", component)); }
    AAX_Result AddName (const char* name) override { return recorded ("AddName", name); }
    AAX_Result AddCategory (uint32_t category) override { return recorded ("AddCategory", category); }
    AAX_Result AddCategoryBypassParameter (uint32_t category, const char* parameterID) override { return recorded ("AddCategoryBypassParameter", category, parameterID); }
    AAX_Result AddProcPtr (void* routine, uint32_t routineID) override;
    AAX_Result SetProperties (IACFUnknown* properties) override { return keep (properties, recorded ("SetProperties", properties)); }
    AAX_Result AddResourceInfo (uint32_t resourceType, const char* info) override { return recorded ("AddResourceInfo", resourceType, info); }
    AAX_Result AddMeterDescription (uint32_t meterID, const char* name, IACFUnknown* properties) override { return keep (properties, recorded ("AddMeterDescription", meterID, name, properties)); }
    AAX_Result AddControlMIDINode (uint32_t nodeID, uint32_t nodeType, const char* name, uint32_t channelMask) override { return recorded ("AddControlMIDINode", nodeID, nodeType, name, channelMask); }
};

/**
    The host's component descriptor, both versions. The fields and routines it
    is given go to the context's registration, so that the host can run the
    plug-in later; routine identifiers are handed out from kFirstRoutineID.
*/
class HostComponentDescriptor final : public HostUnknownImpl<AAX_IACFComponentDescriptor_V2>
{
public:
    explicit HostComponentDescriptor (HostContext& context)
        : HostUnknownImpl (context, "component")
    {
    }

    AAX_Result Clear() override { return recorded ("Clear"); }
    AAX_Result AddReservedField (uint32_t fieldIndex, uint32_t fieldType) override { return recorded ("AddReservedField", fieldIndex, fieldType); }
    AAX_Result AddAudioIn (uint32_t fieldIndex) override { return field (fieldIndex, Kind::audioIn, 0, recorded ("AddAudioIn", fieldIndex)); }
    AAX_Result AddAudioOut (uint32_t fieldIndex) override { return field (fieldIndex, Kind::audioOut, 0, recorded ("AddAudioOut", fieldIndex)); }
    AAX_Result AddAudioBufferLength (uint32_t fieldIndex) override { return field (fieldIndex, Kind::bufferLength, 0, recorded ("AddAudioBufferLength", fieldIndex)); }
    AAX_Result AddSampleRate (uint32_t fieldIndex) override { return recorded ("AddSampleRate", fieldIndex); }
    AAX_Result AddClock (uint32_t fieldIndex) override { return recorded ("AddClock", fieldIndex); }
    AAX_Result AddSideChainIn (uint32_t fieldIndex) override { return recorded ("AddSideChainIn", fieldIndex); }
    AAX_Result AddDataInPort (uint32_t fieldIndex, uint32_t packetSize, uint32_t portType) override { return field (fieldIndex, Kind::dataInPort, packetSize, recorded ("AddDataInPort", fieldIndex, packetSize, portType)); }
    AAX_Result AddAuxOutputStem (uint32_t fieldIndex, int32_t stemFormat, const char* name) override { return recorded ("AddAuxOutputStem", fieldIndex, stemFormat, name); }
    AAX_Result AddPrivateData (uint32_t fieldIndex, int32_t dataSize, uint32_t options) override;
    AAX_Result AddDmaInstance (uint32_t fieldIndex, uint32_t dmaMode) override { return recorded ("AddDmaInstance", fieldIndex, dmaMode); }
    AAX_Result AddMIDINode (uint32_t fieldIndex, uint32_t nodeType, const char* name, uint32_t channelMask) override { return field (fieldIndex, Kind::midiNode, 0, recorded ("AddMIDINode", fieldIndex, nodeType, name, channelMask)); }
    AAX_Result AddProcessProc_Native (AAX_ProcessRoutine process, IACFUnknown* properties, AAX_InstanceInitRoutine instanceInit, AAX_BackgroundRoutine background, uint32_t* outRoutineID) override;
    AAX_Result AddProcessProc_TI (const char* library, const char* process, IACFUnknown* properties, const char* instanceInit, const char* background, uint32_t* outRoutineID) override;
    AAX_Result AddMeters (uint32_t fieldIndex, const uint32_t* meterIDs, uint32_t meterCount) override;
    AAX_Result AddTemporaryData (uint32_t fieldIndex, uint32_t elementSize) override { return recorded ("AddTemporaryData", fieldIndex, elementSize); }

    static constexpr uint32_t kFirstRoutineID = 100;

private:
    using Kind = HostRegistration::FieldKind;

    AAX_Result field (uint32_t fieldIndex, Kind kind, uint32_t size, AAX_Result answer)
    {
        context().registration.addField (fieldIndex, kind, size);
        return answer;
    }

    AAX_Result routineAdded (IACFUnknown* properties, uint32_t* outRoutineID, AAX_Result answer);

    uint32_t nextRoutineID = kFirstRoutineID;
};

/** The host's property map, both versions: it stores what it is given and answers from it. */
class HostPropertyMap final : public HostUnknownImpl<AAX_IACFPropertyMap_V2>
{
public:
    explicit HostPropertyMap (HostContext& context)
        : HostUnknownImpl (context, "properties")
    {
    }

    /**
        Whether the property is there: 0 when it is not; 1 when it is, or the
        failure code every operation answers, when a test set one (so that a
        test sees which part of the host's answer comes back).
    */
    int32_t GetProperty (AAX_PropertyID property, AAX_PropertyValue* outValue) override;
    AAX_Result AddProperty (AAX_PropertyID property, AAX_PropertyValue value) override;
    AAX_Result RemoveProperty (AAX_PropertyID property) override;
    AAX_Result AddPropertyWithIDArray (AAX_PropertyID property, const AAX_PropertyIDRecord* records, uint32_t recordCount) override;
    int32_t GetPropertyWithIDArray (AAX_PropertyID property, const AAX_PropertyIDRecord** outRecords, uint32_t* outRecordCount) override;

private:
    int32_t presentAnswer() const { return operationResult() != kAAX_Success ? operationResult() : 1; }

    std::map<AAX_PropertyID, AAX_PropertyValue> values;
    std::map<AAX_PropertyID, std::vector<AAX_PropertyIDRecord>> arrays;
};
