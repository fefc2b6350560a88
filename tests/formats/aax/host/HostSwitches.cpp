#include "formats/aax/host/HostSwitches.h"

#include <algorithm>
#include <stdexcept>

void HostSwitches::withholdInterface (const ACFGuid& interfaceID)
{
    const std::lock_guard<std::mutex> guard (lock);
    withheld.push_back (interfaceID);
}

bool HostSwitches::isWithheld (const ACFGuid& interfaceID) const
{
    const std::lock_guard<std::mutex> guard (lock);
    return std::find (withheld.begin(), withheld.end(), interfaceID) != withheld.end();
}

void HostSwitches::answerNullInterface (const ACFGuid& interfaceID)
{
    const std::lock_guard<std::mutex> guard (lock);
    answeredWithNull.push_back (interfaceID);
}

bool HostSwitches::answersNullInterface (const ACFGuid& interfaceID) const
{
    const std::lock_guard<std::mutex> guard (lock);
    return std::find (answeredWithNull.begin(), answeredWithNull.end(), interfaceID) != answeredWithNull.end();
}

void HostSwitches::failCreation (const ACFGuid& classID, ACFResult failure)
{
    const std::lock_guard<std::mutex> guard (lock);
    creationOverrides.push_back ({ classID, failure });
}

void HostSwitches::answerNullObject (const ACFGuid& classID)
{
    const std::lock_guard<std::mutex> guard (lock);
    creationOverrides.push_back ({ classID, kAAX_Success });
}

bool HostSwitches::creationOverride (const ACFGuid& classID, ACFResult& answer) const
{
    const std::lock_guard<std::mutex> guard (lock);

    for (const auto& entry : creationOverrides)
    {
        if (entry.classID == classID)
        {
            answer = entry.answer;
            return true;
        }
    }

    return false;
}

void HostSwitches::throwFromRootQuery (HostThrow kind)
{
    const std::lock_guard<std::mutex> guard (lock);
    rootThrow = kind;
}

HostThrow HostSwitches::rootQueryThrow() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return rootThrow;
}

void HostSwitches::throwAs (HostThrow kind)
{
    switch (kind)
    {
        case HostThrow::none:
            return;
        case HostThrow::integer:
            throw 7;
        case HostThrow::standardException:
            throw std::runtime_error ("simulated host failure");
    }
}

void HostSwitches::setOperationResult (AAX_Result result)
{
    const std::lock_guard<std::mutex> guard (lock);
    operationAnswer = result;
}

AAX_Result HostSwitches::operationResult() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return operationAnswer;
}

void HostSwitches::setPropertyPresentAnswer (int32_t answer)
{
    const std::lock_guard<std::mutex> guard (lock);
    presentAnswer = answer;
}

int32_t HostSwitches::propertyPresentAnswer() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return presentAnswer;
}
