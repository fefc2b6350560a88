#pragma once

#include "formats/aax/AAX_Types.h"
#include "formats/aax/IACFUnknown.h"

/** The host's side of parameter automation; parameters are named by identifier text. */
class AAX_IACFAutomationDelegate : public IACFUnknown
{
public:
    virtual AAX_Result RegisterParameter (const char* parameterID) = 0; // slot 3
    virtual AAX_Result UnregisterParameter (const char* parameterID) = 0; // slot 4
    virtual AAX_Result PostSetValueRequest (const char* parameterID, double normalizedValue) = 0; // slot 5
    virtual AAX_Result PostCurrentValue (const char* parameterID, double normalizedValue) = 0; // slot 6
    virtual AAX_Result PostTouchRequest (const char* parameterID) = 0; // slot 7
    virtual AAX_Result PostReleaseRequest (const char* parameterID) = 0; // slot 8
    virtual AAX_Result GetTouchState (const char* parameterID, AAX_CBoolean* outTouched) = 0; // slot 9

protected:
    ~AAX_IACFAutomationDelegate() = default;
};
