#pragma once

#include "formats/aax/IACFUnknown.h"

#include <atomic>
#include <cstdint>

/**
    The reference-counted core that every library object handed to the host
    embeds.

    A class that offers a host interface derives from that interface first and
    from CACFUnknown second, forwards its own QueryInterface, AddRef and Release
    unchanged to GetOuterUnknown(), and overrides InternalQueryInterface to answer
    its own identifiers, handing every other identifier to the base:

        class Thing : public SomeHostInterface, public CACFUnknown
        {
            ACFResult QueryInterface (const ACFGuid& id, void** out) override { return GetOuterUnknown()->QueryInterface (id, out); }
            uint32_t AddRef() override { return GetOuterUnknown()->AddRef(); }
            uint32_t Release() override { return GetOuterUnknown()->Release(); }
            ACFResult InternalQueryInterface (const ACFGuid& id, void** out) override;
        };

    Objects start with a count of 0 and delete themselves when the count returns
    to 0, so they are always made with new and never deleted by their users. The
    process-wide live-object count tells the host whether the library may be
    unloaded.
*/
class CACFUnknown
{
public:
    /** An object that is its own outer object. */
    CACFUnknown();

    /**
        An object aggregated under an outer object, to which every query, AddRef
        and Release that reaches it through its host interfaces goes; a null outer
        object makes it its own, as the default constructor does.
    */
    explicit CACFUnknown (IACFUnknown* outerUnknown);

    virtual ~CACFUnknown();

    CACFUnknown (const CACFUnknown&) = delete;
    CACFUnknown& operator= (const CACFUnknown&) = delete;

    /** Nothing calls it; returns 0. */
    virtual ACFResult PostConstruct();

    /** Called when the count reaches 0, just before DeleteThis. */
    virtual void PreDelete();

    /** Deletes the object through its virtual destructor. */
    virtual void DeleteThis();

    /**
        Stores null, then answers the IACFUnknown identifier with the private
        unknown (adding one reference); any other identifier gives kACF_NoInterface.
        A null out pointer gives kAAX_ErrorNullObject.
    */
    virtual ACFResult InternalQueryInterface (const ACFGuid& interfaceID, void** outInterface);

    /** Adds one reference atomically; returns the new count. */
    virtual uint32_t InternalAddRef();

    /** Gives back one reference atomically; deletes the object when that was the last. */
    virtual uint32_t InternalRelease();

    /** The number of library objects alive in the process. */
    static uint32_t ActiveObjectCount();

    /** The object every host-interface query, AddRef and Release goes to. */
    IACFUnknown* GetOuterUnknown() const { return outerUnknown; }

    /** The object's own IACFUnknown, which answers through the Internal operations. */
    IACFUnknown* GetPrivateUnknown() { return &privateUnknown; }

private:
    class PrivateUnknown final : public IACFUnknown
    {
    public:
        explicit PrivateUnknown (CACFUnknown& ownerObject)
            : owner (&ownerObject)
        {
        }

        ACFResult QueryInterface (const ACFGuid& interfaceID, void** outInterface) override;
        uint32_t AddRef() override;
        uint32_t Release() override;

    private:
        CACFUnknown* owner;
    };

    std::atomic<uint32_t> referenceCount { 0 };
    IACFUnknown* outerUnknown;
    PrivateUnknown privateUnknown;

    static std::atomic<uint32_t> activeObjectCount;
};
