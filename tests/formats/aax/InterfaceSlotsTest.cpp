// The host, and the format bridge built apart from the library, reach every
// interface by slot number only, so each interface's operations are listed in
// slot order and checked against the slot numbers the other side uses. The
// wrappers' forwarding operations and the host slots they call are checked
// with their table in AAX_VWrappersTest.

#include "formats/aax/AAX_IACFCollection.h"
#include "formats/aax/AAX_IACFEffectParameters.h"
#include "formats/aax/AAX_ICollection.h"
#include "formats/aax/AAX_IComponentDescriptor.h"
#include "formats/aax/AAX_IDisplayDelegate.h"
#include "formats/aax/AAX_IEffectDescriptor.h"
#include "formats/aax/AAX_IParameter.h"
#include "formats/aax/AAX_IString.h"
#include "formats/aax/AAX_ITaperDelegate.h"
#include "formats/aax/IACFComponentFactory.h"
#include "formats/aax/VirtualSlot.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#if defined(__GNUC__) && ! defined(_WIN32)

namespace
{
/** Checks that the operations, as listed, sit in the slots counted up from first. */
template <typename... Operations>
void expectSlotsFrom (long first, Operations... operations)
{
    std::vector<long> expected (sizeof...(operations));
    std::iota (expected.begin(), expected.end(), first);
    EXPECT_EQ ((std::vector<long> { slotOf (operations)... }), expected);
}

// clang-format off
TEST (InterfaceSlots, HostObjectModel)
{
    expectSlotsFrom (0, &IACFUnknown::QueryInterface, &IACFUnknown::AddRef, &IACFUnknown::Release, &IACFComponentFactory::CreateComponent);
    expectSlotsFrom (3, &AAX_IACFCollection::UnusedSlot3, &AAX_IACFCollection::UnusedSlot4, &AAX_IACFCollection::UnusedSlot5, &AAX_IACFCollection::UnusedSlot6);
}

TEST (InterfaceSlots, EffectParameters)
{
    using P = AAX_IACFEffectParameters_V2;
    expectSlotsFrom (3, &P::Initialize, &P::Uninitialize, &P::NotificationReceived, &P::GetNumberOfParameters, &P::GetMasterBypassParameter,
                     &P::GetParameterIsAutomatable, &P::GetParameterNumberOfSteps, &P::GetParameterName, &P::GetParameterNameOfLength,
                     &P::GetParameterDefaultNormalizedValue, &P::SetParameterDefaultNormalizedValue, &P::GetParameterType, &P::GetParameterOrientation,
                     &P::GetParameter, &P::GetParameterIndex, &P::GetParameterIDFromIndex, &P::GetParameterValueInfo, &P::GetParameterValueFromString,
                     &P::GetParameterStringFromValue, &P::GetParameterValueString, &P::GetParameterNormalizedValue, &P::SetParameterNormalizedValue,
                     &P::SetParameterNormalizedRelative, &P::TouchParameter, &P::ReleaseParameter, &P::UpdateParameterTouch,
                     &P::UpdateParameterNormalizedValue, &P::UpdateParameterNormalizedRelative, &P::GenerateCoefficients, &P::ResetFieldData,
                     &P::GetNumberOfChunks, &P::GetChunkIDFromIndex, &P::GetChunkSize, &P::GetChunk, &P::SetChunk, &P::CompareActiveChunk,
                     &P::GetNumberOfChanges, &P::DefaultSlot40, &P::DefaultSlot41, &P::DefaultSlot42, &P::DefaultSlot43, &P::DefaultSlot44,
                     &P::DefaultSlot45, &P::DefaultSlot46, &P::DefaultSlot47);
}

// The library's own interfaces begin with their destructor pair.
TEST (InterfaceSlots, StringAndMakingOperations)
{
    expectSlotsFrom (2, &AAX_IString::Length, &AAX_IString::MaxLength, &AAX_IString::Get, &AAX_IString::Set,
                     static_cast<AAX_IString& (AAX_IString::*) (const AAX_IString&)> (&AAX_IString::operator=),
                     static_cast<AAX_IString& (AAX_IString::*) (const char*)> (&AAX_IString::operator=));
    expectSlotsFrom (2, &AAX_ICollection::NewDescriptor);
    expectSlotsFrom (7, &AAX_ICollection::NewPropertyMap);
    expectSlotsFrom (2, &AAX_IEffectDescriptor::NewComponentDescriptor);
    expectSlotsFrom (8, &AAX_IEffectDescriptor::NewPropertyMap);
    expectSlotsFrom (17, &AAX_IComponentDescriptor::NewPropertyMap, &AAX_IComponentDescriptor::DuplicatePropertyMap);
}

TEST (InterfaceSlots, Delegates)
{
    using Taper = AAX_ITaperDelegate<float>;
    using Display = AAX_IDisplayDelegate<bool>;
    expectSlotsFrom (2, &Taper::Clone, &Taper::GetMaximumValue, &Taper::GetMinimumValue, &Taper::ConstrainRealValue, &Taper::NormalizedToReal,
                     &Taper::RealToNormalized);
    expectSlotsFrom (2, &Display::Clone, static_cast<bool (Display::*) (bool, AAX_CString*) const> (&Display::ValueToString),
                     static_cast<bool (Display::*) (bool, int32_t, AAX_CString*) const> (&Display::ValueToString), &Display::StringToValue);
}

TEST (InterfaceSlots, Parameter)
{
    using P = AAX_IParameter;
    expectSlotsFrom (2, &P::Identifier, &P::SetName, &P::Name, &P::AddShortenedName, &P::ShortenedName, &P::ClearShortenedNames, &P::Automatable,
                     &P::SetAutomationDelegate, &P::Touch, &P::Release, &P::SetNormalizedValue, &P::GetNormalizedValue, &P::SetNormalizedDefaultValue,
                     &P::GetNormalizedDefaultValue, &P::SetToDefaultValue, &P::SetNumberOfSteps, &P::GetNumberOfSteps, &P::GetStepValue, &P::SetStepValue,
                     static_cast<bool (P::*) (AAX_CString*) const> (&P::GetValueString),
                     static_cast<bool (P::*) (int32_t, AAX_CString*) const> (&P::GetValueString), &P::GetNormalizedValueFromString,
                     static_cast<bool (P::*) (double, AAX_CString&) const> (&P::GetStringFromNormalizedValue),
                     static_cast<bool (P::*) (double, int32_t, AAX_CString&) const> (&P::GetStringFromNormalizedValue), &P::SetValueFromString,
                     &P::GetValueAsBool, &P::GetValueAsInt32, &P::GetValueAsFloat, &P::GetValueAsDouble, &P::GetValueAsString, &P::SetValueWithBool,
                     &P::SetValueWithInt32, &P::SetValueWithFloat, &P::SetValueWithDouble, &P::SetValueWithString, &P::SetType, &P::GetType,
                     &P::SetOrientation, &P::GetOrientation, &P::SetTaperDelegate, &P::SetDisplayDelegate, &P::UpdateNormalizedValue);
}
// clang-format on
} // namespace

#endif
