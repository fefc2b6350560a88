#include "formats/aax/CACFUnknown.h"

#include "formats/aax/AAX_Identifiers.h"

std::atomic<uint32_t> CACFUnknown::activeObjectCount { 0 };

CACFUnknown::CACFUnknown()
    : CACFUnknown (nullptr)
{
}

CACFUnknown::CACFUnknown (IACFUnknown* outer)
    : outerUnknown (outer != nullptr ? outer : &privateUnknown)
    , privateUnknown (*this)
{
    activeObjectCount.fetch_add (1, std::memory_order_relaxed);
}

CACFUnknown::~CACFUnknown()
{
    activeObjectCount.fetch_sub (1, std::memory_order_relaxed);
}

ACFResult CACFUnknown::PostConstruct()
{
    return kAAX_Success;
}

void CACFUnknown::PreDelete() {}

void CACFUnknown::DeleteThis()
{
    delete this;
}

ACFResult CACFUnknown::InternalQueryInterface (const ACFGuid& interfaceID, void** outInterface)
{
    if (outInterface == nullptr)
        return kAAX_ErrorNullObject;

    *outInterface = nullptr;

    if (interfaceID == kIID_IACFUnknown)
    {
        *outInterface = static_cast<IACFUnknown*> (&privateUnknown);
        privateUnknown.AddRef();
        return kAAX_Success;
    }

    return kACF_NoInterface;
}

uint32_t CACFUnknown::InternalAddRef()
{
    return referenceCount.fetch_add (1, std::memory_order_relaxed) + 1;
}

uint32_t CACFUnknown::InternalRelease()
{
    // The decision to delete rests on the value this very decrement produced,
    // so exactly one of several racing releases deletes. acq_rel makes every
    // other thread's use of the object happen before the deletion.
    const auto remaining = referenceCount.fetch_sub (1, std::memory_order_acq_rel) - 1;

    if (remaining == 0)
    {
        PreDelete();
        DeleteThis();
    }

    return remaining;
}

uint32_t CACFUnknown::ActiveObjectCount()
{
    return activeObjectCount.load (std::memory_order_relaxed);
}

ACFResult CACFUnknown::PrivateUnknown::QueryInterface (const ACFGuid& interfaceID, void** outInterface)
{
    return owner->InternalQueryInterface (interfaceID, outInterface);
}

uint32_t CACFUnknown::PrivateUnknown::AddRef()
{
    return owner->InternalAddRef();
}

uint32_t CACFUnknown::PrivateUnknown::Release()
{
    return owner->InternalRelease();
}
