// Parameters, delegates and the run-time wrappers are reached through their
// library interfaces by code built apart from them (the format bridge), so
// the order of each interface's operations is checked against the numbered
// tables the library was written from.

#include "formats/aax/AAX_IAutomationDelegate.h"
#include "formats/aax/AAX_IController.h"
#include "formats/aax/AAX_IDisplayDelegate.h"
#include "formats/aax/AAX_IParameter.h"
#include "formats/aax/AAX_ITaperDelegate.h"
#include "formats/aax/AAX_ITransport.h"
#include "formats/aax/AAX_IViewContainer.h"
#include "formats/aax/VirtualSlot.h"

#include <gtest/gtest.h>

#if defined(__GNUC__) && ! defined(_WIN32)

namespace
{
    #define EXPECT_RUN_TIME_SLOT(Interface, Operation, slot) EXPECT_EQ (slotOf (&Interface::Operation), slot) << #Interface "::" #Operation

TEST (RunTimeInterfaceSlots, Controller)
{
    EXPECT_RUN_TIME_SLOT (AAX_IController, GetEffectID, 2);
    EXPECT_RUN_TIME_SLOT (AAX_IController, GetSampleRate, 3);
    EXPECT_RUN_TIME_SLOT (AAX_IController, GetInputStemFormat, 4);
    EXPECT_RUN_TIME_SLOT (AAX_IController, GetOutputStemFormat, 5);
    EXPECT_RUN_TIME_SLOT (AAX_IController, GetSignalLatency, 6);
    EXPECT_RUN_TIME_SLOT (AAX_IController, GetCycleCount, 7);
    EXPECT_RUN_TIME_SLOT (AAX_IController, GetTODLocation, 8);
    EXPECT_RUN_TIME_SLOT (AAX_IController, SetSignalLatency, 9);
    EXPECT_RUN_TIME_SLOT (AAX_IController, SetCycleCount, 10);
    EXPECT_RUN_TIME_SLOT (AAX_IController, PostPacket, 11);
    EXPECT_RUN_TIME_SLOT (AAX_IController, SendNotification, 12);
    EXPECT_RUN_TIME_SLOT (AAX_IController, GetCurrentMeterValue, 13);
    EXPECT_RUN_TIME_SLOT (AAX_IController, GetMeterPeakValue, 14);
    EXPECT_RUN_TIME_SLOT (AAX_IController, ClearMeterPeakValue, 15);
    EXPECT_RUN_TIME_SLOT (AAX_IController, GetMeterCount, 16);
    EXPECT_RUN_TIME_SLOT (AAX_IController, GetMeterClipped, 17);
    EXPECT_RUN_TIME_SLOT (AAX_IController, ClearMeterClipped, 18);
    EXPECT_RUN_TIME_SLOT (AAX_IController, GetNextMIDIPacket, 19);
    EXPECT_RUN_TIME_SLOT (AAX_IController, GetHybridSignalLatency, 20);
    EXPECT_RUN_TIME_SLOT (AAX_IController, GetPlugInTargetPlatform, 21);
    EXPECT_RUN_TIME_SLOT (AAX_IController, GetIsAudioSuite, 22);
}

TEST (RunTimeInterfaceSlots, AutomationDelegate)
{
    EXPECT_RUN_TIME_SLOT (AAX_IAutomationDelegate, RegisterParameter, 2);
    EXPECT_RUN_TIME_SLOT (AAX_IAutomationDelegate, UnregisterParameter, 3);
    EXPECT_RUN_TIME_SLOT (AAX_IAutomationDelegate, PostSetValueRequest, 4);
    EXPECT_RUN_TIME_SLOT (AAX_IAutomationDelegate, PostCurrentValue, 5);
    EXPECT_RUN_TIME_SLOT (AAX_IAutomationDelegate, PostTouchRequest, 6);
    EXPECT_RUN_TIME_SLOT (AAX_IAutomationDelegate, PostReleaseRequest, 7);
    EXPECT_RUN_TIME_SLOT (AAX_IAutomationDelegate, GetTouchState, 8);
}

TEST (RunTimeInterfaceSlots, Transport)
{
    EXPECT_RUN_TIME_SLOT (AAX_ITransport, GetCurrentTempo, 2);
    EXPECT_RUN_TIME_SLOT (AAX_ITransport, GetCurrentMeter, 3);
    EXPECT_RUN_TIME_SLOT (AAX_ITransport, IsTransportPlaying, 4);
    EXPECT_RUN_TIME_SLOT (AAX_ITransport, GetCurrentTickPosition, 5);
    EXPECT_RUN_TIME_SLOT (AAX_ITransport, GetCurrentLoopPosition, 6);
    EXPECT_RUN_TIME_SLOT (AAX_ITransport, GetCurrentNativeSampleLocation, 7);
    EXPECT_RUN_TIME_SLOT (AAX_ITransport, GetCustomTickPosition, 8);
    EXPECT_RUN_TIME_SLOT (AAX_ITransport, GetBarBeatPosition, 9);
    EXPECT_RUN_TIME_SLOT (AAX_ITransport, GetTicksPerQuarter, 10);
    EXPECT_RUN_TIME_SLOT (AAX_ITransport, GetCurrentTicksPerBeat, 11);
    EXPECT_RUN_TIME_SLOT (AAX_ITransport, GetTimelineSelectionStartPosition, 12);
    EXPECT_RUN_TIME_SLOT (AAX_ITransport, GetTimeCodeInfo, 13);
    EXPECT_RUN_TIME_SLOT (AAX_ITransport, GetFeetFramesInfo, 14);
    EXPECT_RUN_TIME_SLOT (AAX_ITransport, IsMetronomeEnabled, 15);
}

TEST (RunTimeInterfaceSlots, ViewContainer)
{
    EXPECT_RUN_TIME_SLOT (AAX_IViewContainer, GetType, 2);
    EXPECT_RUN_TIME_SLOT (AAX_IViewContainer, GetPtr, 3);
    EXPECT_RUN_TIME_SLOT (AAX_IViewContainer, GetModifiers, 4);
    EXPECT_RUN_TIME_SLOT (AAX_IViewContainer, SetViewSize, 5);
    EXPECT_RUN_TIME_SLOT (AAX_IViewContainer, HandleParameterMouseDown, 6);
    EXPECT_RUN_TIME_SLOT (AAX_IViewContainer, HandleParameterMouseDrag, 7);
    EXPECT_RUN_TIME_SLOT (AAX_IViewContainer, HandleParameterMouseUp, 8);
}

TEST (RunTimeInterfaceSlots, Delegates)
{
    using Taper = AAX_ITaperDelegate<float>;
    using Display = AAX_IDisplayDelegate<bool>;

    EXPECT_RUN_TIME_SLOT (Taper, Clone, 2);
    EXPECT_RUN_TIME_SLOT (Taper, GetMaximumValue, 3);
    EXPECT_RUN_TIME_SLOT (Taper, GetMinimumValue, 4);
    EXPECT_RUN_TIME_SLOT (Taper, ConstrainRealValue, 5);
    EXPECT_RUN_TIME_SLOT (Taper, NormalizedToReal, 6);
    EXPECT_RUN_TIME_SLOT (Taper, RealToNormalized, 7);

    EXPECT_RUN_TIME_SLOT (Display, Clone, 2);
    EXPECT_EQ (slotOf (static_cast<bool (Display::*) (bool, AAX_CString*) const> (&Display::ValueToString)), 3);
    EXPECT_EQ (slotOf (static_cast<bool (Display::*) (bool, int32_t, AAX_CString*) const> (&Display::ValueToString)), 4);
    EXPECT_RUN_TIME_SLOT (Display, StringToValue, 5);
}

TEST (RunTimeInterfaceSlots, Parameter)
{
    using P = AAX_IParameter;

    EXPECT_RUN_TIME_SLOT (P, Identifier, 2);
    EXPECT_RUN_TIME_SLOT (P, SetName, 3);
    EXPECT_RUN_TIME_SLOT (P, Name, 4);
    EXPECT_RUN_TIME_SLOT (P, AddShortenedName, 5);
    EXPECT_RUN_TIME_SLOT (P, ShortenedName, 6);
    EXPECT_RUN_TIME_SLOT (P, ClearShortenedNames, 7);
    EXPECT_RUN_TIME_SLOT (P, Automatable, 8);
    EXPECT_RUN_TIME_SLOT (P, SetAutomationDelegate, 9);
    EXPECT_RUN_TIME_SLOT (P, Touch, 10);
    EXPECT_RUN_TIME_SLOT (P, Release, 11);
    EXPECT_RUN_TIME_SLOT (P, SetNormalizedValue, 12);
    EXPECT_RUN_TIME_SLOT (P, GetNormalizedValue, 13);
    EXPECT_RUN_TIME_SLOT (P, SetNormalizedDefaultValue, 14);
    EXPECT_RUN_TIME_SLOT (P, GetNormalizedDefaultValue, 15);
    EXPECT_RUN_TIME_SLOT (P, SetToDefaultValue, 16);
    EXPECT_RUN_TIME_SLOT (P, SetNumberOfSteps, 17);
    EXPECT_RUN_TIME_SLOT (P, GetNumberOfSteps, 18);
    EXPECT_RUN_TIME_SLOT (P, GetStepValue, 19);
    EXPECT_RUN_TIME_SLOT (P, SetStepValue, 20);
    EXPECT_EQ (slotOf (static_cast<bool (P::*) (AAX_CString*) const> (&P::GetValueString)), 21);
    EXPECT_EQ (slotOf (static_cast<bool (P::*) (int32_t, AAX_CString*) const> (&P::GetValueString)), 22);
    EXPECT_RUN_TIME_SLOT (P, GetNormalizedValueFromString, 23);
    EXPECT_EQ (slotOf (static_cast<bool (P::*) (double, AAX_CString&) const> (&P::GetStringFromNormalizedValue)), 24);
    EXPECT_EQ (slotOf (static_cast<bool (P::*) (double, int32_t, AAX_CString&) const> (&P::GetStringFromNormalizedValue)), 25);
    EXPECT_RUN_TIME_SLOT (P, SetValueFromString, 26);
    EXPECT_RUN_TIME_SLOT (P, GetValueAsBool, 27);
    EXPECT_RUN_TIME_SLOT (P, GetValueAsInt32, 28);
    EXPECT_RUN_TIME_SLOT (P, GetValueAsFloat, 29);
    EXPECT_RUN_TIME_SLOT (P, GetValueAsDouble, 30);
    EXPECT_RUN_TIME_SLOT (P, GetValueAsString, 31);
    EXPECT_RUN_TIME_SLOT (P, SetValueWithBool, 32);
    EXPECT_RUN_TIME_SLOT (P, SetValueWithInt32, 33);
    EXPECT_RUN_TIME_SLOT (P, SetValueWithFloat, 34);
    EXPECT_RUN_TIME_SLOT (P, SetValueWithDouble, 35);
    EXPECT_RUN_TIME_SLOT (P, SetValueWithString, 36);
    EXPECT_RUN_TIME_SLOT (P, SetType, 37);
    EXPECT_RUN_TIME_SLOT (P, GetType, 38);
    EXPECT_RUN_TIME_SLOT (P, SetOrientation, 39);
    EXPECT_RUN_TIME_SLOT (P, GetOrientation, 40);
    EXPECT_RUN_TIME_SLOT (P, SetTaperDelegate, 41);
    EXPECT_RUN_TIME_SLOT (P, SetDisplayDelegate, 42);
    EXPECT_RUN_TIME_SLOT (P, UpdateNormalizedValue, 43);
}
} // namespace

#endif
