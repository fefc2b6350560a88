#include "formats/aax/AAX_CEffectParameters.h"

#include "formats/aax/AAX_CString.h"
#include "formats/aax/AAX_IParameter.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace
{
/** The one typed value a parameter answers, found by asking each accessor in turn. */
struct TypedValue
{
    enum Kind
    {
        none,
        floatValue,
        int32Value,
        boolValue,
        doubleValue,
        stringValue
    };

    Kind kind = none;
    float asFloat = 0.0f;
    int32_t asInt32 = 0;
    bool asBool = false;
    double asDouble = 0.0;
    AAX_CString asString;
};

TypedValue readTypedValue (const AAX_IParameter& parameter)
{
    TypedValue typed;

    if (parameter.GetValueAsFloat (&typed.asFloat))
        typed.kind = TypedValue::floatValue;
    else if (parameter.GetValueAsInt32 (&typed.asInt32))
        typed.kind = TypedValue::int32Value;
    else if (parameter.GetValueAsBool (&typed.asBool))
        typed.kind = TypedValue::boolValue;
    else if (parameter.GetValueAsDouble (&typed.asDouble))
        typed.kind = TypedValue::doubleValue;
    else if (parameter.GetValueAsString (&typed.asString))
        typed.kind = TypedValue::stringValue;

    return typed;
}

/** A stored double as a float; out-of-range values become infinities rather than undefined. */
float narrowToFloat (double value)
{
    constexpr auto largest = static_cast<double> (std::numeric_limits<float>::max());

    if (value > largest)
        return std::numeric_limits<float>::infinity();

    if (value < -largest)
        return -std::numeric_limits<float>::infinity();

    return static_cast<float> (value);
}
} // namespace

//==============================================================================
bool AAX_CEffectParameters::isExcluded (const char* parameterID) const
{
    return parameterID == nullptr || excludedIdentifiers.count (parameterID) != 0;
}

void AAX_CEffectParameters::ExcludeParameterFromChunk (const char* parameterID)
{
    if (parameterID != nullptr)
        excludedIdentifiers.insert (parameterID);
}

//==============================================================================
AAX_Result AAX_CEffectParameters::GetNumberOfChunks (int32_t* outCount)
{
    if (outCount == nullptr)
        return kAAX_ErrorNullObject;

    *outCount = 1;
    return kAAX_Success;
}

AAX_Result AAX_CEffectParameters::GetChunkIDFromIndex (int32_t index, uint32_t* outChunkID)
{
    if (outChunkID == nullptr)
        return kAAX_ErrorNullObject;

    if (index != 0)
    {
        *outChunkID = 0;
        return kAAX_ErrorChunkIndexOutOfRange;
    }

    *outChunkID = kControlsChunkID;
    return kAAX_Success;
}

void AAX_CEffectParameters::CollectChunkValues()
{
    chunkParser.Clear();

    int32_t count = 0;
    GetNumberOfParameters (&count);

    for (int32_t index = 0; index < count; ++index)
    {
        const auto* parameter = parameterRegistry.GetParameter (index);

        if (parameter == nullptr || isExcluded (parameter->Identifier()))
            continue;

        const auto* identifier = parameter->Identifier();
        const auto typed = readTypedValue (*parameter);

        switch (typed.kind)
        {
            case TypedValue::floatValue:
                chunkParser.AddDouble (identifier, static_cast<double> (typed.asFloat));
                break;
            case TypedValue::int32Value:
                chunkParser.AddInt32 (identifier, typed.asInt32);
                break;
            case TypedValue::boolValue:
                chunkParser.AddInt32 (identifier, typed.asBool ? 1 : 0);
                break;
            case TypedValue::doubleValue:
                chunkParser.AddDouble (identifier, typed.asDouble);
                break;
            case TypedValue::stringValue:
                chunkParser.AddString (identifier, typed.asString);
                break;
            case TypedValue::none:
                break;
        }
    }
}

AAX_Result AAX_CEffectParameters::GetChunkSize (uint32_t chunkID, uint32_t* outSize)
{
    if (outSize == nullptr)
        return kAAX_ErrorNullObject;

    if (chunkID != kControlsChunkID)
    {
        *outSize = 0;
        return kAAX_ErrorChunkNotOurs;
    }

    CollectChunkValues();
    lastReportedChunkSize = chunkParser.GetChunkDataSize();

    if (lastReportedChunkSize < 0)
        return kAAX_ErrorChunkSizeMismatch;

    *outSize = static_cast<uint32_t> (lastReportedChunkSize);
    return kAAX_Success;
}

AAX_Result AAX_CEffectParameters::GetChunk (uint32_t chunkID, AAX_SChunkRecord* chunk)
{
    if (chunkID != kControlsChunkID)
        return kAAX_ErrorChunkNotOurs;

    if (chunk == nullptr)
        return kAAX_ErrorNullObject;

    // The host sized the record from the last size reported; a chunk of any
    // other size would not fit it.
    CollectChunkValues();

    if (lastReportedChunkSize <= 0 || chunkParser.GetChunkDataSize() != lastReportedChunkSize)
        return kAAX_ErrorChunkSizeMismatch;

    chunk->version = chunkParser.GetVersion();
    std::memset (chunk->name, 0, sizeof (chunk->name));
    std::strncpy (chunk->name, kControlsChunkName, sizeof (chunk->name) - 1);
    return chunkParser.GetChunkData (chunk);
}

AAX_Result AAX_CEffectParameters::SetChunk (uint32_t chunkID, const AAX_SChunkRecord* chunk)
{
    if (chunkID != kControlsChunkID)
        return kAAX_ErrorChunkNotOurs;

    if (chunk == nullptr)
        return kAAX_ErrorNullObject;

    chunkParser.LoadChunk (chunk);

    int32_t count = 0;
    GetNumberOfParameters (&count);

    for (int32_t index = 0; index < count; ++index)
    {
        auto* parameter = parameterRegistry.GetParameter (index);

        if (parameter == nullptr || isExcluded (parameter->Identifier()))
            continue;

        const auto* identifier = parameter->Identifier();
        double storedDouble = 0.0;
        int32_t storedInt = 0;
        AAX_CString storedText;

        // A NaN in a stored value is damage, not a setting: the parameter keeps its value.
        switch (readTypedValue (*parameter).kind)
        {
            case TypedValue::floatValue:
                if (chunkParser.FindDouble (identifier, &storedDouble) && ! std::isnan (storedDouble))
                    parameter->SetValueWithFloat (narrowToFloat (storedDouble));
                break;
            case TypedValue::int32Value:
                if (chunkParser.FindInt32 (identifier, &storedInt))
                    parameter->SetValueWithInt32 (storedInt);
                break;
            case TypedValue::boolValue:
                if (chunkParser.FindInt32 (identifier, &storedInt))
                    parameter->SetValueWithBool (storedInt != 0);
                break;
            case TypedValue::doubleValue:
                if (chunkParser.FindDouble (identifier, &storedDouble) && ! std::isnan (storedDouble))
                    parameter->SetValueWithDouble (storedDouble);
                break;
            case TypedValue::stringValue:
                if (chunkParser.FindString (identifier, &storedText))
                    parameter->SetValueWithString (storedText);
                break;
            case TypedValue::none:
                break;
        }
    }

    return kAAX_Success;
}

AAX_Result AAX_CEffectParameters::CompareActiveChunk (const AAX_SChunkRecord* chunk, AAX_CBoolean* outIsEqual)
{
    if (outIsEqual == nullptr || chunk == nullptr)
        return kAAX_ErrorNullObject;

    if (chunk->chunkID != kControlsChunkID)
    {
        *outIsEqual = 1;
        return kAAX_Success;
    }

    *outIsEqual = 0;
    chunkParser.LoadChunk (chunk);

    int32_t count = 0;
    GetNumberOfParameters (&count);

    if (count == 0)
    {
        *outIsEqual = 1;
        return kAAX_Success;
    }

    for (int32_t index = 0; index < count; ++index)
    {
        const auto* parameter = parameterRegistry.GetParameter (index);

        if (parameter == nullptr || isExcluded (parameter->Identifier()))
            continue;

        const auto* identifier = parameter->Identifier();
        const auto typed = readTypedValue (*parameter);
        double storedDouble = 0.0;
        int32_t storedInt = 0;
        AAX_CString storedText;
        bool equal = true;

        switch (typed.kind)
        {
            case TypedValue::floatValue:
                equal = chunkParser.FindDouble (identifier, &storedDouble) && typed.asFloat == narrowToFloat (storedDouble);
                break;
            case TypedValue::int32Value:
                equal = chunkParser.FindInt32 (identifier, &storedInt) && typed.asInt32 == storedInt;
                break;
            case TypedValue::boolValue:
                equal = chunkParser.FindInt32 (identifier, &storedInt) && typed.asBool == (storedInt != 0);
                break;
            case TypedValue::doubleValue:
                equal = chunkParser.FindDouble (identifier, &storedDouble) && narrowToFloat (typed.asDouble) == narrowToFloat (storedDouble);
                break;
            case TypedValue::stringValue:
                equal = chunkParser.FindString (identifier, &storedText) && typed.asString == storedText;
                break;
            case TypedValue::none:
                break;
        }

        if (! equal)
            return kAAX_Success;
    }

    *outIsEqual = 1;
    return kAAX_Success;
}
