#pragma once

#include "formats/aax/host/HostCallLog.h"
#include "formats/aax/host/HostLedger.h"
#include "formats/aax/host/HostRegistration.h"
#include "formats/aax/host/HostSwitches.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

/** One trace line as the host's services received it. */
struct HostTrace
{
    int32_t priority;
    std::string text;
};

/**
    What all objects of one simulated host share: reference accounting, the call
    log, the switches, what the plug-in registered and the received traces. It outlives every host object, so
    records stay readable after the objects are gone.
*/
class HostContext
{
public:
    HostLedger ledger;
    HostCallLog calls;
    HostSwitches switches;
    HostRegistration registration;

    void addTrace (int32_t priority, const char* text);
    std::vector<HostTrace> traces() const;

private:
    mutable std::mutex traceLock;
    std::vector<HostTrace> receivedTraces;
};
