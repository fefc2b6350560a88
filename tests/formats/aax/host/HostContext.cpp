#include "formats/aax/host/HostContext.h"

#include "formats/aax/AAX_Identifiers.h"
#include "formats/aax/host/HostObject.h"

#include <algorithm>
#include <utility>

void HostLedger::objectCreated (HostObject& object)
{
    const std::lock_guard<std::mutex> guard (lock);
    live.insert (&object);
}

void HostLedger::objectDestroyed (HostObject& object)
{
    const std::lock_guard<std::mutex> guard (lock);
    live.erase (&object);
}

std::string HostLedger::nameOf (const void* interfacePointer) const
{
    if (interfacePointer == nullptr)
        return "null";

    const std::lock_guard<std::mutex> guard (lock);

    for (auto* object : live)
        if (object->handsOut (interfacePointer))
            return object->name();

    return "foreign";
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

//==============================================================================
void HostCallLog::record (std::string entry)
{
    const std::lock_guard<std::mutex> guard (lock);
    log.push_back (std::move (entry));
}

std::vector<std::string> HostCallLog::entries() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return log;
}

std::vector<std::string> HostCallLog::entriesOf (const std::string& objectName) const
{
    return entriesContaining (objectName + ".", true);
}

std::vector<std::string> HostCallLog::entriesWithOperation (const std::string& operation) const
{
    return entriesContaining ("." + operation + "(", false);
}

std::vector<std::string> HostCallLog::entriesContaining (const std::string& marker, bool atStart) const
{
    const std::lock_guard<std::mutex> guard (lock);
    std::vector<std::string> result;

    for (const auto& entry : log)
        if (atStart ? entry.compare (0, marker.size(), marker) == 0 : entry.find (marker) != std::string::npos)
            result.push_back (entry);

    return result;
}

void HostCallLog::clear()
{
    const std::lock_guard<std::mutex> guard (lock);
    log.clear();
}

//==============================================================================
bool HostSwitches::creationOverride (const ACFGuid& classID, ACFResult& answer) const
{
    for (const auto& [overriddenClass, overridingAnswer] : creationOverrides)
    {
        if (overriddenClass == classID)
        {
            answer = overridingAnswer;
            return true;
        }
    }

    return false;
}

bool HostSwitches::listed (const std::vector<ACFGuid>& identifiers, const ACFGuid& interfaceID)
{
    return std::find (identifiers.begin(), identifiers.end(), interfaceID) != identifiers.end();
}

//==============================================================================
//==============================================================================
void HostContext::addTrace (int32_t priority, const char* text)
{
    const std::lock_guard<std::mutex> guard (traceLock);
    receivedTraces.push_back ({ priority, text != nullptr ? text : "(null)" });
}

std::vector<HostTrace> HostContext::traces() const
{
    const std::lock_guard<std::mutex> guard (traceLock);
    return receivedTraces;
}

std::string hostIdentifierName (const ACFGuid& identifier)
{
    static const std::pair<ACFGuid, const char*> known[] = {
        { kClassID_HostServices, "HostServicesClass" },
        { kIID_AAX_IACFHostServices, "AAX_IACFHostServices" },
        { kClassID_Collection, "CollectionClass" },
        { kIID_AAX_IACFCollection, "AAX_IACFCollection" },
        { kClassID_EffectDescriptor, "EffectDescriptorClass" },
        { kIID_AAX_IACFEffectDescriptor, "AAX_IACFEffectDescriptor" },
        { kClassID_ComponentDescriptor, "ComponentDescriptorClass" },
        { kIID_AAX_IACFComponentDescriptor, "AAX_IACFComponentDescriptor" },
        { kClassID_PropertyMap, "PropertyMapClass" },
        { kIID_AAX_IACFPropertyMap, "AAX_IACFPropertyMap" },
    };

    for (const auto& [knownIdentifier, name] : known)
        if (knownIdentifier == identifier)
            return name;

    return "unknown";
}
