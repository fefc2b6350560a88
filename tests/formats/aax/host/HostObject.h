#pragma once

#include "formats/aax/AAX_IACFAutomationDelegate.h"
#include "formats/aax/AAX_IACFCollection.h"
#include "formats/aax/AAX_IACFComponentDescriptor.h"
#include "formats/aax/AAX_IACFController.h"
#include "formats/aax/AAX_IACFEffectDescriptor.h"
#include "formats/aax/AAX_IACFEffectParameters.h"
#include "formats/aax/AAX_IACFHostServices.h"
#include "formats/aax/AAX_IACFPropertyMap.h"
#include "formats/aax/AAX_IACFTransport.h"
#include "formats/aax/AAX_IACFViewContainer.h"
#include "formats/aax/AAX_Identifiers.h"
#include "formats/aax/ACFPtr.h"
#include "formats/aax/IACFComponentFactory.h"
#include "formats/aax/IACFDefinition.h"
#include "formats/aax/host/HostContext.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

/**
    The identifiers under which a host object hands out each interface it
    implements: the interface's own and those of the earlier versions it
    extends. One table for every host object, so that no object answers its
    queries by hand.
*/
template <class Interface>
inline const std::vector<ACFGuid> hostInterfaceIDs {};

// clang-format off
template <> inline const std::vector<ACFGuid> hostInterfaceIDs<IACFComponentFactory> { kIID_IACFComponentFactory };
template <> inline const std::vector<ACFGuid> hostInterfaceIDs<AAX_IACFHostServices> { kIID_AAX_IACFHostServices };
template <> inline const std::vector<ACFGuid> hostInterfaceIDs<AAX_IACFCollection> { kIID_AAX_IACFCollection };
template <> inline const std::vector<ACFGuid> hostInterfaceIDs<IACFDefinition> { kIID_IACFDefinition };
template <> inline const std::vector<ACFGuid> hostInterfaceIDs<AAX_IACFEffectDescriptor_V2> { kIID_AAX_IACFEffectDescriptor, kIID_AAX_IACFEffectDescriptor_V2 };
template <> inline const std::vector<ACFGuid> hostInterfaceIDs<AAX_IACFComponentDescriptor_V2> { kIID_AAX_IACFComponentDescriptor, kIID_AAX_IACFComponentDescriptor_V2 };
template <> inline const std::vector<ACFGuid> hostInterfaceIDs<AAX_IACFPropertyMap_V2> { kIID_AAX_IACFPropertyMap, kIID_AAX_IACFPropertyMap_V2 };
template <> inline const std::vector<ACFGuid> hostInterfaceIDs<AAX_IACFController_V2> { kIID_AAX_IACFController, kIID_AAX_IACFController_V2 };
template <> inline const std::vector<ACFGuid> hostInterfaceIDs<AAX_IACFAutomationDelegate> { kIID_AAX_IACFAutomationDelegate };
template <> inline const std::vector<ACFGuid> hostInterfaceIDs<AAX_IACFTransport_V2> { kIID_AAX_IACFTransport, kIID_AAX_IACFTransport_V2 };
template <> inline const std::vector<ACFGuid> hostInterfaceIDs<AAX_IACFViewContainer> { kIID_AAX_IACFViewContainer };
template <> inline const std::vector<ACFGuid> hostInterfaceIDs<AAX_IACFEffectParameters_V2> { kIID_AAX_IACFEffectParameters, kIID_AAX_IACFEffectParameters_V2 };
// clang-format on

/**
    The reference-counted core of every simulated host object. It counts each
    AddRef and Release (on the object and in the context's ledger), deletes the
    object at the last Release, answers queries from its table of interfaces
    while honouring the context's switches, and records operations in the
    context's call log.

    Objects start with no reference: whoever creates one takes the first through
    a query, as the host's factory does. Derive through HostUnknownImpl, which
    supplies the three IACFUnknown slots and fills the table.
*/
class HostObject
{
public:
    HostObject (HostContext& context, const std::string& kind);
    virtual ~HostObject();

    HostObject (const HostObject&) = delete;
    HostObject& operator= (const HostObject&) = delete;

    const std::string& name() const { return objectName; }
    HostContext& context() const { return hostContext; }
    uint32_t referenceCount() const { return references.load(); }

    /** Whether this object hands out the interface pointer. */
    bool handsOut (const void* interfacePointer) const;

    /** A query as the plug-in makes it: withheld or unknown identifiers give kACF_NoInterface. */
    ACFResult queryInterface (const ACFGuid& interfaceID, void** outInterface);

    uint32_t addReference();
    uint32_t releaseReference();

    /** Deletes an object that never handed out a reference (a refused first query). */
    void deleteIfUnreferenced();

    /**
        Every recorded operation of this object answers this from now on, in
        place of the switches' answer: a host code the plug-in must pass on
        unchanged. The operations still do their work.
    */
    void setAnswer (AAX_Result answer);

protected:
    /** Queries for interfaceID hand out interfacePointer, a reference added to this object. */
    void answerQueries (const ACFGuid& interfaceID, void* interfacePointer);

    /** Queries for these identifiers are answered by another host object, as a part of this one. */
    void passQueries (const std::vector<ACFGuid>& interfaceIDs, HostObject& part);

    /** The interface pointer for the identifier, or null when the object has none. */
    virtual void* findInterface (const ACFGuid& interfaceID);

    /** Called by each query before it is answered; may throw. */
    virtual void beforeQuery() {}

    /** Records "name.operation(arguments)" in the call log. */
    template <typename... Arguments>
    void record (const char* operation, const Arguments&... arguments)
    {
        std::string entry = objectName + "." + operation + "(";
        const std::vector<std::string> texts { describe (arguments)... };

        for (size_t i = 0; i < texts.size(); ++i)
            entry += (i == 0 ? "" : ", ") + texts[i];

        hostContext.calls.record (entry + ")");
    }

    /** Records the operation and gives what it answers. */
    template <typename... Arguments>
    AAX_Result recorded (const char* operation, const Arguments&... arguments)
    {
        record (operation, arguments...);
        return operationResult();
    }

    std::string describe (uint32_t value) const { return std::to_string (value); }
    std::string describe (int32_t value) const { return std::to_string (value); }
    std::string describe (int64_t value) const { return std::to_string (value); }
    std::string describe (double value) const;
    std::string describe (const char* text) const;
    std::string describe (const std::string& preformatted) const { return preformatted; }
    std::string describe (IACFUnknown* object) const { return hostContext.ledger.nameOf (object); }

    /** Out pointers and other addresses: only whether one was given. */
    template <typename T>
    std::string describe (T* pointer) const
    {
        return pointer == nullptr ? "null" : "pointer";
    }

    /** Stores value through destination, if given; returns answer. */
    template <typename T>
    static AAX_Result write (T* destination, T value, AAX_Result answer)
    {
        if (destination != nullptr)
            *destination = value;

        return answer;
    }

    /**
        Holds a reference to an object the plug-in handed over, as a host keeps
        what it is given (given back when this object goes); returns answer.
    */
    AAX_Result keep (IACFUnknown* object, AAX_Result answer);

    /** What recorded operations answer: the object's own answer, else the switches'. */
    AAX_Result operationResult() const;

    /** Runs action under the lock that guards the object's own state, which operations on other threads change. */
    template <typename Action>
    auto locked (Action&& action) const -> decltype (action())
    {
        const std::lock_guard<std::mutex> guard (stateLock);
        return action();
    }

    /** Makes a recorded operation's change to the object's state; returns the operation's answer. */
    template <typename Change>
    AAX_Result changed (AAX_Result answer, Change&& change)
    {
        locked (change);
        return answer;
    }

private:
    struct Answer
    {
        ACFGuid interfaceID;
        void* interfacePointer;
        HostObject* part;
    };

    HostContext& hostContext;
    const std::string objectName;
    std::atomic<uint32_t> references { 0 };
    std::vector<Answer> answers;
    std::atomic<bool> hasOwnAnswer { false };
    std::atomic<AAX_Result> ownAnswer { kAAX_Success };
    std::vector<ACFPtr<IACFUnknown>> keptObjects;
    mutable std::mutex stateLock;
};

/**
    Puts the three IACFUnknown slots of every listed interface onto HostObject
    and answers queries for IACFUnknown and for every identifier the table above
    gives each listed interface. A simulated host object derives from
    HostUnknownImpl<Interface, ...> and implements the interfaces' own operations.
*/
template <class FirstInterface, class... OtherInterfaces>
class HostUnknownImpl : public FirstInterface, public OtherInterfaces..., public HostObject
{
public:
    HostUnknownImpl (HostContext& context, const std::string& kind)
        : HostObject (context, kind)
    {
        answerQueries (kIID_IACFUnknown, unknown());
        answerAs<FirstInterface>();
        (answerAs<OtherInterfaces>(), ...);

        // Counted live only now, so that the ledger never reads a half-filled table.
        context.ledger.objectCreated (*this);
    }

    ACFResult QueryInterface (const ACFGuid& interfaceID, void** outInterface) override { return queryInterface (interfaceID, outInterface); }
    uint32_t AddRef() override { return addReference(); }
    uint32_t Release() override { return releaseReference(); }

    /** The object's IACFUnknown (that of its first interface). */
    IACFUnknown* unknown() { return static_cast<IACFUnknown*> (static_cast<FirstInterface*> (this)); }

private:
    template <class Interface>
    void answerAs()
    {
        for (const auto& interfaceID : hostInterfaceIDs<Interface>)
            answerQueries (interfaceID, static_cast<Interface*> (this));
    }
};
