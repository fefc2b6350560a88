#pragma once

#include "formats/aax/AAX_Results.h"
#include "formats/aax/AAX_Types.h"

//==============================================================================
/** The host's automation of the plug-in's parameters: parameters register with
    it, and every change the plug-in wants goes to the host as a request
    between a touch and a release. Identifiers are NUL-terminated texts.
*/
class AAX_IAutomationDelegate
{
public:
    virtual ~AAX_IAutomationDelegate() = default;

    virtual AAX_Result RegisterParameter (const char* parameterID) = 0;
    virtual AAX_Result UnregisterParameter (const char* parameterID) = 0;
    virtual AAX_Result PostSetValueRequest (const char* parameterID, double normalizedValue) = 0;
    virtual AAX_Result PostCurrentValue (const char* parameterID, double normalizedValue) = 0;
    virtual AAX_Result PostTouchRequest (const char* parameterID) = 0;
    virtual AAX_Result PostReleaseRequest (const char* parameterID) = 0;
    virtual AAX_Result GetTouchState (const char* parameterID, AAX_CBoolean* touched) = 0;
};
