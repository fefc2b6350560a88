#pragma once

#include "formats/aax/AAX_IString.h"
#include "formats/aax/AAX_SChunkRecord.h"
#include "formats/aax/AAX_Types.h"
#include "formats/aax/IACFUnknown.h"

#include <cstdint>

class AAX_IParameter;

/**
    The effect object as the host reaches it: parameters, chunks, notifications
    and coefficient packets. Parameters are named by their identifier text;
    normalised values run from 0 to 1; out arguments are the host's.
*/
class AAX_IACFEffectParameters : public IACFUnknown
{
public:
    virtual AAX_Result Initialize (IACFUnknown* hostUnknown) = 0; // slot 3
    virtual AAX_Result Uninitialize() = 0; // slot 4
    virtual AAX_Result NotificationReceived (uint32_t notificationType, const void* data, uint32_t dataSize) = 0; // slot 5
    virtual AAX_Result GetNumberOfParameters (int32_t* outCount) = 0; // slot 6
    virtual AAX_Result GetMasterBypassParameter (AAX_IString* outIdentifier) = 0; // slot 7
    virtual AAX_Result GetParameterIsAutomatable (const char* parameterID, AAX_CBoolean* outAutomatable) = 0; // slot 8
    virtual AAX_Result GetParameterNumberOfSteps (const char* parameterID, int32_t* outSteps) = 0; // slot 9
    virtual AAX_Result GetParameterName (const char* parameterID, AAX_IString* outName) = 0; // slot 10
    virtual AAX_Result GetParameterNameOfLength (const char* parameterID, AAX_IString* outName, int32_t length) = 0; // slot 11
    virtual AAX_Result GetParameterDefaultNormalizedValue (const char* parameterID, double* outValue) = 0; // slot 12
    virtual AAX_Result SetParameterDefaultNormalizedValue (const char* parameterID, double value) = 0; // slot 13
    virtual AAX_Result GetParameterType (const char* parameterID, int32_t* outType) = 0; // slot 14
    virtual AAX_Result GetParameterOrientation (const char* parameterID, int32_t* outOrientation) = 0; // slot 15
    virtual AAX_Result GetParameter (const char* parameterID, AAX_IParameter** outParameter) = 0; // slot 16
    virtual AAX_Result GetParameterIndex (const char* parameterID, int32_t* outIndex) = 0; // slot 17
    virtual AAX_Result GetParameterIDFromIndex (int32_t index, AAX_IString* outIdentifier) = 0; // slot 18
    virtual AAX_Result GetParameterValueInfo (const char* parameterID, int32_t selector, int32_t* outValue) = 0; // slot 19
    virtual AAX_Result GetParameterValueFromString (const char* parameterID, double* outValue, const AAX_IString& text) = 0; // slot 20
    virtual AAX_Result GetParameterStringFromValue (const char* parameterID, double value, AAX_IString* outText, int32_t maxLength) = 0; // slot 21
    virtual AAX_Result GetParameterValueString (const char* parameterID, AAX_IString* outText, int32_t maxLength) = 0; // slot 22
    virtual AAX_Result GetParameterNormalizedValue (const char* parameterID, double* outValue) = 0; // slot 23
    virtual AAX_Result SetParameterNormalizedValue (const char* parameterID, double value) = 0; // slot 24
    virtual AAX_Result SetParameterNormalizedRelative (const char* parameterID, double delta) = 0; // slot 25
    virtual AAX_Result TouchParameter (const char* parameterID) = 0; // slot 26
    virtual AAX_Result ReleaseParameter (const char* parameterID) = 0; // slot 27
    virtual AAX_Result UpdateParameterTouch (const char* parameterID, AAX_CBoolean touched) = 0; // slot 28
    virtual AAX_Result UpdateParameterNormalizedValue (const char* parameterID, double value, int32_t updateSource) = 0; // slot 29
    virtual AAX_Result UpdateParameterNormalizedRelative (const char* parameterID, double delta) = 0; // slot 30
    virtual AAX_Result GenerateCoefficients() = 0; // slot 31
    virtual AAX_Result ResetFieldData (uint32_t fieldIndex, void* data, uint32_t dataSize) = 0; // slot 32
    virtual AAX_Result GetNumberOfChunks (int32_t* outCount) = 0; // slot 33
    virtual AAX_Result GetChunkIDFromIndex (int32_t index, uint32_t* outChunkID) = 0; // slot 34
    virtual AAX_Result GetChunkSize (uint32_t chunkID, uint32_t* outSize) = 0; // slot 35
    virtual AAX_Result GetChunk (uint32_t chunkID, AAX_SChunkRecord* chunk) = 0; // slot 36
    virtual AAX_Result SetChunk (uint32_t chunkID, const AAX_SChunkRecord* chunk) = 0; // slot 37
    virtual AAX_Result CompareActiveChunk (const AAX_SChunkRecord* chunk, AAX_CBoolean* outIsEqual) = 0; // slot 38
    virtual AAX_Result GetNumberOfChanges (int32_t* outCount) = 0; // slot 39

protected:
    ~AAX_IACFEffectParameters() = default;
};

/**
    Second version: operations this library answers only with defaults. Their
    arguments are the host's; nothing here reads them, except that slot 42
    writes 0 to its last argument.
*/
class AAX_IACFEffectParameters_V2 : public AAX_IACFEffectParameters
{
public:
    virtual AAX_Result DefaultSlot40() = 0; // slot 40
    virtual AAX_Result DefaultSlot41() = 0; // slot 41
    virtual AAX_Result DefaultSlot42 (int32_t first, int32_t second, int32_t third, int32_t* outFourth) = 0; // slot 42
    virtual AAX_Result DefaultSlot43() = 0; // slot 43
    virtual AAX_Result DefaultSlot44() = 0; // slot 44
    virtual AAX_Result DefaultSlot45() = 0; // slot 45
    virtual AAX_Result DefaultSlot46() = 0; // slot 46
    virtual AAX_Result DefaultSlot47() = 0; // slot 47

protected:
    ~AAX_IACFEffectParameters_V2() = default;
};
