#include "formats/aax/host/SimulatedHost.h"

#include "formats/aax/AAX_Identifiers.h"
#include "formats/aax/host/HostCollection.h"
#include "formats/aax/host/HostComponentDescriptor.h"
#include "formats/aax/host/HostEffectDescriptor.h"
#include "formats/aax/host/HostPropertyMap.h"
#include "formats/aax/host/HostServicesObject.h"

SimulatedHost::SimulatedHost()
    : root (new HostComponentFactory (hostContext))
{
    root->addReference();
    rootHeld = true;

    registerClass<HostServicesObject> (kClassID_HostServices);
    registerClass<HostCollection> (kClassID_Collection);
    registerClass<HostEffectDescriptor> (kClassID_EffectDescriptor);
    registerClass<HostComponentDescriptor> (kClassID_ComponentDescriptor);
    registerClass<HostPropertyMap> (kClassID_PropertyMap);
}

SimulatedHost::~SimulatedHost()
{
    releaseRoot();
}

IACFUnknown* SimulatedHost::unknown()
{
    return rootHeld ? root->unknown() : nullptr;
}

void SimulatedHost::releaseRoot()
{
    if (rootHeld)
    {
        rootHeld = false;
        root->releaseReference();
    }
}
