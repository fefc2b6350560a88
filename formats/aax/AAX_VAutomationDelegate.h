#pragma once

#include "formats/aax/AAX_IACFAutomationDelegate.h"
#include "formats/aax/AAX_IAutomationDelegate.h"
#include "formats/aax/ACFPtr.h"

//==============================================================================
/** The plug-in's view of the host's automation of one instance.

    State: the host's automation interface, holding one reference or null,
    queried once at construction and given back at destruction. Without it
    every operation answers -20004 without calling the host.
*/
class AAX_VAutomationDelegate : public AAX_IAutomationDelegate
{
public:
    explicit AAX_VAutomationDelegate (IACFUnknown* hostUnknown);
    ~AAX_VAutomationDelegate() override;

    AAX_VAutomationDelegate (const AAX_VAutomationDelegate&) = delete;
    AAX_VAutomationDelegate& operator= (const AAX_VAutomationDelegate&) = delete;

    AAX_Result RegisterParameter (const char* parameterID) override;
    AAX_Result UnregisterParameter (const char* parameterID) override;
    AAX_Result PostSetValueRequest (const char* parameterID, double normalizedValue) override;
    AAX_Result PostCurrentValue (const char* parameterID, double normalizedValue) override;
    AAX_Result PostTouchRequest (const char* parameterID) override;
    AAX_Result PostReleaseRequest (const char* parameterID) override;
    AAX_Result GetTouchState (const char* parameterID, AAX_CBoolean* touched) override;

private:
    ACFPtr<AAX_IACFAutomationDelegate> automation;
};
