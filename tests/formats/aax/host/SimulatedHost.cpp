#include "formats/aax/host/SimulatedHost.h"

#include "formats/aax/host/HostFactoryObjects.h"

#include <stdexcept>

namespace
{
template <class HostClass>
std::pair<ACFGuid, std::function<HostObject*(HostContext&)>> makes (const ACFGuid& classID)
{
    return { classID, [] (HostContext& context)
             { return new HostClass (context); } };
}
} // namespace

HostComponentFactory::HostComponentFactory (HostContext& context)
    : HostUnknownImpl (context, "factory")
    , classes { makes<HostServicesObject> (kClassID_HostServices),
                makes<HostCollection> (kClassID_Collection),
                makes<HostEffectDescriptor> (kClassID_EffectDescriptor),
                makes<HostComponentDescriptor> (kClassID_ComponentDescriptor),
                makes<HostPropertyMap> (kClassID_PropertyMap) }
{
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

    for (const auto& [madeClass, make] : classes)
    {
        if (madeClass == classID)
        {
            auto* object = make (context());
            const auto result = object->queryInterface (interfaceID, outInterface);
            object->deleteIfUnreferenced();
            return result;
        }
    }

    return kACF_NoInterface;
}

void HostComponentFactory::beforeQuery()
{
    switch (context().switches.rootQueryThrow())
    {
        case HostThrow::none:
            return;
        case HostThrow::integer:
            throw 7;
        case HostThrow::standardException:
            throw std::runtime_error ("simulated host failure");
    }
}

//==============================================================================
SimulatedHost::SimulatedHost()
    : root (new HostComponentFactory (hostContext))
{
    root->addReference();
    rootHeld = true;
}

void SimulatedHost::releaseRoot()
{
    if (rootHeld)
    {
        rootHeld = false;
        root->releaseReference();
    }
}
