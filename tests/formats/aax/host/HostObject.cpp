#include "formats/aax/host/HostObject.h"

#include <cstdio>

HostObject::HostObject (HostContext& context, const std::string& kind)
    : hostContext (context)
    , objectName (context.ledger.nextName (kind))
{
}

HostObject::~HostObject()
{
    hostContext.ledger.objectDestroyed (*this);
}

void HostObject::answerQueries (const ACFGuid& interfaceID, void* interfacePointer)
{
    answers.push_back ({ interfaceID, interfacePointer, nullptr });
}

bool HostObject::handsOut (const void* interfacePointer) const
{
    for (const auto& answer : answers)
        if (answer.interfacePointer == interfacePointer)
            return true;

    return false;
}

void HostObject::passQueries (const std::vector<ACFGuid>& interfaceIDs, HostObject& part)
{
    for (const auto& interfaceID : interfaceIDs)
        answers.push_back ({ interfaceID, nullptr, &part });
}

void* HostObject::findInterface (const ACFGuid& interfaceID)
{
    for (const auto& answer : answers)
        if (answer.interfaceID == interfaceID)
            return answer.interfacePointer;

    return nullptr;
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

    for (const auto& answer : answers)
        if (answer.interfaceID == interfaceID && answer.part != nullptr)
            return answer.part->queryInterface (interfaceID, outInterface);

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
    hostContext.ledger.addRefCalled();
    return references.fetch_add (1) + 1;
}

uint32_t HostObject::releaseReference()
{
    hostContext.ledger.releaseCalled();
    const auto remaining = references.fetch_sub (1) - 1;

    if (remaining == 0)
        delete this;

    return remaining;
}

void HostObject::deleteIfUnreferenced()
{
    if (references.load() == 0)
        delete this;
}

void HostObject::setAnswer (AAX_Result answer)
{
    ownAnswer = answer;
    hasOwnAnswer = true;
}

AAX_Result HostObject::operationResult() const
{
    return hasOwnAnswer ? ownAnswer.load() : hostContext.switches.operationResult();
}

AAX_Result HostObject::keep (IACFUnknown* object, AAX_Result answer)
{
    if (object != nullptr)
    {
        keptObjects.emplace_back();
        keptObjects.back().retain (object);
    }

    return answer;
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
