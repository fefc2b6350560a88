#pragma once

#include "formats/aax/host/HostObject.h"

#include <functional>
#include <vector>

/**
    The simulated host's root object: the IACFUnknown the host hands to the
    plug-in's exports, which also is the component factory. It makes host objects
    by class identifier, and honours the switches that withhold interfaces, fail
    creations, answer success with no object, or throw from a query.
*/
class HostComponentFactory final : public HostUnknownImpl<IACFComponentFactory>
{
public:
    explicit HostComponentFactory (HostContext& context);

    ACFResult CreateComponent (const ACFGuid& classID, IACFUnknown* outerUnknown, const ACFGuid& interfaceID, void** outInterface) override;

protected:
    void beforeQuery() override;

private:
    /** Makes a new object of one class; the factory then queries it for the requested interface. */
    using Maker = std::function<HostObject*(HostContext&)>;

    std::vector<std::pair<ACFGuid, Maker>> classes;
};

/**
    A simulated AAX host: the shared context and the root object, holding one
    reference to the root until releaseRoot() or destruction.
*/
class SimulatedHost
{
public:
    SimulatedHost();
    ~SimulatedHost() { releaseRoot(); }

    SimulatedHost (const SimulatedHost&) = delete;
    SimulatedHost& operator= (const SimulatedHost&) = delete;

    /** The host's IACFUnknown, as the exports receive it (null after releaseRoot). */
    IACFUnknown* unknown() { return rootHeld ? root->unknown() : nullptr; }

    HostContext& context() { return hostContext; }
    HostSwitches& switches() { return hostContext.switches; }
    HostLedger& ledger() { return hostContext.ledger; }
    HostCallLog& calls() { return hostContext.calls; }

    /** Gives back the host's own reference to its root object. */
    void releaseRoot();

private:
    HostContext hostContext;
    HostComponentFactory* root = nullptr;
    bool rootHeld = false;
};
