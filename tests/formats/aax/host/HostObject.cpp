#include "formats/aax/host/HostObject.h"

#include "formats/aax/AAX_Identifiers.h"

#include <cstdio>

HostObject::HostObject (HostContext& context, const std::string& kind)
    : hostContext (context)
    , objectName (context.ledger.nextName (kind))
{
    hostContext.ledger.objectCreated (*this);
}

HostObject::~HostObject()
{
    hostContext.ledger.objectDestroyed (*this);
}

ACFResult HostObject::queryInterface (const ACFGuid& interfaceID, void** outInterface)
{
    beforeQuery();

    if (outInterface == nullptr)
        return kAAX_ErrorNullObject;

    *outInterface = nullptr;

    if (hostContext.switches.isWithheld (interfaceID))
        return kACF_NoInterface;

    if (hostContext.switches.answersNullInterface (interfaceID))
        return kAAX_Success;

    if (auto* found = findInterface (interfaceID))
    {
        *outInterface = found;
        addReference();
        return kAAX_Success;
    }

    return kACF_NoInterface;
}

uint32_t HostObject::addReference()
{
    addRefCount.fetch_add (1);
    hostContext.ledger.addRefCalled();
    return references.fetch_add (1) + 1;
}

uint32_t HostObject::releaseReference()
{
    releaseCount.fetch_add (1);
    hostContext.ledger.releaseCalled();
    const auto remaining = references.fetch_sub (1) - 1;

    if (remaining == 0)
        delete this;

    return remaining;
}

void HostObject::keep (IACFUnknown* object)
{
    if (object == nullptr)
        return;

    keptObjects.emplace_back();
    keptObjects.back().retain (object);
}

void HostObject::deleteIfUnreferenced()
{
    if (references.load() == 0)
        delete this;
}

std::string HostObject::describe (double value) const
{
    char text[40];
    std::snprintf (text, sizeof (text), "%.17g", value);
    return text;
}

std::string HostObject::describe (const char* text) const
{
    return text == nullptr ? "null" : "\"" + std::string (text) + "\"";
}
