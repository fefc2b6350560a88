#include "formats/aax/AAX_PlugInDescription.h"

#include <atomic>

namespace
{
constexpr uint32_t fourCharacterCode (const char (&code)[5])
{
    return (static_cast<uint32_t> (static_cast<unsigned char> (code[0])) << 24)
           | (static_cast<uint32_t> (static_cast<unsigned char> (code[1])) << 16)
           | (static_cast<uint32_t> (static_cast<unsigned char> (code[2])) << 8)
           | static_cast<uint32_t> (static_cast<unsigned char> (code[3]));
}

constexpr const char* kEffectName = "Quorvel";
constexpr const char* kManufacturerName = "Brellick";
constexpr const char* kPackageName = "Quorvel";
constexpr uint32_t kPackageVersion = 0x10000;
constexpr uint32_t kCategory = 512;

constexpr uint32_t kEffectParametersRoutineID = 0;
constexpr uint32_t kEffectGUIRoutineID = 1;

constexpr uint32_t kAudioInField = AAX_ContextFields::audioIn;
constexpr uint32_t kAudioOutField = AAX_ContextFields::audioOut;
constexpr uint32_t kBufferLengthField = AAX_ContextFields::bufferLength;
constexpr uint32_t kBypassPortField = AAX_ContextFields::bypassPort;
constexpr uint32_t kMIDINodeField = AAX_ContextFields::midiNode;
constexpr uint32_t kPrivateDataField = AAX_ContextFields::privateData;

constexpr uint32_t kBypassPacketSize = AAX_ContextFields::bypassPacketSize;
constexpr uint32_t kBypassPortType = 1;
constexpr uint32_t kMIDINodeType = 0;
constexpr uint32_t kAllMIDIChannels = 0xFFFF;
constexpr int32_t kPrivateDataSize = AAX_ContextFields::privateDataSize;

// Property numbers and values of a configuration's property map.
constexpr AAX_PropertyID kManufacturerCodeProperty = 11;
constexpr AAX_PropertyID kProductCodeProperty = 12;
constexpr AAX_PropertyID kNativeTypeProperty = 13;
constexpr AAX_PropertyID kAudioSuiteTypeProperty = 14;
constexpr AAX_PropertyID kInputStemProperty = 51;
constexpr AAX_PropertyID kOutputStemProperty = 52;
// Two switches the host expects set to 1 in every configuration; what they
// switch is the host's business.
constexpr AAX_PropertyID kHostSwitchProperty60 = 60;
constexpr AAX_PropertyID kHostSwitchProperty304 = 304;

// Layout number in the upper 16 bits, channel count in the lower.
constexpr AAX_PropertyValue kFourChannelStem = 0x00040004;

std::atomic<AAX_CreateObjectRoutine> installedEffectParameters { nullptr };
std::atomic<AAX_CreateObjectRoutine> installedEffectGUI { nullptr };
std::atomic<AAX_ProcessRoutine> installedProcess { nullptr };

IACFUnknown* makeNothing()
{
    return nullptr;
}

void processNothing (void* const[], const void*) {}

void* routineAddress (AAX_CreateObjectRoutine routine)
{
    return reinterpret_cast<void*> (routine);
}

void describeConfiguration (AAX_IComponentDescriptor& component, uint32_t configurationIndex, AAX_ProcessRoutine processRoutine)
{
    component.AddAudioIn (kAudioInField);
    component.AddAudioOut (kAudioOutField);
    component.AddAudioBufferLength (kBufferLengthField);
    component.AddDataInPort (kBypassPortField, kBypassPacketSize, kBypassPortType);
    component.AddMIDINode (kMIDINodeField, kMIDINodeType, kEffectName, kAllMIDIChannels);
    component.AddPrivateData (kPrivateDataField, kPrivateDataSize, 0);

    auto* properties = component.NewPropertyMap();

    if (properties != nullptr)
    {
        properties->AddProperty (kManufacturerCodeProperty, static_cast<AAX_PropertyValue> (fourCharacterCode ("Brlk")));
        properties->AddProperty (kProductCodeProperty, static_cast<AAX_PropertyValue> (fourCharacterCode ("BkQv")));
        properties->AddProperty (kHostSwitchProperty60, 1);
        properties->AddProperty (kInputStemProperty, kFourChannelStem);
        properties->AddProperty (kOutputStemProperty, kFourChannelStem);
        properties->AddProperty (kNativeTypeProperty, static_cast<AAX_PropertyValue> (fourCharacterCode ("jcaa") + configurationIndex));
        properties->AddProperty (kAudioSuiteTypeProperty, static_cast<AAX_PropertyValue> (fourCharacterCode ("jyaa") + configurationIndex));
        properties->AddProperty (kHostSwitchProperty304, 1);
    }

    component.AddProcessProc_Native (processRoutine, properties, nullptr, nullptr, nullptr);
}
} // namespace

void AAX_SetPlugInRoutines (const AAX_PlugInRoutines& routines)
{
    installedEffectParameters.store (routines.createEffectParameters);
    installedEffectGUI.store (routines.createEffectGUI);
    installedProcess.store (routines.processRoutine);
}

AAX_PlugInRoutines AAX_GetPlugInRoutines()
{
    AAX_PlugInRoutines routines;
    routines.createEffectParameters = installedEffectParameters.load();
    routines.createEffectGUI = installedEffectGUI.load();
    routines.processRoutine = installedProcess.load();

    if (routines.createEffectParameters == nullptr)
        routines.createEffectParameters = makeNothing;
    if (routines.createEffectGUI == nullptr)
        routines.createEffectGUI = makeNothing;
    if (routines.processRoutine == nullptr)
        routines.processRoutine = processNothing;

    return routines;
}

AAX_Result GetEffectDescriptions (AAX_ICollection* collection)
{
    if (collection == nullptr)
        return kAAX_ErrorNullObject;

    auto* effect = collection->NewDescriptor();

    if (effect == nullptr)
        return kAAX_ErrorNullObject;

    const auto routines = AAX_GetPlugInRoutines();

    effect->AddName (kEffectName);
    effect->AddName (kEffectName);
    effect->AddCategory (kCategory);
    effect->AddProcPtr (routineAddress (routines.createEffectGUI), kEffectGUIRoutineID);
    effect->AddProcPtr (routineAddress (routines.createEffectParameters), kEffectParametersRoutineID);

    if (auto* component = effect->NewComponentDescriptor())
    {
        describeConfiguration (*component, 0, routines.processRoutine);
        effect->AddComponent (component);
    }

    collection->AddEffect (kAAX_EffectID, effect);
    collection->SetManufacturerName (kManufacturerName);
    collection->AddPackageName (kPackageName);
    collection->AddPackageName (kPackageName);
    collection->SetPackageVersion (kPackageVersion);

    return kAAX_Success;
}
