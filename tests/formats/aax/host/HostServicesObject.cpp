#include "formats/aax/host/HostServicesObject.h"

#include "formats/aax/AAX_Identifiers.h"

HostServicesObject::HostServicesObject (HostContext& context)
    : HostUnknownImpl (context, "hostServices")
{
}

AAX_Result HostServicesObject::Report (const char* first, int32_t number, const char* second)
{
    record ("Report", first, number, second);
    return context().switches.operationResult();
}

AAX_Result HostServicesObject::Trace (int32_t priority, const char* text)
{
    context().addTrace (priority, text);
    return context().switches.operationResult();
}

void* HostServicesObject::findInterface (const ACFGuid& interfaceID)
{
    if (interfaceID == kIID_IACFUnknown)
        return unknown();

    if (interfaceID == kIID_AAX_IACFHostServices)
        return static_cast<AAX_IACFHostServices*> (this);

    return nullptr;
}
