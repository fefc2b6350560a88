#include "formats/aax/host/SimulatedHost.h"

#include "formats/aax/AAX_Identifiers.h"
#include "formats/aax/host/HostServicesObject.h"

SimulatedHost::SimulatedHost()
    : root (new HostComponentFactory (hostContext))
{
    root->addReference();
    rootHeld = true;

    root->registerClass (kClassID_HostServices, [] (HostContext& context)
                         { return new HostServicesObject (context); });
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
