#pragma once

#include "formats/aax/AAX_Types.h"
#include "formats/aax/IACFUnknown.h"

/** The host window that holds the plug-in's editor. */
class AAX_IACFViewContainer : public IACFUnknown
{
public:
    virtual int32_t GetType() = 0; // slot 3
    virtual void* GetPtr() = 0; // slot 4
    virtual AAX_Result GetModifiers (uint32_t* outModifiers) = 0; // slot 5
    virtual AAX_Result SetViewSize (const AAX_Point& size) = 0; // slot 6
    virtual AAX_Result HandleParameterMouseDown (const char* parameterID, uint32_t modifiers) = 0; // slot 7
    virtual AAX_Result HandleParameterMouseDrag (const char* parameterID, uint32_t modifiers) = 0; // slot 8
    virtual AAX_Result HandleParameterMouseUp (const char* parameterID, uint32_t modifiers) = 0; // slot 9

protected:
    ~AAX_IACFViewContainer() = default;
};
