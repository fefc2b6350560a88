#include "formats/aax/host/HostComponentFactory.h"

#include "formats/aax/AAX_Identifiers.h"
#include "formats/aax/host/HostIdentifierNames.h"

HostComponentFactory::HostComponentFactory (HostContext& context)
    : HostUnknownImpl (context, "factory")
{
}

void HostComponentFactory::registerClass (const ACFGuid& classID, Maker maker)
{
    classes.push_back ({ classID, std::move (maker) });
}

ACFResult HostComponentFactory::CreateComponent (const ACFGuid& classID, IACFUnknown* outerUnknown, const ACFGuid& interfaceID, void** outInterface)
{
    record ("CreateComponent", hostIdentifierName (classID), outerUnknown, hostIdentifierName (interfaceID));

    if (outInterface == nullptr)
        return kAAX_ErrorNullObject;

    *outInterface = nullptr;

    ACFResult overridden = kAAX_Success;

    if (context().switches.creationOverride (classID, overridden))
        return overridden;

    for (const auto& registration : classes)
    {
        if (registration.classID == classID)
        {
            auto* object = registration.maker (context());
            const auto result = object->queryInterface (interfaceID, outInterface);
            object->deleteIfUnreferenced();
            return result;
        }
    }

    return kACF_NoInterface;
}

void* HostComponentFactory::findInterface (const ACFGuid& interfaceID)
{
    if (interfaceID == kIID_IACFUnknown)
        return unknown();

    if (interfaceID == kIID_IACFComponentFactory)
        return static_cast<IACFComponentFactory*> (this);

    return nullptr;
}

void HostComponentFactory::beforeQuery()
{
    HostSwitches::throwAs (context().switches.rootQueryThrow());
}
