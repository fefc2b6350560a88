#pragma once

#include "formats/aax/IACFUnknown.h"
#include "formats/aax/host/HostComponentFactory.h"
#include "formats/aax/host/HostContext.h"

/**
    A simulated AAX host: the shared context and the root object (the host's
    IACFUnknown and component factory), with the host's classes registered.
    It holds one reference to the root until releaseRoot() or destruction.

    To add a host class, make a HostUnknownImpl subclass and register a maker for
    its class identifier with factory().registerClass.
*/
class SimulatedHost
{
public:
    SimulatedHost();
    ~SimulatedHost();

    SimulatedHost (const SimulatedHost&) = delete;
    SimulatedHost& operator= (const SimulatedHost&) = delete;

    /** The host's IACFUnknown, as the exports receive it (null after releaseRoot). */
    IACFUnknown* unknown();

    HostComponentFactory& factory() { return *root; }

    HostContext& context() { return hostContext; }
    HostSwitches& switches() { return hostContext.switches; }
    HostLedger& ledger() { return hostContext.ledger; }
    HostCallLog& calls() { return hostContext.calls; }

    /** Gives back the host's own reference to its root object. */
    void releaseRoot();

    /** Lets the factory make objects of HostClass (constructed from the context) for classID. */
    template <class HostClass>
    void registerClass (const ACFGuid& classID)
    {
        root->registerClass (classID, [] (HostContext& context)
                             { return new HostClass (context); });
    }

private:
    HostContext hostContext;
    HostComponentFactory* root = nullptr;
    bool rootHeld = false;
};
