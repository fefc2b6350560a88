#pragma once

#include "formats/aax/AAX_Results.h"
#include "formats/aax/AAX_Types.h"
#include "formats/aax/ACFGuid.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

class HostObject;

/**
    Accounts for every simulated host object: how many live and every AddRef
    and Release made on any of them. It names the live object behind an
    interface pointer, so that logs can name the objects the plug-in passes back.
*/
class HostLedger
{
public:
    void objectCreated (HostObject& object);
    void objectDestroyed (HostObject& object);

    void addRefCalled() { addRefs.fetch_add (1, std::memory_order_relaxed); }
    void releaseCalled() { releases.fetch_add (1, std::memory_order_relaxed); }

    /** The name of the live object owning interfacePointer; "null", or "foreign" when unknown. */
    std::string nameOf (const void* interfacePointer) const;

    int liveObjects() const;
    std::vector<std::string> liveObjectNames() const;

    /** AddRefs not yet matched by a Release; 0 when every reference was given back. */
    int64_t outstandingReferences() const { return addRefs.load() - releases.load(); }

    /** A fresh name of the form kind#n, numbered per kind from 1. */
    std::string nextName (const std::string& kind);

private:
    mutable std::mutex lock;
    std::set<HostObject*> live;
    std::map<std::string, int> serials;
    std::atomic<int64_t> addRefs { 0 };
    std::atomic<int64_t> releases { 0 };
};

/**
    Every operation a simulated host object receives, in order, as one line of
    text: "object.Operation(argument, ...)". Texts are quoted, numbers decimal,
    host objects by name, routines by address (see routineText). Queries are
    not recorded.
*/
class HostCallLog
{
public:
    void record (std::string entry);
    std::vector<std::string> entries() const;

    /** The entries made by one object (whose name is given), in order. */
    std::vector<std::string> entriesOf (const std::string& objectName) const;

    /** The entries whose operation is the given one, in order. */
    std::vector<std::string> entriesWithOperation (const std::string& operation) const;

    void clear();

    /** How a routine address appears in entries. */
    template <typename Function>
    static std::string routineText (Function* routine)
    {
        if (routine == nullptr)
            return "null";

        char text[40];
        std::snprintf (text, sizeof (text), "routine@%p", reinterpret_cast<void*> (routine));
        return text;
    }

private:
    std::vector<std::string> entriesContaining (const std::string& marker, bool atStart) const;

    mutable std::mutex lock;
    std::vector<std::string> log;
};

/** How a simulated host misbehaves by throwing out of a call into it. */
enum class HostThrow
{
    none,
    integer, // throws the int 7
    standardException // throws std::runtime_error
};

/**
    The ways a test can make the simulated host less than helpful. Every host
    object consults them on each query, creation and recorded operation; a test
    sets them before the plug-in runs.
*/
class HostSwitches
{
public:
    /** No host object answers this interface, by query or by creation. */
    void withholdInterface (const ACFGuid& interfaceID) { withheld.push_back (interfaceID); }
    bool isWithheld (const ACFGuid& interfaceID) const { return listed (withheld, interfaceID); }

    /** Queries for this interface answer success but give no interface. */
    void answerNullInterface (const ACFGuid& interfaceID) { answeredWithNull.push_back (interfaceID); }
    bool answersNullInterface (const ACFGuid& interfaceID) const { return listed (answeredWithNull, interfaceID); }

    /** The factory answers this class with the given failure and no object. */
    void failCreation (const ACFGuid& classID, ACFResult failure) { creationOverrides.emplace_back (classID, failure); }

    /** The factory answers this class with success but no object. */
    void answerNullObject (const ACFGuid& classID) { failCreation (classID, kAAX_Success); }

    /** What the factory answers instead of creating, if anything (true when it intervenes). */
    bool creationOverride (const ACFGuid& classID, ACFResult& answer) const;

    /** The host's root object throws out of its QueryInterface. */
    void throwFromRootQuery (HostThrow kind) { rootThrow = kind; }
    HostThrow rootQueryThrow() const { return rootThrow; }

    /** What every recorded host operation answers unless its object has an answer of its own. */
    void setOperationResult (AAX_Result result) { operationAnswer = result; }
    AAX_Result operationResult() const { return operationAnswer; }

private:
    static bool listed (const std::vector<ACFGuid>& identifiers, const ACFGuid& interfaceID);

    std::vector<ACFGuid> withheld;
    std::vector<ACFGuid> answeredWithNull;
    std::vector<std::pair<ACFGuid, ACFResult>> creationOverrides;
    std::atomic<HostThrow> rootThrow { HostThrow::none };
    std::atomic<AAX_Result> operationAnswer { kAAX_Success };
};

/**
    What a plug-in registered with the host's descriptors, kept the way a host
    keeps it to run the plug-in later: the routines by routine identifier, the
    process routine, and the fields of the per-instance context block in the
    order they were declared. Registration runs on one thread, before anything
    reads it.
*/
class HostRegistration
{
public:
    enum class FieldKind
    {
        audioIn,
        audioOut,
        bufferLength,
        dataInPort,
        midiNode,
        privateData,
        other
    };

    struct Field
    {
        uint32_t index;
        FieldKind kind;
        uint32_t size; // bytes of a data port's packet or of private data; 0 otherwise
    };

    void addRoutine (uint32_t routineID, void* routineAddress) { routines[routineID] = routineAddress; }
    void addProcessRoutine (AAX_ProcessRoutine process) { lastProcessRoutine = process; }
    void addField (uint32_t index, FieldKind kind, uint32_t size) { declaredFields.push_back ({ index, kind, size }); }

    /** The routine registered last under routineID, or null. */
    void* routine (uint32_t routineID) const { return routines.count (routineID) != 0 ? routines.at (routineID) : nullptr; }

    /** The process routine registered last, or null. */
    AAX_ProcessRoutine processRoutine() const { return lastProcessRoutine; }

    const std::vector<Field>& fields() const { return declaredFields; }

private:
    std::map<uint32_t, void*> routines;
    AAX_ProcessRoutine lastProcessRoutine = nullptr;
    std::vector<Field> declaredFields;
};

/** One trace line as the host's services received it. */
struct HostTrace
{
    int32_t priority;
    std::string text;
};

/**
    What all objects of one simulated host share: reference accounting, the call
    log, the switches, what the plug-in registered and the received traces. It
    outlives every host object, so records stay readable after the objects are gone.
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

/** The readable name of an identifier the host's factory is asked for, or "unknown". */
std::string hostIdentifierName (const ACFGuid& identifier);
