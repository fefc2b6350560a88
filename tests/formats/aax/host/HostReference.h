#pragma once

#include <utility>

/**
    One reference to a simulated host object, held the way a test holds it:
    taken on construction, given back on reset or destruction (the object goes
    with its last reference). Tests that keep these in a fixture reset them
    before the fixture's reference check runs.
*/
template <class Object>
class HostReference
{
public:
    HostReference() = default;

    explicit HostReference (Object* objectToHold)
        : held (objectToHold)
    {
        if (held != nullptr)
            held->addReference();
    }

    ~HostReference() { reset(); }

    HostReference (const HostReference&) = delete;
    HostReference& operator= (const HostReference&) = delete;

    HostReference (HostReference&& other) noexcept
        : held (std::exchange (other.held, nullptr))
    {
    }

    HostReference& operator= (HostReference&& other) noexcept
    {
        if (this != &other)
        {
            reset();
            held = std::exchange (other.held, nullptr);
        }

        return *this;
    }

    void reset()
    {
        if (auto* object = std::exchange (held, nullptr))
            object->releaseReference();
    }

    Object* get() const { return held; }
    Object* operator->() const { return held; }
    Object& operator*() const { return *held; }
    explicit operator bool() const { return held != nullptr; }

private:
    Object* held = nullptr;
};

/** Makes a host object and holds the first reference to it. */
template <class Object, class Context, class... Arguments>
HostReference<Object> makeHostObject (Context& context, Arguments&&... arguments)
{
    return HostReference<Object> (new Object (context, std::forward<Arguments> (arguments)...));
}
