#pragma once

#include "formats/aax/AAX_Results.h"
#include "formats/aax/ACFGuid.h"
#include "formats/aax/ACFPtr.h"
#include "formats/aax/IACFUnknown.h"
#include "formats/aax/host/HostContext.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

/**
    The reference-counted core of every simulated host object. It counts each
    AddRef and Release (on the object and in the context's ledger), deletes the
    object at the last Release, answers queries through findInterface while
    honouring the context's withheld interfaces, and records operations in the
    context's call log.

    Objects start with no reference: whoever creates one takes the first through
    a query, as the host's factory does. Derive through HostUnknownImpl, which
    supplies the three IACFUnknown slots.
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
    uint32_t addRefCalls() const { return addRefCount.load(); }
    uint32_t releaseCalls() const { return releaseCount.load(); }

    /** A query as the plug-in makes it: withheld or unknown identifiers give kACF_NoInterface. */
    ACFResult queryInterface (const ACFGuid& interfaceID, void** outInterface);

    uint32_t addReference();
    uint32_t releaseReference();

    /** Deletes an object that never handed out a reference (a refused first query). */
    void deleteIfUnreferenced();

protected:
    /** The interface pointer for the identifier, or null when the object has none. */
    virtual void* findInterface (const ACFGuid& interfaceID) = 0;

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

    void registerInterface (const void* interfacePointer) { hostContext.ledger.registerInterface (interfacePointer, *this); }

    /**
        Holds a reference to an object the plug-in handed over, as a host keeps
        what it is given; it is given back when this object goes.
    */
    void keep (IACFUnknown* object);

    /** What recorded operations answer (HostSwitches::setOperationResult). */
    AAX_Result operationResult() const { return hostContext.switches.operationResult(); }

private:
    HostContext& hostContext;
    const std::string objectName;
    std::atomic<uint32_t> references { 0 };
    std::atomic<uint32_t> addRefCount { 0 };
    std::atomic<uint32_t> releaseCount { 0 };
    std::vector<ACFPtr<IACFUnknown>> keptObjects;
};

/**
    Puts the three IACFUnknown slots of every listed interface onto HostObject.
    A simulated host object derives from HostUnknownImpl<Interface, ...> and
    implements findInterface and the interfaces' own operations.
*/
template <class FirstInterface, class... OtherInterfaces>
class HostUnknownImpl : public FirstInterface, public OtherInterfaces..., public HostObject
{
public:
    HostUnknownImpl (HostContext& context, const std::string& kind)
        : HostObject (context, kind)
    {
        registerInterface (static_cast<FirstInterface*> (this));
        (registerInterface (static_cast<OtherInterfaces*> (this)), ...);
    }

    ACFResult QueryInterface (const ACFGuid& interfaceID, void** outInterface) override { return queryInterface (interfaceID, outInterface); }
    uint32_t AddRef() override { return addReference(); }
    uint32_t Release() override { return releaseReference(); }

    /** The object's IACFUnknown (that of its first interface). */
    IACFUnknown* unknown() { return static_cast<IACFUnknown*> (static_cast<FirstInterface*> (this)); }
};
