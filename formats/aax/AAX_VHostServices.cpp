#include "formats/aax/AAX_VHostServices.h"

#include "formats/aax/AAX_HostForwarding.h"
#include "formats/aax/AAX_Identifiers.h"
#include "formats/aax/IACFComponentFactory.h"

AAX_VHostServices::AAX_VHostServices (IACFUnknown* hostUnknown)
{
    if (hostUnknown == nullptr)
        return;

    ACFPtr<IACFComponentFactory> factory;

    const auto answer = hostUnknown->QueryInterface (kIID_IACFComponentFactory, factory.outPointer());

    // A host may answer success and still hand back nothing; only a factory
    // actually held is used.
    if (answer != kAAX_Success || ! factory)
        return;

    factory.get()->CreateComponent (kClassID_HostServices, nullptr, kIID_AAX_IACFHostServices, hostServices.outPointer());
}

AAX_VHostServices::~AAX_VHostServices() = default;

AAX_Result AAX_VHostServices::Report (const char* first, int32_t number, const char* second)
{
    return AAX_ForwardToHost (hostServices, kAAX_ErrorNullObject, &AAX_IACFHostServices::Report, first, number, second);
}

AAX_Result AAX_VHostServices::Trace (int32_t priority, const char* text)
{
    return AAX_ForwardToHost (hostServices, kAAX_ErrorNullObject, &AAX_IACFHostServices::Trace, priority, text);
}
