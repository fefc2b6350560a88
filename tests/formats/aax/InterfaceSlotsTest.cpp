// The host reaches every interface only by slot number, so the slot of each
// operation is checked against the slot number the other side calls it by:
// the host's interfaces and the library's own interfaces that the framework's
// wrapper calls.

#include "formats/aax/AAX_IACFAutomationDelegate.h"
#include "formats/aax/AAX_IACFCollection.h"
#include "formats/aax/AAX_IACFComponentDescriptor.h"
#include "formats/aax/AAX_IACFController.h"
#include "formats/aax/AAX_IACFEffectDescriptor.h"
#include "formats/aax/AAX_IACFEffectParameters.h"
#include "formats/aax/AAX_IACFHostServices.h"
#include "formats/aax/AAX_IACFPropertyMap.h"
#include "formats/aax/AAX_IACFTransport.h"
#include "formats/aax/AAX_IACFViewContainer.h"
#include "formats/aax/AAX_ICollection.h"
#include "formats/aax/AAX_IComponentDescriptor.h"
#include "formats/aax/AAX_IEffectDescriptor.h"
#include "formats/aax/AAX_IPropertyMap.h"
#include "formats/aax/AAX_IString.h"
#include "formats/aax/IACFComponentFactory.h"
#include "formats/aax/VirtualSlot.h"

#include <gtest/gtest.h>

#if defined(__GNUC__) && ! defined(_WIN32)

    #define EXPECT_SLOT(Interface, Operation, slot) EXPECT_EQ (slotOf (&Interface::Operation), slot) << #Interface "::" #Operation

TEST (HostInterfaceSlots, UnknownAndFactory)
{
    EXPECT_SLOT (IACFUnknown, QueryInterface, 0);
    EXPECT_SLOT (IACFUnknown, AddRef, 1);
    EXPECT_SLOT (IACFUnknown, Release, 2);
    EXPECT_SLOT (IACFComponentFactory, CreateComponent, 3);
}

TEST (HostInterfaceSlots, HostServices)
{
    EXPECT_SLOT (AAX_IACFHostServices, Report, 3);
    EXPECT_SLOT (AAX_IACFHostServices, Trace, 4);
}

TEST (HostInterfaceSlots, Collection)
{
    EXPECT_SLOT (AAX_IACFCollection, AddEffect, 7);
    EXPECT_SLOT (AAX_IACFCollection, SetManufacturerName, 8);
    EXPECT_SLOT (AAX_IACFCollection, AddPackageName, 9);
    EXPECT_SLOT (AAX_IACFCollection, SetPackageVersion, 10);
    EXPECT_SLOT (AAX_IACFCollection, SetProperties, 11);
}

TEST (HostInterfaceSlots, EffectDescriptor)
{
    EXPECT_SLOT (AAX_IACFEffectDescriptor, AddComponent, 3);
    EXPECT_SLOT (AAX_IACFEffectDescriptor, AddName, 4);
    EXPECT_SLOT (AAX_IACFEffectDescriptor, AddCategory, 5);
    EXPECT_SLOT (AAX_IACFEffectDescriptor, AddCategoryBypassParameter, 6);
    EXPECT_SLOT (AAX_IACFEffectDescriptor, AddProcPtr, 7);
    EXPECT_SLOT (AAX_IACFEffectDescriptor, SetProperties, 8);
    EXPECT_SLOT (AAX_IACFEffectDescriptor, AddResourceInfo, 9);
    EXPECT_SLOT (AAX_IACFEffectDescriptor, AddMeterDescription, 10);
    EXPECT_SLOT (AAX_IACFEffectDescriptor_V2, AddControlMIDINode, 11);
}

TEST (HostInterfaceSlots, ComponentDescriptor)
{
    EXPECT_SLOT (AAX_IACFComponentDescriptor, Clear, 3);
    EXPECT_SLOT (AAX_IACFComponentDescriptor, AddReservedField, 4);
    EXPECT_SLOT (AAX_IACFComponentDescriptor, AddAudioIn, 5);
    EXPECT_SLOT (AAX_IACFComponentDescriptor, AddAudioOut, 6);
    EXPECT_SLOT (AAX_IACFComponentDescriptor, AddAudioBufferLength, 7);
    EXPECT_SLOT (AAX_IACFComponentDescriptor, AddSampleRate, 8);
    EXPECT_SLOT (AAX_IACFComponentDescriptor, AddClock, 9);
    EXPECT_SLOT (AAX_IACFComponentDescriptor, AddSideChainIn, 10);
    EXPECT_SLOT (AAX_IACFComponentDescriptor, AddDataInPort, 11);
    EXPECT_SLOT (AAX_IACFComponentDescriptor, AddAuxOutputStem, 12);
    EXPECT_SLOT (AAX_IACFComponentDescriptor, AddPrivateData, 13);
    EXPECT_SLOT (AAX_IACFComponentDescriptor, AddDmaInstance, 14);
    EXPECT_SLOT (AAX_IACFComponentDescriptor, AddMIDINode, 15);
    EXPECT_SLOT (AAX_IACFComponentDescriptor, AddProcessProc_Native, 16);
    EXPECT_SLOT (AAX_IACFComponentDescriptor, AddProcessProc_TI, 17);
    EXPECT_SLOT (AAX_IACFComponentDescriptor, AddMeters, 18);
    EXPECT_SLOT (AAX_IACFComponentDescriptor_V2, AddTemporaryData, 19);
}

TEST (HostInterfaceSlots, PropertyMap)
{
    EXPECT_SLOT (AAX_IACFPropertyMap, GetProperty, 3);
    EXPECT_SLOT (AAX_IACFPropertyMap, AddProperty, 4);
    EXPECT_SLOT (AAX_IACFPropertyMap, RemoveProperty, 5);
    EXPECT_SLOT (AAX_IACFPropertyMap_V2, AddPropertyWithIDArray, 6);
    EXPECT_SLOT (AAX_IACFPropertyMap_V2, GetPropertyWithIDArray, 7);
}

TEST (HostInterfaceSlots, Controller)
{
    EXPECT_SLOT (AAX_IACFController, GetEffectID, 3);
    EXPECT_SLOT (AAX_IACFController, GetSampleRate, 4);
    EXPECT_SLOT (AAX_IACFController, GetInputStemFormat, 5);
    EXPECT_SLOT (AAX_IACFController, GetOutputStemFormat, 6);
    EXPECT_SLOT (AAX_IACFController, GetSignalLatency, 7);
    EXPECT_SLOT (AAX_IACFController, GetCycleCount, 8);
    EXPECT_SLOT (AAX_IACFController, GetTODLocation, 9);
    EXPECT_SLOT (AAX_IACFController, SetSignalLatency, 10);
    EXPECT_SLOT (AAX_IACFController, SetCycleCount, 11);
    EXPECT_SLOT (AAX_IACFController, PostPacket, 12);
    EXPECT_SLOT (AAX_IACFController, GetCurrentMeterValue, 13);
    EXPECT_SLOT (AAX_IACFController, GetMeterPeakValue, 14);
    EXPECT_SLOT (AAX_IACFController, ClearMeterPeakValue, 15);
    EXPECT_SLOT (AAX_IACFController, GetMeterClipped, 16);
    EXPECT_SLOT (AAX_IACFController, ClearMeterClipped, 17);
    EXPECT_SLOT (AAX_IACFController, GetMeterCount, 18);
    EXPECT_SLOT (AAX_IACFController, GetNextMIDIPacket, 19);
    EXPECT_SLOT (AAX_IACFController_V2, SendNotification, 20);
    EXPECT_SLOT (AAX_IACFController_V2, GetHybridSignalLatency, 21);
    EXPECT_SLOT (AAX_IACFController_V2, GetPlugInTargetPlatform, 22);
    EXPECT_SLOT (AAX_IACFController_V2, GetIsAudioSuite, 23);
}

TEST (HostInterfaceSlots, AutomationDelegate)
{
    EXPECT_SLOT (AAX_IACFAutomationDelegate, RegisterParameter, 3);
    EXPECT_SLOT (AAX_IACFAutomationDelegate, UnregisterParameter, 4);
    EXPECT_SLOT (AAX_IACFAutomationDelegate, PostSetValueRequest, 5);
    EXPECT_SLOT (AAX_IACFAutomationDelegate, PostCurrentValue, 6);
    EXPECT_SLOT (AAX_IACFAutomationDelegate, PostTouchRequest, 7);
    EXPECT_SLOT (AAX_IACFAutomationDelegate, PostReleaseRequest, 8);
    EXPECT_SLOT (AAX_IACFAutomationDelegate, GetTouchState, 9);
}

TEST (HostInterfaceSlots, Transport)
{
    EXPECT_SLOT (AAX_IACFTransport, GetCurrentTempo, 3);
    EXPECT_SLOT (AAX_IACFTransport, GetCurrentMeter, 4);
    EXPECT_SLOT (AAX_IACFTransport, IsTransportPlaying, 5);
    EXPECT_SLOT (AAX_IACFTransport, GetCurrentTickPosition, 6);
    EXPECT_SLOT (AAX_IACFTransport, GetCurrentLoopPosition, 7);
    EXPECT_SLOT (AAX_IACFTransport, GetCurrentNativeSampleLocation, 8);
    EXPECT_SLOT (AAX_IACFTransport, GetCustomTickPosition, 9);
    EXPECT_SLOT (AAX_IACFTransport, GetBarBeatPosition, 10);
    EXPECT_SLOT (AAX_IACFTransport, GetTicksPerQuarter, 11);
    EXPECT_SLOT (AAX_IACFTransport, GetCurrentTicksPerBeat, 12);
    EXPECT_SLOT (AAX_IACFTransport_V2, GetTimelineSelectionStartPosition, 13);
    EXPECT_SLOT (AAX_IACFTransport_V2, GetTimeCodeInfo, 14);
    EXPECT_SLOT (AAX_IACFTransport_V2, GetFeetFramesInfo, 15);
    EXPECT_SLOT (AAX_IACFTransport_V2, IsMetronomeEnabled, 16);
}

TEST (HostInterfaceSlots, EffectParameters)
{
    EXPECT_SLOT (AAX_IACFEffectParameters, Initialize, 3);
    EXPECT_SLOT (AAX_IACFEffectParameters, Uninitialize, 4);
    EXPECT_SLOT (AAX_IACFEffectParameters, NotificationReceived, 5);
    EXPECT_SLOT (AAX_IACFEffectParameters, GetNumberOfParameters, 6);
    EXPECT_SLOT (AAX_IACFEffectParameters, GetMasterBypassParameter, 7);
    EXPECT_SLOT (AAX_IACFEffectParameters, GetParameterIsAutomatable, 8);
    EXPECT_SLOT (AAX_IACFEffectParameters, GetParameterNumberOfSteps, 9);
    EXPECT_SLOT (AAX_IACFEffectParameters, GetParameterName, 10);
    EXPECT_SLOT (AAX_IACFEffectParameters, GetParameterNameOfLength, 11);
    EXPECT_SLOT (AAX_IACFEffectParameters, GetParameterDefaultNormalizedValue, 12);
    EXPECT_SLOT (AAX_IACFEffectParameters, SetParameterDefaultNormalizedValue, 13);
    EXPECT_SLOT (AAX_IACFEffectParameters, GetParameterType, 14);
    EXPECT_SLOT (AAX_IACFEffectParameters, GetParameterOrientation, 15);
    EXPECT_SLOT (AAX_IACFEffectParameters, GetParameter, 16);
    EXPECT_SLOT (AAX_IACFEffectParameters, GetParameterIndex, 17);
    EXPECT_SLOT (AAX_IACFEffectParameters, GetParameterIDFromIndex, 18);
    EXPECT_SLOT (AAX_IACFEffectParameters, GetParameterValueInfo, 19);
    EXPECT_SLOT (AAX_IACFEffectParameters, GetParameterValueFromString, 20);
    EXPECT_SLOT (AAX_IACFEffectParameters, GetParameterStringFromValue, 21);
    EXPECT_SLOT (AAX_IACFEffectParameters, GetParameterValueString, 22);
    EXPECT_SLOT (AAX_IACFEffectParameters, GetParameterNormalizedValue, 23);
    EXPECT_SLOT (AAX_IACFEffectParameters, SetParameterNormalizedValue, 24);
    EXPECT_SLOT (AAX_IACFEffectParameters, SetParameterNormalizedRelative, 25);
    EXPECT_SLOT (AAX_IACFEffectParameters, TouchParameter, 26);
    EXPECT_SLOT (AAX_IACFEffectParameters, ReleaseParameter, 27);
    EXPECT_SLOT (AAX_IACFEffectParameters, UpdateParameterTouch, 28);
    EXPECT_SLOT (AAX_IACFEffectParameters, UpdateParameterNormalizedValue, 29);
    EXPECT_SLOT (AAX_IACFEffectParameters, UpdateParameterNormalizedRelative, 30);
    EXPECT_SLOT (AAX_IACFEffectParameters, GenerateCoefficients, 31);
    EXPECT_SLOT (AAX_IACFEffectParameters, ResetFieldData, 32);
    EXPECT_SLOT (AAX_IACFEffectParameters, GetNumberOfChunks, 33);
    EXPECT_SLOT (AAX_IACFEffectParameters, GetChunkIDFromIndex, 34);
    EXPECT_SLOT (AAX_IACFEffectParameters, GetChunkSize, 35);
    EXPECT_SLOT (AAX_IACFEffectParameters, GetChunk, 36);
    EXPECT_SLOT (AAX_IACFEffectParameters, SetChunk, 37);
    EXPECT_SLOT (AAX_IACFEffectParameters, CompareActiveChunk, 38);
    EXPECT_SLOT (AAX_IACFEffectParameters, GetNumberOfChanges, 39);
    EXPECT_SLOT (AAX_IACFEffectParameters_V2, DefaultSlot40, 40);
    EXPECT_SLOT (AAX_IACFEffectParameters_V2, DefaultSlot41, 41);
    EXPECT_SLOT (AAX_IACFEffectParameters_V2, DefaultSlot42, 42);
    EXPECT_SLOT (AAX_IACFEffectParameters_V2, DefaultSlot43, 43);
    EXPECT_SLOT (AAX_IACFEffectParameters_V2, DefaultSlot44, 44);
    EXPECT_SLOT (AAX_IACFEffectParameters_V2, DefaultSlot45, 45);
    EXPECT_SLOT (AAX_IACFEffectParameters_V2, DefaultSlot46, 46);
    EXPECT_SLOT (AAX_IACFEffectParameters_V2, DefaultSlot47, 47);
}

TEST (HostInterfaceSlots, ViewContainer)
{
    EXPECT_SLOT (AAX_IACFViewContainer, GetType, 3);
    EXPECT_SLOT (AAX_IACFViewContainer, GetPtr, 4);
    EXPECT_SLOT (AAX_IACFViewContainer, GetModifiers, 5);
    EXPECT_SLOT (AAX_IACFViewContainer, SetViewSize, 6);
    EXPECT_SLOT (AAX_IACFViewContainer, HandleParameterMouseDown, 7);
    EXPECT_SLOT (AAX_IACFViewContainer, HandleParameterMouseDrag, 8);
    EXPECT_SLOT (AAX_IACFViewContainer, HandleParameterMouseUp, 9);
}

TEST (HostInterfaceSlots, StringAfterItsDestructorPair)
{
    EXPECT_SLOT (AAX_IString, Length, 2);
    EXPECT_SLOT (AAX_IString, MaxLength, 3);
    EXPECT_SLOT (AAX_IString, Get, 4);
    EXPECT_SLOT (AAX_IString, Set, 5);
    EXPECT_EQ (slotOf (static_cast<AAX_IString& (AAX_IString::*) (const AAX_IString&)> (&AAX_IString::operator=)), 6);
    EXPECT_EQ (slotOf (static_cast<AAX_IString& (AAX_IString::*) (const char*)> (&AAX_IString::operator=)), 7);
}

// The library's own interfaces begin with their destructor pair.

TEST (LibraryInterfaceSlots, Collection)
{
    EXPECT_SLOT (AAX_ICollection, NewDescriptor, 2);
    EXPECT_SLOT (AAX_ICollection, AddEffect, 3);
    EXPECT_SLOT (AAX_ICollection, SetManufacturerName, 4);
    EXPECT_SLOT (AAX_ICollection, AddPackageName, 5);
    EXPECT_SLOT (AAX_ICollection, SetPackageVersion, 6);
    EXPECT_SLOT (AAX_ICollection, NewPropertyMap, 7);
    EXPECT_SLOT (AAX_ICollection, SetProperties, 8);
}

TEST (LibraryInterfaceSlots, EffectDescriptor)
{
    EXPECT_SLOT (AAX_IEffectDescriptor, NewComponentDescriptor, 2);
    EXPECT_SLOT (AAX_IEffectDescriptor, AddComponent, 3);
    EXPECT_SLOT (AAX_IEffectDescriptor, AddName, 4);
    EXPECT_SLOT (AAX_IEffectDescriptor, AddCategory, 5);
    EXPECT_SLOT (AAX_IEffectDescriptor, AddCategoryBypassParameter, 6);
    EXPECT_SLOT (AAX_IEffectDescriptor, AddProcPtr, 7);
    EXPECT_SLOT (AAX_IEffectDescriptor, NewPropertyMap, 8);
    EXPECT_SLOT (AAX_IEffectDescriptor, SetProperties, 9);
    EXPECT_SLOT (AAX_IEffectDescriptor, AddResourceInfo, 10);
    EXPECT_SLOT (AAX_IEffectDescriptor, AddMeterDescription, 11);
    EXPECT_SLOT (AAX_IEffectDescriptor, AddControlMIDINode, 12);
}

TEST (LibraryInterfaceSlots, ComponentDescriptor)
{
    EXPECT_SLOT (AAX_IComponentDescriptor, Clear, 2);
    EXPECT_SLOT (AAX_IComponentDescriptor, AddAudioIn, 3);
    EXPECT_SLOT (AAX_IComponentDescriptor, AddAudioOut, 4);
    EXPECT_SLOT (AAX_IComponentDescriptor, AddAudioBufferLength, 5);
    EXPECT_SLOT (AAX_IComponentDescriptor, AddSampleRate, 6);
    EXPECT_SLOT (AAX_IComponentDescriptor, AddClock, 7);
    EXPECT_SLOT (AAX_IComponentDescriptor, AddSideChainIn, 8);
    EXPECT_SLOT (AAX_IComponentDescriptor, AddDataInPort, 9);
    EXPECT_SLOT (AAX_IComponentDescriptor, AddAuxOutputStem, 10);
    EXPECT_SLOT (AAX_IComponentDescriptor, AddPrivateData, 11);
    EXPECT_SLOT (AAX_IComponentDescriptor, AddTemporaryData, 12);
    EXPECT_SLOT (AAX_IComponentDescriptor, AddDmaInstance, 13);
    EXPECT_SLOT (AAX_IComponentDescriptor, AddMeters, 14);
    EXPECT_SLOT (AAX_IComponentDescriptor, AddMIDINode, 15);
    EXPECT_SLOT (AAX_IComponentDescriptor, AddReservedField, 16);
    EXPECT_SLOT (AAX_IComponentDescriptor, NewPropertyMap, 17);
    EXPECT_SLOT (AAX_IComponentDescriptor, DuplicatePropertyMap, 18);
    EXPECT_SLOT (AAX_IComponentDescriptor, AddProcessProc_Native, 19);
    EXPECT_SLOT (AAX_IComponentDescriptor, AddProcessProc_TI, 20);
}

TEST (LibraryInterfaceSlots, PropertyMap)
{
    EXPECT_SLOT (AAX_IPropertyMap, GetProperty, 2);
    EXPECT_SLOT (AAX_IPropertyMap, AddProperty, 3);
    EXPECT_SLOT (AAX_IPropertyMap, RemoveProperty, 4);
    EXPECT_SLOT (AAX_IPropertyMap, AddPropertyWithIDArray, 5);
    EXPECT_SLOT (AAX_IPropertyMap, GetPropertyWithIDArray, 6);
}

#endif
