#include "formats/aax/ACFExports.h"

#include "formats/aax/AAX_CHostServicesAccess.h"
#include "formats/aax/ACFRegistration.h"
#include "formats/aax/CACFUnknown.h"

namespace
{
template <typename Body>
ACFResult guarded (Body&& body) noexcept
{
    try
    {
        return body();
    }
    catch (...)
    {
        return kACF_Unexpected;
    }
}
} // namespace

ACFResult ACFRegisterPlugin (IACFUnknown* hostUnknown, IACFDefinition** outDefinition)
{
    return guarded ([&]
                    { return ACFRegisterPluginImpl (hostUnknown, outDefinition); });
}

ACFResult ACFRegisterComponent (IACFUnknown*, uint32_t, IACFDefinition** outDefinition)
{
    return guarded ([&]
                    {
                        if (outDefinition == nullptr)
                            return kAAX_ErrorNullObject;

                        *outDefinition = nullptr;
                        return kAAX_Success; });
}

ACFResult ACFGetClassFactory (IACFUnknown*, const ACFGuid*, const ACFGuid*, void** outFactory)
{
    return guarded ([&]
                    {
                        if (outFactory != nullptr)
                            *outFactory = nullptr;

                        return kAAX_ErrorUnsupported; });
}

ACFResult ACFCanUnloadNow()
{
    return guarded ([]
                    { return static_cast<ACFResult> (CACFUnknown::ActiveObjectCount()); });
}

ACFResult ACFStartup (IACFUnknown* hostUnknown)
{
    return guarded ([&]
                    {
                        AAX_CHostServicesAccess::Set (hostUnknown);
                        return kAAX_Success; });
}

ACFResult ACFShutdown (IACFUnknown*)
{
    return guarded ([]
                    {
                        AAX_CHostServicesAccess::Set (nullptr);
                        return kAAX_Success; });
}

ACFResult ACFGetSDKVersion (uint64_t* outVersion)
{
    return guarded ([&]
                    {
                        if (outVersion == nullptr)
                            return kAAX_ErrorNullObject;

                        *outVersion = kACF_InterfaceVersion;
                        return kAAX_Success; });
}
