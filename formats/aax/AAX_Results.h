#pragma once

#include <cstdint>

/** The result of every operation across the host boundary: 0 is success. */
using AAX_Result = int32_t;

/** The same 32-bit result, for the operations of the object model beneath. */
using ACFResult = int32_t;

// Codes the library answers with. Hosts compare against the numeric values, so
// these numbers are part of the contract and must never change.
inline constexpr AAX_Result kAAX_Success = 0;
inline constexpr AAX_Result kAAX_ErrorUnknownParameter = -20001;
inline constexpr AAX_Result kAAX_ErrorConversionFailed = -20002;
inline constexpr AAX_Result kAAX_ErrorNullObject = -20004;
inline constexpr AAX_Result kAAX_ErrorChunkIndexOutOfRange = -20006;
inline constexpr AAX_Result kAAX_ErrorChunkNotOurs = -20007;
inline constexpr AAX_Result kAAX_ErrorChunkSizeMismatch = -20008;
inline constexpr AAX_Result kAAX_ErrorUnsupported = -20009;
inline constexpr AAX_Result kAAX_ErrorNoController = -20011;
inline constexpr AAX_Result kAAX_ErrorNegativeSteps = -20033;
inline constexpr AAX_Result kAAX_ErrorChunkWriteFailed = -333;

/** An interface query for an identifier the object does not offer. */
inline constexpr ACFResult kACF_NoInterface = static_cast<ACFResult> (0x80000004u);

/** An exception reached an exported entry point. */
inline constexpr ACFResult kACF_Unexpected = static_cast<ACFResult> (0x8000FFFFu);

/** Thrown (as the exception object itself) when a null host interface is used. */
inline constexpr int32_t kACF_NullInterfaceThrown = static_cast<int32_t> (0x80000005u);
