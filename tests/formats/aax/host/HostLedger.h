#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

class HostObject;

/**
    Accounts for every simulated host object: how many live, every AddRef and
    Release made on any of them, and which object each handed-out interface
    pointer belongs to (so that logs can name the objects the plug-in passes back).
*/
class HostLedger
{
public:
    void objectCreated (HostObject& object);
    void objectDestroyed (HostObject& object);

    void addRefCalled() { addRefs.fetch_add (1, std::memory_order_relaxed); }
    void releaseCalled() { releases.fetch_add (1, std::memory_order_relaxed); }

    /** Ties an interface pointer the object hands out to the object. */
    void registerInterface (const void* interfacePointer, HostObject& object);

    /** The name of the live object owning interfacePointer; "null", or "foreign" when unknown. */
    std::string nameOf (const void* interfacePointer) const;

    int liveObjects() const;
    std::vector<std::string> liveObjectNames() const;

    int64_t addRefCalls() const { return addRefs.load(); }
    int64_t releaseCalls() const { return releases.load(); }

    /** AddRefs not yet matched by a Release; 0 when every reference was given back. */
    int64_t outstandingReferences() const { return addRefCalls() - releaseCalls(); }

    /** A fresh name of the form kind#n, numbered per kind from 1. */
    std::string nextName (const std::string& kind);

private:
    mutable std::mutex lock;
    std::set<HostObject*> live;
    std::map<const void*, HostObject*> interfaceOwners;
    std::map<std::string, int> serials;
    std::atomic<int64_t> addRefs { 0 };
    std::atomic<int64_t> releases { 0 };
};
