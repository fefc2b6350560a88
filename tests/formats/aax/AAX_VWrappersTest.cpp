// Every host-interface wrapper keeps one promise: each operation calls one
// slot of the host's interface with its arguments unchanged and hands back
// the host's answer; without that interface the host is not called and the
// operation answers its own code (as a rule -20004 for a first-version
// interface, -20009 for a second, false for a boolean query); and every
// reference the wrapper took is given back. The promise is written once, over
// a table of every wrapper operation, and checked against every way the host
// can fail to supply an interface.

#include "formats/aax/AAX_VAutomationDelegate.h"
#include "formats/aax/AAX_VCollection.h"
#include "formats/aax/AAX_VController.h"
#include "formats/aax/AAX_VHostServices.h"
#include "formats/aax/AAX_VTransport.h"
#include "formats/aax/AAX_VViewContainer.h"
#include "formats/aax/VirtualSlot.h"
#include "formats/aax/host/AAXHostTest.h"
#include "formats/aax/host/HostEffectInstance.h"
#include "formats/aax/host/HostViewContainer.h"

#include <gmock/gmock.h>

#include <functional>
#include <string>
#include <type_traits>
#include <vector>

namespace
{
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A host answer unlike any code of the library; its low byte is a boolean true.
constexpr AAX_Result kHostCode = 0x0201;
constexpr int32_t kWindowType = 2;
int nativeWindow = 0;
int routine = 0;

void processStub (void* const[], const void*) {}

/**
    Every wrapper of the library on one host: those made through the host's
    factory on its root unknown, the run-time ones on an instance's and a
    window's unknown (all null for a host that gives none). Children made
    through the wrappers stand ready to be handed back to the host, and the
    property map holds a property and an identifier array to be asked for.
*/
struct Wrappers
{
    Wrappers (IACFUnknown* root, IACFUnknown* instance, IACFUnknown* window)
        : collection (root)
        , effect (root)
        , component (root)
        , properties (root)
        , services (root)
        , controller (instance)
        , automation (instance)
        , transport (instance)
        , view (window)
    {
        const AAX_PropertyIDRecord record { 1, 2, 3 };
        properties.AddProperty (11, -5);
        properties.AddPropertyWithIDArray (40, &record, 1);
    }

    AAX_VCollection collection;
    AAX_VEffectDescriptor effect;
    AAX_VComponentDescriptor component;
    AAX_VPropertyMap properties;
    AAX_VHostServices services;
    AAX_VController controller;
    AAX_VAutomationDelegate automation;
    AAX_VTransport transport;
    AAX_VViewContainer view;
    AAX_IEffectDescriptor* madeEffect = collection.NewDescriptor();
    AAX_IComponentDescriptor* madeComponent = effect.NewComponentDescriptor();
    AAX_IPropertyMap* madeProperties = effect.NewPropertyMap();
};

const auto madeEffect = [] (Wrappers& all)
{ return all.madeEffect; };
const auto madeComponent = [] (Wrappers& all)
{ return all.madeComponent; };
const auto madeProperties = [] (Wrappers& all)
{ return all.madeProperties; };

template <typename Argument>
auto resolve (const Argument& argument, Wrappers& all)
{
    if constexpr (std::is_invocable_v<Argument, Wrappers&>)
        return argument (all);
    else
        return argument;
}

template <typename Value>
int64_t asNumber (Value value)
{
    if constexpr (std::is_pointer_v<Value>)
        return static_cast<int64_t> (reinterpret_cast<intptr_t> (value));
    else
        return static_cast<int64_t> (value);
}

template <typename>
struct HostInterfaceOf;

template <typename Result, class Interface, typename... Parameters>
struct HostInterfaceOf<Result (Interface::*) (Parameters...)>
{
    static constexpr bool secondVersion = std::is_same_v<Interface, AAX_IACFEffectDescriptor_V2> || std::is_same_v<Interface, AAX_IACFComponentDescriptor_V2> || std::is_same_v<Interface, AAX_IACFPropertyMap_V2> || std::is_same_v<Interface, AAX_IACFController_V2> || std::is_same_v<Interface, AAX_IACFTransport_V2>;
};

/** How a wrapper reaches its host interfaces. */
struct Kind
{
    std::string name;
    ACFGuid firstVersion;
    const ACFGuid* secondVersion; // null when the wrapper has one version only
    const ACFGuid* madeAs; // the class the host's factory makes; null when queried on the unknown
};

/** One wrapper operation: its slots, its call, what it answers. */
struct Forwarding
{
    std::string name;
    const Kind* kind;
    bool secondVersion;
    long librarySlot, expectedLibrarySlot, hostSlot, expectedHostSlot;
    std::function<int64_t (Wrappers&)> call;
    int64_t whenMissing;
    std::string reaches; // the host's log entry of the call
    int64_t fromHost = kHostCode;
};

Forwarding answering (int64_t fromHost, Forwarding forwarding)
{
    forwarding.fromHost = fromHost;
    return forwarding;
}

/** Makes the rows of one wrapper: library operation and slot, host operation and slot, answer without the interface, the host's log entry, the arguments. */
template <class Wrapper>
struct RowsOf
{
    const Kind& kind;
    Wrapper Wrappers::*wrapper;

    template <typename Operation, typename HostOperation, typename... Arguments>
    Forwarding operator() (Operation operation, long librarySlot, HostOperation hostOperation, long hostSlot, int64_t whenMissing, std::string reaches, Arguments... arguments) const
    {
        const auto start = reaches.find ('.') + 1;
        return { kind.name + "::" + reaches.substr (start, reaches.find ('(') - start),
                 &kind,
                 HostInterfaceOf<HostOperation>::secondVersion,
                 slotOf (operation),
                 librarySlot,
                 slotOf (hostOperation),
                 hostSlot,
                 [member = wrapper, operation, arguments...] (Wrappers& all)
                 { return asNumber (std::invoke (operation, all.*member, resolve (arguments, all)...)); },
                 whenMissing,
                 reaches };
    }
};

constexpr int64_t noObject = kAAX_ErrorNullObject;
constexpr int64_t unsupported = kAAX_ErrorUnsupported;

const Kind collectionKind { "collection", kIID_AAX_IACFCollection, nullptr, &kClassID_Collection };
const Kind effectKind { "effect", kIID_AAX_IACFEffectDescriptor, &kIID_AAX_IACFEffectDescriptor_V2, &kClassID_EffectDescriptor };
const Kind componentKind { "component", kIID_AAX_IACFComponentDescriptor, &kIID_AAX_IACFComponentDescriptor_V2, &kClassID_ComponentDescriptor };
const Kind propertiesKind { "properties", kIID_AAX_IACFPropertyMap, &kIID_AAX_IACFPropertyMap_V2, &kClassID_PropertyMap };
const Kind servicesKind { "hostServices", kIID_AAX_IACFHostServices, nullptr, &kClassID_HostServices };
const Kind controllerKind { "controller", kIID_AAX_IACFController, &kIID_AAX_IACFController_V2, nullptr };
const Kind automationKind { "automation", kIID_AAX_IACFAutomationDelegate, nullptr, nullptr };
const Kind transportKind { "transport", kIID_AAX_IACFTransport, &kIID_AAX_IACFTransport_V2, nullptr };
const Kind viewKind { "view", kIID_AAX_IACFViewContainer, nullptr, nullptr };

const std::vector<Forwarding>& everyForwardingOperation()
{
    const RowsOf<AAX_VCollection> collection { collectionKind, &Wrappers::collection };
    const RowsOf<AAX_VEffectDescriptor> effect { effectKind, &Wrappers::effect };
    const RowsOf<AAX_VComponentDescriptor> component { componentKind, &Wrappers::component };
    const RowsOf<AAX_VPropertyMap> properties { propertiesKind, &Wrappers::properties };
    const RowsOf<AAX_VHostServices> services { servicesKind, &Wrappers::services };
    const RowsOf<AAX_VController> controller { controllerKind, &Wrappers::controller };
    const RowsOf<AAX_VAutomationDelegate> automation { automationKind, &Wrappers::automation };
    const RowsOf<AAX_VTransport> transport { transportKind, &Wrappers::transport };
    const RowsOf<AAX_VViewContainer> view { viewKind, &Wrappers::view };
    const std::string process = HostCallLog::routineText (processStub);

    using C = AAX_IComponentDescriptor;
    using HC = AAX_IACFComponentDescriptor_V2;
    using T = AAX_ITransport;
    using HT = AAX_IACFTransport_V2;

    // clang-format off
    static const std::vector<Forwarding> rows {
        collection (&AAX_ICollection::AddEffect, 3, &AAX_IACFCollection::AddEffect, 7, noObject, "collection#1.AddEffect(\"id\", effect#2)", "id", madeEffect),
        collection (&AAX_ICollection::SetManufacturerName, 4, &AAX_IACFCollection::SetManufacturerName, 8, noObject, "collection#1.SetManufacturerName(\"maker\")", "maker"),
        collection (&AAX_ICollection::AddPackageName, 5, &AAX_IACFCollection::AddPackageName, 9, noObject, "collection#1.AddPackageName(\"package\")", "package"),
        collection (&AAX_ICollection::SetPackageVersion, 6, &AAX_IACFCollection::SetPackageVersion, 10, noObject, "collection#1.SetPackageVersion(66051)", 0x10203u),
        collection (&AAX_ICollection::SetProperties, 8, &AAX_IACFCollection::SetProperties, 11, noObject, "collection#1.SetProperties(properties#2)", madeProperties),
        effect (&AAX_IEffectDescriptor::AddComponent, 3, &AAX_IACFEffectDescriptor::AddComponent, 3, noObject, "effect#1.AddComponent(component#2)", madeComponent),
        effect (&AAX_IEffectDescriptor::AddName, 4, &AAX_IACFEffectDescriptor::AddName, 4, noObject, "effect#1.AddName(\"name\")", "name"),
        effect (&AAX_IEffectDescriptor::AddCategory, 5, &AAX_IACFEffectDescriptor::AddCategory, 5, noObject, "effect#1.AddCategory(512)", 512u),
        effect (&AAX_IEffectDescriptor::AddCategoryBypassParameter, 6, &AAX_IACFEffectDescriptor::AddCategoryBypassParameter, 6, noObject, "effect#1.AddCategoryBypassParameter(4, \"bypass\")", 4u, "bypass"),
        effect (&AAX_IEffectDescriptor::AddProcPtr, 7, &AAX_IACFEffectDescriptor::AddProcPtr, 7, noObject, "effect#1.AddProcPtr(" + HostCallLog::routineText (static_cast<void*> (&routine)) + ", 1)", static_cast<void*> (&routine), 1u),
        effect (&AAX_IEffectDescriptor::SetProperties, 9, &AAX_IACFEffectDescriptor::SetProperties, 8, noObject, "effect#1.SetProperties(null)", nullptr),
        effect (&AAX_IEffectDescriptor::AddResourceInfo, 10, &AAX_IACFEffectDescriptor::AddResourceInfo, 9, noObject, "effect#1.AddResourceInfo(2, \"info\")", 2u, "info"),
        effect (&AAX_IEffectDescriptor::AddMeterDescription, 11, &AAX_IACFEffectDescriptor::AddMeterDescription, 10, noObject, "effect#1.AddMeterDescription(3, \"meter\", properties#2)", 3u, "meter", madeProperties),
        effect (&AAX_IEffectDescriptor::AddControlMIDINode, 12, &AAX_IACFEffectDescriptor_V2::AddControlMIDINode, 11, unsupported, "effect#1.AddControlMIDINode(5, 1, \"control\", 15)", 5u, 1u, "control", 0xFu),
        component (&C::Clear, 2, &HC::Clear, 3, noObject, "component#1.Clear()"),
        component (&C::AddAudioIn, 3, &HC::AddAudioIn, 5, noObject, "component#1.AddAudioIn(0)", 0u),
        component (&C::AddAudioOut, 4, &HC::AddAudioOut, 6, noObject, "component#1.AddAudioOut(1)", 1u),
        component (&C::AddAudioBufferLength, 5, &HC::AddAudioBufferLength, 7, noObject, "component#1.AddAudioBufferLength(2)", 2u),
        component (&C::AddSampleRate, 6, &HC::AddSampleRate, 8, noObject, "component#1.AddSampleRate(3)", 3u),
        component (&C::AddClock, 7, &HC::AddClock, 9, noObject, "component#1.AddClock(4)", 4u),
        component (&C::AddSideChainIn, 8, &HC::AddSideChainIn, 10, noObject, "component#1.AddSideChainIn(5)", 5u),
        component (&C::AddDataInPort, 9, &HC::AddDataInPort, 11, noObject, "component#1.AddDataInPort(6, 4, 1)", 6u, 4u, 1u),
        component (&C::AddAuxOutputStem, 10, &HC::AddAuxOutputStem, 12, noObject, "component#1.AddAuxOutputStem(7, 131074, \"aux\")", 7u, 0x00020002, "aux"),
        component (&C::AddPrivateData, 11, &HC::AddPrivateData, 13, noObject, "component#1.AddPrivateData(8, 16, 2)", 8u, 16, 2u),
        component (&C::AddTemporaryData, 12, &HC::AddTemporaryData, 19, unsupported, "component#1.AddTemporaryData(9, 32)", 9u, 32u),
        component (&C::AddDmaInstance, 13, &HC::AddDmaInstance, 14, noObject, "component#1.AddDmaInstance(10, 1)", 10u, 1u),
        component (&C::AddMeters, 14, &HC::AddMeters, 18, noObject, "component#1.AddMeters(11, [], 0)", 11u, nullptr, 0u),
        component (&C::AddMIDINode, 15, &HC::AddMIDINode, 15, noObject, "component#1.AddMIDINode(12, 2, \"midi\", 255)", 12u, 2u, "midi", 0xFFu),
        component (&C::AddReservedField, 16, &HC::AddReservedField, 4, noObject, "component#1.AddReservedField(13, 5)", 13u, 5u),
        component (&C::AddProcessProc_Native, 19, &HC::AddProcessProc_Native, 16, noObject, "component#1.AddProcessProc_Native(" + process + ", properties#2, null, null, null)", processStub, madeProperties, nullptr, nullptr, nullptr),
        component (&C::AddProcessProc_TI, 20, &HC::AddProcessProc_TI, 17, noObject, "component#1.AddProcessProc_TI(\"lib\", \"process\", null, \"init\", \"background\", null)", "lib", "process", nullptr, "init", "background", nullptr),
        answering (1, properties (&AAX_IPropertyMap::GetProperty, 2, &AAX_IACFPropertyMap_V2::GetProperty, 3, false, "properties#1.GetProperty(11, null)", 11u, nullptr)),
        properties (&AAX_IPropertyMap::AddProperty, 3, &AAX_IACFPropertyMap_V2::AddProperty, 4, noObject, "properties#1.AddProperty(12, -7)", 12u, -7),
        properties (&AAX_IPropertyMap::RemoveProperty, 4, &AAX_IACFPropertyMap_V2::RemoveProperty, 5, noObject, "properties#1.RemoveProperty(11)", 11u),
        properties (&AAX_IPropertyMap::AddPropertyWithIDArray, 5, &AAX_IACFPropertyMap_V2::AddPropertyWithIDArray, 6, unsupported, "properties#1.AddPropertyWithIDArray(41, null, 0)", 41u, nullptr, 0u),
        answering (1, properties (&AAX_IPropertyMap::GetPropertyWithIDArray, 6, &AAX_IACFPropertyMap_V2::GetPropertyWithIDArray, 7, false, "properties#1.GetPropertyWithIDArray(40, null, null)", 40u, nullptr, nullptr)),
        services (&AAX_IHostServices::Report, 2, &AAX_IACFHostServices::Report, 3, noObject, "hostServices#1.Report(\"a\", 9, \"b\")", "a", 9, "b"),
        services (&AAX_IHostServices::Trace, 3, &AAX_IACFHostServices::Trace, 4, noObject, "hostServices#1.Trace(3, \"text\")", 3, "text"),
        controller (&AAX_IController::GetEffectID, 2, &AAX_IACFController_V2::GetEffectID, 3, noObject, "controller#1.GetEffectID(null)", nullptr),
        controller (&AAX_IController::GetSampleRate, 3, &AAX_IACFController_V2::GetSampleRate, 4, noObject, "controller#1.GetSampleRate(null)", nullptr),
        controller (&AAX_IController::GetInputStemFormat, 4, &AAX_IACFController_V2::GetInputStemFormat, 5, noObject, "controller#1.GetInputStemFormat(null)", nullptr),
        controller (&AAX_IController::GetOutputStemFormat, 5, &AAX_IACFController_V2::GetOutputStemFormat, 6, noObject, "controller#1.GetOutputStemFormat(null)", nullptr),
        controller (&AAX_IController::GetSignalLatency, 6, &AAX_IACFController_V2::GetSignalLatency, 7, noObject, "controller#1.GetSignalLatency(null)", nullptr),
        controller (&AAX_IController::GetCycleCount, 7, &AAX_IACFController_V2::GetCycleCount, 8, noObject, "controller#1.GetCycleCount(1, null)", 1u, nullptr),
        controller (&AAX_IController::GetTODLocation, 8, &AAX_IACFController_V2::GetTODLocation, 9, noObject, "controller#1.GetTODLocation(null)", nullptr),
        controller (&AAX_IController::SetSignalLatency, 9, &AAX_IACFController_V2::SetSignalLatency, 10, noObject, "controller#1.SetSignalLatency(1920)", 1920),
        controller (&AAX_IController::SetCycleCount, 10, &AAX_IACFController_V2::SetCycleCount, 11, noObject, "controller#1.SetCycleCount(null, null, 0)", nullptr, nullptr, 0),
        controller (&AAX_IController::PostPacket, 11, &AAX_IACFController_V2::PostPacket, 12, noObject, "controller#1.PostPacket(3, pointer, 1)", 3u, static_cast<const void*> (&routine), 1u),
        controller (&AAX_IController::SendNotification, 12, &AAX_IACFController_V2::SendNotification, 20, unsupported, "controller#1.SendNotification(7, null, 0)", 7u, nullptr, 0u),
        controller (&AAX_IController::GetCurrentMeterValue, 13, &AAX_IACFController_V2::GetCurrentMeterValue, 13, noObject, "controller#1.GetCurrentMeterValue(1, null)", 1u, nullptr),
        controller (&AAX_IController::GetMeterPeakValue, 14, &AAX_IACFController_V2::GetMeterPeakValue, 14, noObject, "controller#1.GetMeterPeakValue(2, null)", 2u, nullptr),
        controller (&AAX_IController::ClearMeterPeakValue, 15, &AAX_IACFController_V2::ClearMeterPeakValue, 15, noObject, "controller#1.ClearMeterPeakValue(3)", 3u),
        controller (&AAX_IController::GetMeterCount, 16, &AAX_IACFController_V2::GetMeterCount, 18, noObject, "controller#1.GetMeterCount(null)", nullptr),
        controller (&AAX_IController::GetMeterClipped, 17, &AAX_IACFController_V2::GetMeterClipped, 16, noObject, "controller#1.GetMeterClipped(4, null)", 4u, nullptr),
        controller (&AAX_IController::ClearMeterClipped, 18, &AAX_IACFController_V2::ClearMeterClipped, 17, noObject, "controller#1.ClearMeterClipped(5)", 5u),
        controller (&AAX_IController::GetNextMIDIPacket, 19, &AAX_IACFController_V2::GetNextMIDIPacket, 19, noObject, "controller#1.GetNextMIDIPacket(null, null)", nullptr, nullptr),
        controller (&AAX_IController::GetHybridSignalLatency, 20, &AAX_IACFController_V2::GetHybridSignalLatency, 21, unsupported, "controller#1.GetHybridSignalLatency(null)", nullptr),
        controller (&AAX_IController::GetPlugInTargetPlatform, 21, &AAX_IACFController_V2::GetPlugInTargetPlatform, 22, unsupported, "controller#1.GetPlugInTargetPlatform(null)", nullptr),
        controller (&AAX_IController::GetIsAudioSuite, 22, &AAX_IACFController_V2::GetIsAudioSuite, 23, unsupported, "controller#1.GetIsAudioSuite(null)", nullptr),
        automation (&AAX_IAutomationDelegate::RegisterParameter, 2, &AAX_IACFAutomationDelegate::RegisterParameter, 3, noObject, "automation#1.RegisterParameter(\"1\")", "1"),
        automation (&AAX_IAutomationDelegate::UnregisterParameter, 3, &AAX_IACFAutomationDelegate::UnregisterParameter, 4, noObject, "automation#1.UnregisterParameter(\"2\")", "2"),
        automation (&AAX_IAutomationDelegate::PostSetValueRequest, 4, &AAX_IACFAutomationDelegate::PostSetValueRequest, 5, noObject, "automation#1.PostSetValueRequest(\"3\", 0.25)", "3", 0.25),
        automation (&AAX_IAutomationDelegate::PostCurrentValue, 5, &AAX_IACFAutomationDelegate::PostCurrentValue, 6, noObject, "automation#1.PostCurrentValue(\"4\", 0.75)", "4", 0.75),
        automation (&AAX_IAutomationDelegate::PostTouchRequest, 6, &AAX_IACFAutomationDelegate::PostTouchRequest, 7, noObject, "automation#1.PostTouchRequest(\"5\")", "5"),
        automation (&AAX_IAutomationDelegate::PostReleaseRequest, 7, &AAX_IACFAutomationDelegate::PostReleaseRequest, 8, noObject, "automation#1.PostReleaseRequest(\"6\")", "6"),
        automation (&AAX_IAutomationDelegate::GetTouchState, 8, &AAX_IACFAutomationDelegate::GetTouchState, 9, noObject, "automation#1.GetTouchState(\"7\", null)", "7", nullptr),
        transport (&T::GetCurrentTempo, 2, &HT::GetCurrentTempo, 3, noObject, "transport#1.GetCurrentTempo(null)", nullptr),
        transport (&T::GetCurrentMeter, 3, &HT::GetCurrentMeter, 4, noObject, "transport#1.GetCurrentMeter(null, null)", nullptr, nullptr),
        transport (&T::IsTransportPlaying, 4, &HT::IsTransportPlaying, 5, noObject, "transport#1.IsTransportPlaying(null)", nullptr),
        transport (&T::GetCurrentTickPosition, 5, &HT::GetCurrentTickPosition, 6, noObject, "transport#1.GetCurrentTickPosition(null)", nullptr),
        transport (&T::GetCurrentLoopPosition, 6, &HT::GetCurrentLoopPosition, 7, noObject, "transport#1.GetCurrentLoopPosition(null, null, null)", nullptr, nullptr, nullptr),
        transport (&T::GetCurrentNativeSampleLocation, 7, &HT::GetCurrentNativeSampleLocation, 8, noObject, "transport#1.GetCurrentNativeSampleLocation(null)", nullptr),
        transport (&T::GetCustomTickPosition, 8, &HT::GetCustomTickPosition, 9, noObject, "transport#1.GetCustomTickPosition(null, 1000)", nullptr, int64_t { 1000 }),
        transport (&T::GetBarBeatPosition, 9, &HT::GetBarBeatPosition, 10, noObject, "transport#1.GetBarBeatPosition(null, null, null, 2000)", nullptr, nullptr, nullptr, int64_t { 2000 }),
        transport (&T::GetTicksPerQuarter, 10, &HT::GetTicksPerQuarter, 11, noObject, "transport#1.GetTicksPerQuarter(null)", nullptr),
        transport (&T::GetCurrentTicksPerBeat, 11, &HT::GetCurrentTicksPerBeat, 12, noObject, "transport#1.GetCurrentTicksPerBeat(null)", nullptr),
        transport (&T::GetTimelineSelectionStartPosition, 12, &HT::GetTimelineSelectionStartPosition, 13, unsupported, "transport#1.GetTimelineSelectionStartPosition(null)", nullptr),
        transport (&T::GetTimeCodeInfo, 13, &HT::GetTimeCodeInfo, 14, unsupported, "transport#1.GetTimeCodeInfo(null, null)", nullptr, nullptr),
        transport (&T::GetFeetFramesInfo, 14, &HT::GetFeetFramesInfo, 15, unsupported, "transport#1.GetFeetFramesInfo(null, null)", nullptr, nullptr),
        transport (&T::IsMetronomeEnabled, 15, &HT::IsMetronomeEnabled, 16, unsupported, "transport#1.IsMetronomeEnabled(null)", nullptr),
        answering (kWindowType, view (&AAX_IViewContainer::GetType, 2, &AAX_IACFViewContainer::GetType, 3, 0, "view#1.GetType()")),
        answering (asNumber (&nativeWindow), view (&AAX_IViewContainer::GetPtr, 3, &AAX_IACFViewContainer::GetPtr, 4, 0, "view#1.GetPtr()")),
        view (&AAX_IViewContainer::GetModifiers, 4, &AAX_IACFViewContainer::GetModifiers, 5, unsupported, "view#1.GetModifiers(null)", nullptr),
        view (&AAX_IViewContainer::SetViewSize, 5, &AAX_IACFViewContainer::SetViewSize, 6, kAAX_Success, "view#1.SetViewSize(373, 435)", AAX_Point { 373.0f, 435.0f }),
        view (&AAX_IViewContainer::HandleParameterMouseDown, 6, &AAX_IACFViewContainer::HandleParameterMouseDown, 7, unsupported, "view#1.HandleParameterMouseDown(\"2\", 18)", "2", 18u),
        view (&AAX_IViewContainer::HandleParameterMouseDrag, 7, &AAX_IACFViewContainer::HandleParameterMouseDrag, 8, unsupported, "view#1.HandleParameterMouseDrag(\"2\", 18)", "2", 18u),
        view (&AAX_IViewContainer::HandleParameterMouseUp, 8, &AAX_IACFViewContainer::HandleParameterMouseUp, 9, unsupported, "view#1.HandleParameterMouseUp(\"2\", 0)", "2", 0u),
    };
    // clang-format on

    return rows;
}

//==============================================================================
/** How the host falls short; every mode concerns the interfaces of the wrapper under test only. */
enum class Host
{
    supplies, // every interface, answering kHostCode
    withholdsSecondVersion,
    withholdsFirstVersion,
    givesNoUnknown,
    offersNoFactory,
    failsTheCreation,
    createsNothing
};

bool appliesTo (Host host, const Kind& kind)
{
    if (host == Host::withholdsSecondVersion)
        return kind.secondVersion != nullptr;

    return host < Host::offersNoFactory || kind.madeAs != nullptr;
}

bool reachesTheHost (Host host, const Forwarding& row)
{
    // Run-time wrappers ask the unknown for each version; the others ask the first version for the second.
    return host == Host::supplies || (host == Host::withholdsSecondVersion && ! row.secondVersion)
           || (host == Host::withholdsFirstVersion && row.secondVersion && row.kind->madeAs == nullptr);
}

void withhold (HostSwitches& switches, Host mode, const Kind& kind)
{
    if (mode == Host::withholdsSecondVersion || mode == Host::withholdsFirstVersion)
        switches.withholdInterface (mode == Host::withholdsFirstVersion ? kind.firstVersion : *kind.secondVersion);
    else if (mode == Host::offersNoFactory)
        switches.withholdInterface (kIID_IACFComponentFactory);
    else if (mode == Host::failsTheCreation || mode == Host::createsNothing)
        switches.failCreation (*kind.madeAs, mode == Host::failsTheCreation ? kACF_NoInterface : kAAX_Success);
}

class AAX_VWrappers : public ::testing::TestWithParam<Host>
{
};

TEST_P (AAX_VWrappers, ForwardOrAnswerTheirOwnCodeAndGiveBackEveryReference)
{
    const auto mode = GetParam();

    for (const auto& row : everyForwardingOperation())
    {
        if (! appliesTo (mode, *row.kind))
            continue;

        SCOPED_TRACE (row.name);
        SimulatedHost host;
        withhold (host.switches(), mode, *row.kind);
        host.switches().setOperationResult (kHostCode);

        {
            auto instance = makeHostObject<HostEffectInstance> (host.context());
            auto window = makeHostObject<HostViewContainer> (host.context());
            window->setType (kWindowType);
            window->setNativeView (&nativeWindow);

            const bool givesNone = mode == Host::givesNoUnknown;
            Wrappers wrappers (givesNone ? nullptr : host.unknown(), givesNone ? nullptr : instance->unknown(), givesNone ? nullptr : window->unknown());
            host.calls().clear();

            const bool reaches = reachesTheHost (mode, row);
            EXPECT_EQ (row.call (wrappers), reaches ? row.fromHost : row.whenMissing);
            EXPECT_EQ (host.calls().entries(), reaches ? std::vector<std::string> { row.reaches } : std::vector<std::string> {});
        }

        host.releaseRoot();
        EXPECT_THAT (host.ledger().liveObjectNames(), IsEmpty());
        EXPECT_EQ (host.ledger().outstandingReferences(), 0);
    }
}

std::string nameOf (const ::testing::TestParamInfo<Host>& mode)
{
    const char* names[] = { "Supplies", "WithholdsSecondVersion", "WithholdsFirstVersion", "GivesNoUnknown", "OffersNoFactory", "FailsTheCreation", "CreatesNothing" };
    return names[static_cast<int> (mode.param)];
}

INSTANTIATE_TEST_SUITE_P (Host,
                          AAX_VWrappers,
                          ::testing::Values (Host::supplies, Host::withholdsSecondVersion, Host::withholdsFirstVersion, Host::givesNoUnknown, Host::offersNoFactory, Host::failsTheCreation, Host::createsNothing),
                          nameOf);

#if defined(__GNUC__) && ! defined(_WIN32)
TEST (AAX_VWrapperSlots, EachOperationSitsInItsSlotAndCallsTheHostsSlot)
{
    for (const auto& row : everyForwardingOperation())
    {
        EXPECT_EQ (row.librarySlot, row.expectedLibrarySlot) << row.name;
        EXPECT_EQ (row.hostSlot, row.expectedHostSlot) << row.name;
    }
}
#endif

//==============================================================================
using AAX_VWrapperTest = AAXHostTest;

TEST_F (AAX_VWrapperTest, ChildrenHaveHostObjectsOfTheirOwnAndGoWithTheirParent)
{
    {
        AAX_VCollection collection (host.unknown());
        auto* effect = collection.NewDescriptor();
        auto* component = effect->NewComponentDescriptor();
        const std::vector<void*> made { effect, component, component->NewPropertyMap(), component->DuplicatePropertyMap (nullptr), effect->NewPropertyMap(), collection.NewPropertyMap() };

        EXPECT_EQ (host.calls().entriesWithOperation ("CreateComponent"),
                   (std::vector<std::string> { "factory#1.CreateComponent(CollectionClass, null, AAX_IACFCollection)",
                                               "factory#1.CreateComponent(EffectDescriptorClass, null, AAX_IACFEffectDescriptor)",
                                               "factory#1.CreateComponent(ComponentDescriptorClass, null, AAX_IACFComponentDescriptor)",
                                               "factory#1.CreateComponent(PropertyMapClass, null, AAX_IACFPropertyMap)",
                                               "factory#1.CreateComponent(PropertyMapClass, null, AAX_IACFPropertyMap)",
                                               "factory#1.CreateComponent(PropertyMapClass, null, AAX_IACFPropertyMap)",
                                               "factory#1.CreateComponent(PropertyMapClass, null, AAX_IACFPropertyMap)" }));
        EXPECT_THAT (made, ::testing::Not (::testing::Contains (nullptr)));

        // Handed over, the children are kept by the host as well.
        effect->AddComponent (component);
        collection.AddEffect ("id", effect);
        EXPECT_EQ (host.ledger().liveObjects(), 8);
    }

    EXPECT_THAT (host.ledger().liveObjectNames(), ElementsAre (::testing::StartsWith ("factory#1")));
}

TEST_F (AAX_VWrapperTest, ANullEffectNeverReachesTheHost)
{
    AAX_VCollection collection (host.unknown());
    EXPECT_EQ (collection.AddEffect ("id", nullptr), kAAX_ErrorNullObject);
    EXPECT_THAT (host.calls().entriesOf ("collection#1"), IsEmpty());
}

TEST_F (AAX_VWrapperTest, DuplicateCopiesExactlyTheProperties10To351TheSourceHolds)
{
    AAX_VComponentDescriptor component (host.unknown());
    auto* source = component.NewPropertyMap();

    for (const AAX_PropertyID property : { 0u, 9u, 10u, 100u, 351u, 352u })
        source->AddProperty (property, static_cast<AAX_PropertyValue> (property) * -3);

    host.calls().clear();
    auto* copy = component.DuplicatePropertyMap (source);
    ASSERT_NE (copy, source);

    const auto asked = host.calls().entriesOf ("properties#1");
    ASSERT_EQ (asked.size(), 342u);
    EXPECT_EQ (asked.front(), "properties#1.GetProperty(10, pointer)");
    EXPECT_EQ (asked.back(), "properties#1.GetProperty(351, pointer)");
    EXPECT_THAT (host.calls().entriesOf ("properties#2"),
                 ElementsAre ("properties#2.AddProperty(10, -30)", "properties#2.AddProperty(100, -300)", "properties#2.AddProperty(351, -1053)"));
}

template <class Wrapper>
int32_t thrownMaking (IACFUnknown* unknown)
{
    try
    {
        Wrapper made (unknown);
    }
    catch (int32_t thrown)
    {
        return thrown;
    }

    return 0;
}

TEST_F (AAX_VWrapperTest, AFactoryClaimedButNotGivenThrowsFromTheDescriptionWrappersOnly)
{
    host.switches().answerNullInterface (kIID_IACFComponentFactory);

    EXPECT_EQ (thrownMaking<AAX_VCollection> (host.unknown()), kACF_NullInterfaceThrown);
    EXPECT_EQ (thrownMaking<AAX_VEffectDescriptor> (host.unknown()), kACF_NullInterfaceThrown);
    EXPECT_EQ (thrownMaking<AAX_VComponentDescriptor> (host.unknown()), kACF_NullInterfaceThrown);
    EXPECT_EQ (thrownMaking<AAX_VPropertyMap> (host.unknown()), kACF_NullInterfaceThrown);

    AAX_VHostServices services (host.unknown());
    EXPECT_EQ (services.Trace (1, "nobody listens"), kAAX_ErrorNullObject);
}

TEST_F (AAX_VWrapperTest, WithoutTheSecondControllerThePlatformReadsZero)
{
    host.switches().withholdInterface (kIID_AAX_IACFController_V2);
    auto instance = makeHostObject<HostEffectInstance> (host.context());

    for (auto* unknown : { instance->unknown(), static_cast<IACFUnknown*> (nullptr) })
    {
        AAX_VController controller (unknown);
        int64_t platform = 77;
        EXPECT_EQ (controller.GetPlugInTargetPlatform (&platform), kAAX_ErrorUnsupported);
        EXPECT_EQ (platform, 0);
    }
}
} // namespace
