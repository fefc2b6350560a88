#include "formats/aax/AAX_CEffectParameters.h"

#include "formats/aax/AAX_CString.h"
#include "formats/aax/AAX_IParameter.h"
#include "formats/aax/AAX_Identifiers.h"
#include "formats/aax/AAX_VAutomationDelegate.h"
#include "formats/aax/AAX_VController.h"
#include "formats/aax/AAX_VTransport.h"

#include <cstring>
#include <vector>

namespace
{
double clampedToUnitRange (double value)
{
    if (value > 1.0)
        value = 1.0;

    if (value < 0.0)
        value = 0.0;

    return value;
}

/** Answers one property of a registered parameter into a host's out pointer.
    The pointer is checked before the look-up, so a null pointer wins over an
    unknown identifier; the pointee is written only with success. */
template <typename Value, typename Read>
AAX_Result readParameter (const AAX_CParameterRegistry& registry, const char* parameterID, Value* outValue, Read&& read)
{
    if (outValue == nullptr)
        return kAAX_ErrorNullObject;

    const auto* parameter = registry.GetParameterByID (parameterID);

    if (parameter == nullptr)
        return kAAX_ErrorUnknownParameter;

    *outValue = read (*parameter);
    return kAAX_Success;
}

/** Applies a change to a registered parameter; an identifier nobody registered
    is answered kAAX_ErrorUnknownParameter and nothing changes. */
template <typename Change>
AAX_Result changeParameter (AAX_CParameterRegistry& registry, const char* parameterID, Change&& change)
{
    auto* parameter = registry.GetParameterByID (parameterID);

    if (parameter == nullptr)
        return kAAX_ErrorUnknownParameter;

    change (*parameter);
    return kAAX_Success;
}
} // namespace

//==============================================================================
AAX_CEffectParameters::AAX_CEffectParameters() = default;

AAX_CEffectParameters::~AAX_CEffectParameters()
{
    // A host that releases the object without uninitialising it must still get
    // every reference back, and no parameter may outlive the delegate it
    // unregisters from.
    releaseHostObjects();
}

void AAX_CEffectParameters::releaseHostObjects()
{
    parameterRegistry.RemoveAllParameters();
    parameterRegistry.Initialize (nullptr);
    packetDispatcher.Reset();
    controller.reset();
    automationDelegate.reset();
    transport.reset();
}

//==============================================================================
ACFResult AAX_CEffectParameters::QueryInterface (const ACFGuid& interfaceID, void** outInterface)
{
    return GetOuterUnknown()->QueryInterface (interfaceID, outInterface);
}

uint32_t AAX_CEffectParameters::AddRef()
{
    return GetOuterUnknown()->AddRef();
}

uint32_t AAX_CEffectParameters::Release()
{
    return GetOuterUnknown()->Release();
}

ACFResult AAX_CEffectParameters::InternalQueryInterface (const ACFGuid& interfaceID, void** outInterface)
{
    if (interfaceID == kIID_AAX_IACFEffectParameters || interfaceID == kIID_AAX_IACFEffectParameters_V2)
    {
        if (outInterface == nullptr)
            return kAAX_ErrorNullObject;

        if (interfaceID == kIID_AAX_IACFEffectParameters)
            *outInterface = static_cast<AAX_IACFEffectParameters*> (this);
        else
            *outInterface = static_cast<AAX_IACFEffectParameters_V2*> (this);

        AddRef();
        return kAAX_Success;
    }

    return CACFUnknown::InternalQueryInterface (interfaceID, outInterface);
}

//==============================================================================
AAX_Result AAX_CEffectParameters::Initialize (IACFUnknown* hostUnknown)
{
    // A second initialisation must not leave the first one's parameters
    // registered with a delegate that is about to be replaced.
    if (controller != nullptr || automationDelegate != nullptr || transport != nullptr)
        Uninitialize();

    controller = std::make_unique<AAX_VController> (hostUnknown);
    automationDelegate = std::make_unique<AAX_VAutomationDelegate> (hostUnknown);
    transport = std::make_unique<AAX_VTransport> (hostUnknown);

    parameterRegistry.Initialize (automationDelegate.get());
    packetDispatcher.Initialize (controller.get(), this);

    const auto result = EffectInit();

    if (result != kAAX_Success)
        return result;

    AAX_CString bypassID;
    GetMasterBypassParameter (&bypassID);
    ExcludeParameterFromChunk (bypassID.CString());
    return kAAX_Success;
}

AAX_Result AAX_CEffectParameters::Uninitialize()
{
    releaseHostObjects();
    return kAAX_Success;
}

AAX_Result AAX_CEffectParameters::EffectInit()
{
    return kAAX_Success;
}

AAX_Result AAX_CEffectParameters::NotificationReceived (uint32_t notificationType, const void* data, uint32_t dataSize)
{
    if (notificationType != kPreviewNotification)
        return kAAX_Success;

    auto* preview = parameterRegistry.GetParameterByID (kPreviewID);

    if (preview == nullptr)
        return kAAX_Success;

    int32_t state = 0;

    if (data == nullptr || dataSize < sizeof (state))
        return kAAX_ErrorNullObject;

    std::memcpy (&state, data, sizeof (state));
    preview->SetValueWithBool (state != 0);
    return kAAX_Success;
}

//==============================================================================
AAX_Result AAX_CEffectParameters::GetNumberOfParameters (int32_t* outCount)
{
    if (outCount == nullptr)
        return kAAX_ErrorNullObject;

    *outCount = parameterRegistry.NumParameters();
    return kAAX_Success;
}

AAX_Result AAX_CEffectParameters::GetMasterBypassParameter (AAX_IString* outIdentifier)
{
    if (outIdentifier == nullptr)
        return kAAX_ErrorNullObject;

    outIdentifier->Set (parameterRegistry.GetParameterByID (kMasterBypassID) != nullptr ? kMasterBypassID : "");
    return kAAX_Success;
}

AAX_Result AAX_CEffectParameters::GetParameterIsAutomatable (const char* parameterID, AAX_CBoolean* outAutomatable)
{
    if (outAutomatable == nullptr)
        return kAAX_ErrorNullObject;

    *outAutomatable = 0;
    const auto* parameter = parameterRegistry.GetParameterByID (parameterID);

    if (parameter == nullptr)
        return kAAX_ErrorUnknownParameter;

    *outAutomatable = parameter->Automatable() ? 1 : 0;
    return kAAX_Success;
}

AAX_Result AAX_CEffectParameters::GetParameterNumberOfSteps (const char* parameterID, int32_t* outSteps)
{
    if (outSteps == nullptr)
        return kAAX_ErrorNullObject;

    const auto* parameter = parameterRegistry.GetParameterByID (parameterID);

    if (parameter == nullptr)
        return kAAX_ErrorUnknownParameter;

    const auto steps = static_cast<int32_t> (parameter->GetNumberOfSteps());

    if (steps < 0)
        return kAAX_ErrorNegativeSteps;

    *outSteps = steps;
    return kAAX_Success;
}

AAX_Result AAX_CEffectParameters::GetParameterName (const char* parameterID, AAX_IString* outName)
{
    if (outName == nullptr)
        return kAAX_ErrorNullObject;

    const auto* parameter = parameterRegistry.GetParameterByID (parameterID);
    outName->Set (parameter != nullptr ? parameter->Name().CString() : "");
    return kAAX_Success;
}

AAX_Result AAX_CEffectParameters::GetParameterNameOfLength (const char* parameterID, AAX_IString* outName, int32_t length)
{
    constexpr uint32_t longestConsidered = 255;

    if (outName == nullptr)
        return kAAX_ErrorConversionFailed;

    const auto* parameter = parameterRegistry.GetParameterByID (parameterID);

    if (parameter == nullptr)
    {
        outName->Set ("");
        return kAAX_Success;
    }

    const auto& shortened = parameter->ShortenedName (length);
    const std::string work (shortened.CString(), shortened.Length() < longestConsidered ? shortened.Length() : longestConsidered);

    if (work.empty())
        return kAAX_Success;

    // Names may offer several lines, each a version of the name on its own;
    // the longest that fits wins, the first of equals.
    std::vector<std::string> candidates;
    size_t lineStart = 0;

    while (lineStart < work.size())
    {
        const auto lineEnd = work.find ('\n', lineStart);

        if (lineEnd == std::string::npos)
        {
            candidates.push_back (work.substr (lineStart));
            break;
        }

        candidates.push_back (work.substr (lineStart, lineEnd - lineStart));
        lineStart = lineEnd + 1;
    }

    int64_t bestLength = 0;

    for (const auto& candidate : candidates)
    {
        const auto candidateLength = static_cast<int64_t> (candidate.size());

        if (candidateLength > bestLength && candidateLength <= length)
        {
            outName->Set (candidate.c_str());
            bestLength = candidateLength;
        }
    }

    if (bestLength > 0)
        return kAAX_Success;

    if (length < 1)
        outName->Set ("");
    else
        shortened.SubString (0, static_cast<uint32_t> (length), outName);

    return kAAX_Success;
}

AAX_Result AAX_CEffectParameters::GetParameterDefaultNormalizedValue (const char* parameterID, double* outValue)
{
    return readParameter (parameterRegistry, parameterID, outValue, [] (const AAX_IParameter& parameter)
                          { return parameter.GetNormalizedDefaultValue(); });
}

AAX_Result AAX_CEffectParameters::SetParameterDefaultNormalizedValue (const char* parameterID, double value)
{
    return changeParameter (parameterRegistry, parameterID, [value] (AAX_IParameter& parameter)
                            { parameter.SetNormalizedDefaultValue (value); });
}

AAX_Result AAX_CEffectParameters::GetParameterType (const char* parameterID, int32_t* outType)
{
    return readParameter (parameterRegistry, parameterID, outType, [] (const AAX_IParameter& parameter)
                          { return parameter.GetType(); });
}

AAX_Result AAX_CEffectParameters::GetParameterOrientation (const char* parameterID, int32_t* outOrientation)
{
    return readParameter (parameterRegistry, parameterID, outOrientation, [] (const AAX_IParameter& parameter)
                          { return parameter.GetOrientation(); });
}

AAX_Result AAX_CEffectParameters::GetParameter (const char* parameterID, AAX_IParameter** outParameter)
{
    if (outParameter == nullptr)
        return kAAX_ErrorNullObject;

    *outParameter = parameterRegistry.GetParameterByID (parameterID);
    return *outParameter != nullptr ? kAAX_Success : kAAX_ErrorUnknownParameter;
}

AAX_Result AAX_CEffectParameters::GetParameterIndex (const char* parameterID, int32_t* outIndex)
{
    if (outIndex == nullptr)
        return kAAX_ErrorNullObject;

    *outIndex = parameterRegistry.GetParameterIndex (parameterID);
    return *outIndex >= 0 ? kAAX_Success : kAAX_ErrorUnknownParameter;
}

AAX_Result AAX_CEffectParameters::GetParameterIDFromIndex (int32_t index, AAX_IString* outIdentifier)
{
    if (outIdentifier == nullptr)
        return kAAX_ErrorNullObject;

    const auto* parameter = parameterRegistry.GetParameter (index);

    if (parameter == nullptr)
    {
        outIdentifier->Set ("");
        return kAAX_ErrorUnknownParameter;
    }

    outIdentifier->Set (parameter->Identifier());
    return kAAX_Success;
}

AAX_Result AAX_CEffectParameters::GetParameterValueInfo (const char*, int32_t, int32_t* outValue)
{
    if (outValue != nullptr)
        *outValue = 0;

    return kAAX_ErrorUnsupported;
}

AAX_Result AAX_CEffectParameters::GetParameterValueFromString (const char* parameterID, double* outValue, const AAX_IString& text)
{
    const auto* parameter = parameterRegistry.GetParameterByID (parameterID);

    if (parameter == nullptr)
        return kAAX_ErrorUnknownParameter;

    if (outValue == nullptr)
        return kAAX_ErrorNullObject;

    const AAX_CString copied (text);
    double normalized = 0.0;

    // The parameter writes its answer also when the text lies outside its
    // range; the host is given a value only with success.
    if (! parameter->GetNormalizedValueFromString (copied, &normalized))
        return kAAX_ErrorConversionFailed;

    *outValue = normalized;
    return kAAX_Success;
}

AAX_Result AAX_CEffectParameters::GetParameterStringFromValue (const char* parameterID, double value, AAX_IString* outText, int32_t maxLength)
{
    const auto* parameter = parameterRegistry.GetParameterByID (parameterID);

    if (parameter == nullptr)
        return kAAX_ErrorUnknownParameter;

    if (outText == nullptr)
        return kAAX_ErrorConversionFailed;

    AAX_CString text;

    if (! parameter->GetStringFromNormalizedValue (value, maxLength, text))
        return kAAX_ErrorConversionFailed;

    outText->Set (text.CString());
    return kAAX_Success;
}

AAX_Result AAX_CEffectParameters::GetParameterValueString (const char* parameterID, AAX_IString* outText, int32_t maxLength)
{
    const auto* parameter = parameterRegistry.GetParameterByID (parameterID);

    if (parameter == nullptr)
        return kAAX_ErrorUnknownParameter;

    if (outText == nullptr)
        return kAAX_ErrorNullObject;

    AAX_CString text;
    parameter->GetValueString (maxLength, &text);
    outText->Set (text.CString());
    return kAAX_Success;
}

AAX_Result AAX_CEffectParameters::GetParameterNormalizedValue (const char* parameterID, double* outValue)
{
    return readParameter (parameterRegistry, parameterID, outValue, [] (const AAX_IParameter& parameter)
                          { return parameter.GetNormalizedValue(); });
}

AAX_Result AAX_CEffectParameters::SetParameterNormalizedValue (const char* parameterID, double value)
{
    return changeParameter (parameterRegistry, parameterID, [value] (AAX_IParameter& parameter)
                            { parameter.SetNormalizedValue (value); });
}

AAX_Result AAX_CEffectParameters::SetParameterNormalizedRelative (const char* parameterID, double delta)
{
    double current = 0.0;
    const auto result = GetParameterNormalizedValue (parameterID, &current);

    if (result != kAAX_Success)
        return result;

    return SetParameterNormalizedValue (parameterID, clampedToUnitRange (current + delta));
}

AAX_Result AAX_CEffectParameters::TouchParameter (const char* parameterID)
{
    return changeParameter (parameterRegistry, parameterID, [] (AAX_IParameter& parameter)
                            { parameter.Touch(); });
}

AAX_Result AAX_CEffectParameters::ReleaseParameter (const char* parameterID)
{
    return changeParameter (parameterRegistry, parameterID, [] (AAX_IParameter& parameter)
                            { parameter.Release(); });
}

AAX_Result AAX_CEffectParameters::UpdateParameterTouch (const char*, AAX_CBoolean)
{
    return kAAX_Success;
}

AAX_Result AAX_CEffectParameters::UpdateParameterNormalizedValue (const char* parameterID, double value, int32_t)
{
    auto* parameter = parameterRegistry.GetParameterByID (parameterID);

    if (parameter == nullptr)
        return kAAX_ErrorUnknownParameter;

    parameter->UpdateNormalizedValue (value);
    const auto result = packetDispatcher.SetDirty (parameterID, true);
    changeCounter.fetch_add (1, std::memory_order_relaxed);
    return result;
}

AAX_Result AAX_CEffectParameters::UpdateParameterNormalizedRelative (const char* parameterID, double delta)
{
    double current = 0.0;
    const auto result = GetParameterNormalizedValue (parameterID, &current);

    if (result != kAAX_Success)
        return result;

    return UpdateParameterNormalizedValue (parameterID, clampedToUnitRange (current + delta), 0);
}

AAX_Result AAX_CEffectParameters::GenerateCoefficients()
{
    return packetDispatcher.Dispatch();
}

AAX_Result AAX_CEffectParameters::ResetFieldData (uint32_t, void* data, uint32_t dataSize)
{
    if (dataSize == 0)
        return kAAX_Success;

    if (data == nullptr)
        return kAAX_ErrorNullObject;

    std::memset (data, 0, dataSize);
    return kAAX_Success;
}

//==============================================================================
AAX_Result AAX_CEffectParameters::GetNumberOfChanges (int32_t* outCount)
{
    if (outCount == nullptr)
        return kAAX_ErrorNullObject;

    const auto changes = changeCounter.load (std::memory_order_relaxed);

    if (changes >= 0)
        *outCount = changes;

    return kAAX_Success;
}

void AAX_CEffectParameters::IncrementChangeCounter()
{
    changeCounter.fetch_add (1, std::memory_order_relaxed);
}

//==============================================================================
AAX_Result AAX_CEffectParameters::DefaultSlot40()
{
    return kAAX_Success;
}

AAX_Result AAX_CEffectParameters::DefaultSlot41()
{
    return kAAX_ErrorUnsupported;
}

AAX_Result AAX_CEffectParameters::DefaultSlot42 (int32_t, int32_t, int32_t, int32_t* outFourth)
{
    if (outFourth != nullptr)
        *outFourth = 0;

    return kAAX_Success;
}

AAX_Result AAX_CEffectParameters::DefaultSlot43()
{
    return kAAX_Success;
}

AAX_Result AAX_CEffectParameters::DefaultSlot44()
{
    return kAAX_Success;
}

AAX_Result AAX_CEffectParameters::DefaultSlot45()
{
    return kAAX_ErrorUnsupported;
}

AAX_Result AAX_CEffectParameters::DefaultSlot46()
{
    return kAAX_Success;
}

AAX_Result AAX_CEffectParameters::DefaultSlot47()
{
    return kAAX_Success;
}

//==============================================================================
AAX_VController* AAX_CEffectParameters::Controller()
{
    return controller.get();
}

AAX_VTransport* AAX_CEffectParameters::Transport()
{
    return transport.get();
}
