#include "formats/aax/AAX_VViewContainer.h"

#include "formats/aax/AAX_HostForwarding.h"
#include "formats/aax/AAX_Identifiers.h"

AAX_VViewContainer::AAX_VViewContainer (IACFUnknown* hostUnknown)
{
    if (hostUnknown != nullptr)
        hostUnknown->QueryInterface (kIID_AAX_IACFViewContainer, container.outPointer());
}

AAX_VViewContainer::~AAX_VViewContainer()
{
    container.reset();
}

int32_t AAX_VViewContainer::GetType()
{
    return AAX_ForwardToHost (container, 0, &AAX_IACFViewContainer::GetType);
}

void* AAX_VViewContainer::GetPtr()
{
    return AAX_ForwardToHost (container, nullptr, &AAX_IACFViewContainer::GetPtr);
}

AAX_Result AAX_VViewContainer::GetModifiers (uint32_t* modifiers)
{
    return AAX_ForwardToHost (container, kAAX_ErrorUnsupported, &AAX_IACFViewContainer::GetModifiers, modifiers);
}

AAX_Result AAX_VViewContainer::SetViewSize (const AAX_Point& size)
{
    return AAX_ForwardToHost (container, kAAX_Success, &AAX_IACFViewContainer::SetViewSize, size);
}

AAX_Result AAX_VViewContainer::HandleParameterMouseDown (const char* parameterID, uint32_t modifiers)
{
    return AAX_ForwardToHost (container, kAAX_ErrorUnsupported, &AAX_IACFViewContainer::HandleParameterMouseDown, parameterID, modifiers);
}

AAX_Result AAX_VViewContainer::HandleParameterMouseDrag (const char* parameterID, uint32_t modifiers)
{
    return AAX_ForwardToHost (container, kAAX_ErrorUnsupported, &AAX_IACFViewContainer::HandleParameterMouseDrag, parameterID, modifiers);
}

AAX_Result AAX_VViewContainer::HandleParameterMouseUp (const char* parameterID, uint32_t modifiers)
{
    return AAX_ForwardToHost (container, kAAX_ErrorUnsupported, &AAX_IACFViewContainer::HandleParameterMouseUp, parameterID, modifiers);
}
