#include "formats/aax/AAX_VAutomationDelegate.h"

#include "formats/aax/AAX_HostForwarding.h"
#include "formats/aax/AAX_Identifiers.h"

AAX_VAutomationDelegate::AAX_VAutomationDelegate (IACFUnknown* hostUnknown)
{
    if (hostUnknown != nullptr)
        hostUnknown->QueryInterface (kIID_AAX_IACFAutomationDelegate, automation.outPointer());
}

AAX_VAutomationDelegate::~AAX_VAutomationDelegate()
{
    automation.reset();
}

AAX_Result AAX_VAutomationDelegate::RegisterParameter (const char* parameterID)
{
    return AAX_ForwardToHost (automation, kAAX_ErrorNullObject, &AAX_IACFAutomationDelegate::RegisterParameter, parameterID);
}

AAX_Result AAX_VAutomationDelegate::UnregisterParameter (const char* parameterID)
{
    return AAX_ForwardToHost (automation, kAAX_ErrorNullObject, &AAX_IACFAutomationDelegate::UnregisterParameter, parameterID);
}

AAX_Result AAX_VAutomationDelegate::PostSetValueRequest (const char* parameterID, double normalizedValue)
{
    return AAX_ForwardToHost (automation, kAAX_ErrorNullObject, &AAX_IACFAutomationDelegate::PostSetValueRequest, parameterID, normalizedValue);
}

AAX_Result AAX_VAutomationDelegate::PostCurrentValue (const char* parameterID, double normalizedValue)
{
    return AAX_ForwardToHost (automation, kAAX_ErrorNullObject, &AAX_IACFAutomationDelegate::PostCurrentValue, parameterID, normalizedValue);
}

AAX_Result AAX_VAutomationDelegate::PostTouchRequest (const char* parameterID)
{
    return AAX_ForwardToHost (automation, kAAX_ErrorNullObject, &AAX_IACFAutomationDelegate::PostTouchRequest, parameterID);
}

AAX_Result AAX_VAutomationDelegate::PostReleaseRequest (const char* parameterID)
{
    return AAX_ForwardToHost (automation, kAAX_ErrorNullObject, &AAX_IACFAutomationDelegate::PostReleaseRequest, parameterID);
}

AAX_Result AAX_VAutomationDelegate::GetTouchState (const char* parameterID, AAX_CBoolean* touched)
{
    return AAX_ForwardToHost (automation, kAAX_ErrorNullObject, &AAX_IACFAutomationDelegate::GetTouchState, parameterID, touched);
}
