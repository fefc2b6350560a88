#include "formats/aax/host/HostLedger.h"

#include "formats/aax/host/HostObject.h"

void HostLedger::objectCreated (HostObject& object)
{
    const std::lock_guard<std::mutex> guard (lock);
    live.insert (&object);
}

void HostLedger::objectDestroyed (HostObject& object)
{
    const std::lock_guard<std::mutex> guard (lock);
    live.erase (&object);

    for (auto it = interfaceOwners.begin(); it != interfaceOwners.end();)
        it = (it->second == &object) ? interfaceOwners.erase (it) : std::next (it);
}

void HostLedger::registerInterface (const void* interfacePointer, HostObject& object)
{
    const std::lock_guard<std::mutex> guard (lock);
    interfaceOwners[interfacePointer] = &object;
}

std::string HostLedger::nameOf (const void* interfacePointer) const
{
    if (interfacePointer == nullptr)
        return "null";

    const std::lock_guard<std::mutex> guard (lock);
    const auto found = interfaceOwners.find (interfacePointer);
    return found != interfaceOwners.end() ? found->second->name() : "foreign";
}

int HostLedger::liveObjects() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return static_cast<int> (live.size());
}

std::vector<std::string> HostLedger::liveObjectNames() const
{
    const std::lock_guard<std::mutex> guard (lock);
    std::vector<std::string> names;

    for (auto* object : live)
        names.push_back (object->name() + " (" + std::to_string (object->referenceCount()) + " references)");

    return names;
}

std::string HostLedger::nextName (const std::string& kind)
{
    const std::lock_guard<std::mutex> guard (lock);
    return kind + "#" + std::to_string (++serials[kind]);
}
