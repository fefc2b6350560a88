#pragma once

#include "formats/aax/AAX_Results.h"
#include "formats/aax/ACFGuid.h"

#include <mutex>
#include <vector>

/** How a simulated host misbehaves by throwing out of a call into it. */
enum class HostThrow
{
    none,
    integer, // throws the int 7
    standardException // throws std::runtime_error
};

/**
    The ways a test can make the simulated host less than helpful. Every host
    object consults them on each query and creation.
*/
class HostSwitches
{
public:
    /** No host object answers this interface, by query or by creation. */
    void withholdInterface (const ACFGuid& interfaceID);
    bool isWithheld (const ACFGuid& interfaceID) const;

    /** Queries for this interface answer success but give no interface. */
    void answerNullInterface (const ACFGuid& interfaceID);
    bool answersNullInterface (const ACFGuid& interfaceID) const;

    /** The factory answers this class with the given failure and no object. */
    void failCreation (const ACFGuid& classID, ACFResult failure);

    /** The factory answers this class with success but no object. */
    void answerNullObject (const ACFGuid& classID);

    /** What the factory answers instead of creating, if anything (true when it intervenes). */
    bool creationOverride (const ACFGuid& classID, ACFResult& answer) const;

    /** The host's root object throws out of its QueryInterface. */
    void throwFromRootQuery (HostThrow kind);
    HostThrow rootQueryThrow() const;

    /** Throws as the given kind says; does nothing for HostThrow::none. */
    static void throwAs (HostThrow kind);

    /** What every recorded host operation answers (traces included). */
    void setOperationResult (AAX_Result result);
    AAX_Result operationResult() const;

    /** What a property map's queries answer for a property that is present (false is always 0). */
    void setPropertyPresentAnswer (int32_t answer);
    int32_t propertyPresentAnswer() const;

private:
    struct CreationOverride
    {
        ACFGuid classID;
        ACFResult answer;
    };

    mutable std::mutex lock;
    std::vector<ACFGuid> withheld;
    std::vector<ACFGuid> answeredWithNull;
    std::vector<CreationOverride> creationOverrides;
    HostThrow rootThrow = HostThrow::none;
    AAX_Result operationAnswer = kAAX_Success;
    int32_t presentAnswer = 1;
};
