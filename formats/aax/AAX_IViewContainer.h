#pragma once

#include "formats/aax/AAX_Results.h"
#include "formats/aax/AAX_Types.h"

#include <cstdint>

//==============================================================================
/** The host window that holds the plug-in's editor. Identifiers are the
    parameters' NUL-terminated identifiers.
*/
class AAX_IViewContainer
{
public:
    /** GetType's answer for a native view. */
    static constexpr int32_t nativeViewType = 1;

    virtual ~AAX_IViewContainer() = default;

    /** 0 when the host gave no container. */
    virtual int32_t GetType() = 0;

    /** The native view, or null. */
    virtual void* GetPtr() = 0;
    virtual AAX_Result GetModifiers (uint32_t* modifiers) = 0;
    virtual AAX_Result SetViewSize (const AAX_Point& size) = 0;
    virtual AAX_Result HandleParameterMouseDown (const char* parameterID, uint32_t modifiers) = 0;
    virtual AAX_Result HandleParameterMouseDrag (const char* parameterID, uint32_t modifiers) = 0;
    virtual AAX_Result HandleParameterMouseUp (const char* parameterID, uint32_t modifiers) = 0;
};
