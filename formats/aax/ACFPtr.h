#pragma once

#include "formats/aax/AAX_Results.h"
#include "formats/aax/IACFUnknown.h"

/**
    Holds one reference to a host interface and gives it back when cleared or
    destroyed.

    To have the host fill the holder, pass outPointer() as the out argument of a
    query or a creation: any interface still held is released first, and whatever
    the host stores lands in the holder at the end of that call's full
    expression. So make the call a statement of its own and look at the holder
    afterwards, never within the same expression:

        ACFPtr<IACFComponentFactory> factory;
        const auto answer = unknown->QueryInterface (kIID_IACFComponentFactory, factory.outPointer());
        if (answer == 0 && factory) ...

    AcfPtrCheck() is the guarded accessor: it throws kACF_NullInterfaceThrown
    (the integer itself) when nothing is held, which the exported entry points
    turn into an error result.
*/
template <class Interface>
class ACFPtr
{
public:
    ACFPtr() = default;

    ~ACFPtr() { reset(); }

    ACFPtr (const ACFPtr&) = delete;
    ACFPtr& operator= (const ACFPtr&) = delete;

    ACFPtr (ACFPtr&& other) noexcept
        : pointer (other.pointer)
    {
        other.pointer = nullptr;
    }

    ACFPtr& operator= (ACFPtr&& other) noexcept
    {
        if (this != &other)
        {
            reset();
            pointer = other.pointer;
            other.pointer = nullptr;
        }

        return *this;
    }

    /** Gives back the reference held, if any, and clears the holder. */
    void reset()
    {
        if (auto* held = pointer)
        {
            pointer = nullptr;
            held->Release();
        }
    }

    /** Holds the given interface too, adding a reference to it (null empties the holder). */
    void retain (Interface* shared)
    {
        if (shared != nullptr)
            shared->AddRef();

        reset();
        pointer = shared;
    }

    Interface* get() const { return pointer; }

    explicit operator bool() const { return pointer != nullptr; }

    /** The held interface; throws kACF_NullInterfaceThrown when there is none. */
    Interface* AcfPtrCheck() const
    {
        if (pointer == nullptr)
            throw kACF_NullInterfaceThrown;

        return pointer;
    }

    /** The held interface as the IACFUnknown it starts with (null when empty). */
    IACFUnknown* asUnknown() const { return pointer; }

    class OutSlot
    {
    public:
        explicit OutSlot (ACFPtr& holderToFill)
            : holder (holderToFill)
        {
        }
        ~OutSlot() { holder.pointer = static_cast<Interface*> (raw); }

        OutSlot (const OutSlot&) = delete;
        OutSlot& operator= (const OutSlot&) = delete;

        operator void**() { return &raw; }

    private:
        ACFPtr& holder;
        void* raw = nullptr;
    };

    /** An out argument for a host query or creation that fills this holder. */
    OutSlot outPointer()
    {
        reset();
        return OutSlot (*this);
    }

private:
    Interface* pointer = nullptr;
};
