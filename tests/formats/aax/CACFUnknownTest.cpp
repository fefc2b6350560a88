#include "formats/aax/CACFUnknown.h"
#include "formats/aax/AAX_Identifiers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace
{
constexpr ACFGuid kIID_TestThing = ACFGuid::fromText ("0D15EA5E-0000-4000-8000-000000000001");

class ITestThing : public IACFUnknown
{
public:
    virtual int32_t Value() = 0;

protected:
    ~ITestThing() = default;
};

struct Lifecycle
{
    std::string events;
    int destructions = 0;
};

// A library object built the usual way: the host interface first, the core second.
class TestThing final : public ITestThing, public CACFUnknown
{
public:
    explicit TestThing (Lifecycle& record, IACFUnknown* outer = nullptr)
        : CACFUnknown (outer)
        , lifecycle (record)
    {
    }
    ~TestThing() override
    {
        lifecycle.events += "destroyed;";
        ++lifecycle.destructions;
    }

    ACFResult QueryInterface (const ACFGuid& id, void** out) override { return GetOuterUnknown()->QueryInterface (id, out); }
    uint32_t AddRef() override { return GetOuterUnknown()->AddRef(); }
    uint32_t Release() override { return GetOuterUnknown()->Release(); }
    int32_t Value() override { return 42; }

    ACFResult InternalQueryInterface (const ACFGuid& id, void** out) override
    {
        if (out != nullptr && id == kIID_TestThing)
        {
            *out = static_cast<ITestThing*> (this);
            AddRef();
            return kAAX_Success;
        }

        return CACFUnknown::InternalQueryInterface (id, out);
    }

    void PreDelete() override { lifecycle.events += "preDelete;"; }

private:
    Lifecycle& lifecycle;
};

// An outer object that only counts what reaches it.
class CountingOuter final : public IACFUnknown
{
public:
    ACFResult QueryInterface (const ACFGuid&, void** out) override
    {
        ++queries;
        *out = nullptr;
        return kACF_NoInterface;
    }
    uint32_t AddRef() override { return ++addRefs; }
    uint32_t Release() override { return ++releases; }

    int queries = 0;
    uint32_t addRefs = 0;
    uint32_t releases = 0;
};
} // namespace

TEST (CACFUnknown, QueryForTheBaseInterfaceGivesThePrivateUnknownAndOneReference)
{
    Lifecycle lifecycle;
    auto* thing = new TestThing (lifecycle);

    void* answer = nullptr;
    ASSERT_EQ (thing->QueryInterface (kIID_IACFUnknown, &answer), kAAX_Success);
    EXPECT_EQ (answer, static_cast<void*> (thing->GetPrivateUnknown()));

    // The count went from 0 to 1: the next AddRef reports 2.
    EXPECT_EQ (thing->AddRef(), 2u);
    EXPECT_EQ (thing->Release(), 1u);

    EXPECT_EQ (static_cast<IACFUnknown*> (answer)->Release(), 0u);
    EXPECT_EQ (lifecycle.events, "preDelete;destroyed;");
}

TEST (CACFUnknown, UnknownIdentifierClearsTheOutPointer)
{
    Lifecycle lifecycle;
    auto* thing = new TestThing (lifecycle);
    thing->AddRef();

    void* answer = &lifecycle; // anything but null
    EXPECT_EQ (thing->QueryInterface (kIID_AAX_IACFCollection, &answer), kACF_NoInterface);
    EXPECT_EQ (answer, nullptr);

    // A null out pointer is refused rather than written through.
    EXPECT_EQ (thing->QueryInterface (kIID_IACFUnknown, nullptr), kAAX_ErrorNullObject);

    thing->Release();
    EXPECT_EQ (lifecycle.destructions, 1);
}

TEST (CACFUnknown, OwnInterfaceIsAnsweredThroughTheOverride)
{
    Lifecycle lifecycle;
    auto* thing = new TestThing (lifecycle);

    void* answer = nullptr;
    ASSERT_EQ (thing->GetPrivateUnknown()->QueryInterface (kIID_TestThing, &answer), kAAX_Success);
    auto* asThing = static_cast<ITestThing*> (answer);
    EXPECT_EQ (asThing->Value(), 42);
    EXPECT_EQ (asThing->Release(), 0u);
    EXPECT_EQ (lifecycle.destructions, 1);
}

TEST (CACFUnknown, LiveObjectCountFollowsConstructionAndDeletion)
{
    const auto before = CACFUnknown::ActiveObjectCount();
    Lifecycle lifecycle;

    auto* first = new TestThing (lifecycle);
    auto* second = new TestThing (lifecycle);
    first->AddRef();
    second->AddRef();
    EXPECT_EQ (CACFUnknown::ActiveObjectCount(), before + 2);

    first->Release();
    EXPECT_EQ (CACFUnknown::ActiveObjectCount(), before + 1);
    second->Release();
    EXPECT_EQ (CACFUnknown::ActiveObjectCount(), before);
}

TEST (CACFUnknown, AggregatedObjectForwardsEverythingToItsOuterObject)
{
    Lifecycle lifecycle;
    CountingOuter outer;
    auto* thing = new TestThing (lifecycle, &outer);

    EXPECT_EQ (thing->GetOuterUnknown(), &outer);
    thing->AddRef();
    thing->Release();
    void* answer = nullptr;
    thing->QueryInterface (kIID_TestThing, &answer);

    EXPECT_EQ (outer.addRefs, 1u);
    EXPECT_EQ (outer.releases, 1u);
    EXPECT_EQ (outer.queries, 1);
    EXPECT_EQ (lifecycle.destructions, 0);

    // The inner object's own life is governed by its private unknown.
    EXPECT_EQ (thing->GetPrivateUnknown()->AddRef(), 1u);
    EXPECT_EQ (thing->GetPrivateUnknown()->Release(), 0u);
    EXPECT_EQ (lifecycle.destructions, 1);
}

TEST (CACFUnknown, RacingReleasesDeleteExactlyOnce)
{
    constexpr int threadCount = 8;
    constexpr int roundsPerThread = 20000;

    for (int trial = 0; trial < 20; ++trial)
    {
        Lifecycle lifecycle;
        auto* thing = new TestThing (lifecycle);

        for (int i = 0; i < threadCount; ++i)
            thing->AddRef();

        std::atomic<bool> go { false };
        std::vector<std::thread> threads;

        for (int i = 0; i < threadCount; ++i)
        {
            threads.emplace_back ([thing, &go]
                                  {
                                      while (! go.load())
                                          std::this_thread::yield();

                                      for (int round = 0; round < roundsPerThread; ++round)
                                      {
                                          thing->AddRef();
                                          thing->Release();
                                      }

                                      thing->Release(); });
        }

        go.store (true);

        for (auto& thread : threads)
            thread.join();

        ASSERT_EQ (lifecycle.destructions, 1) << "trial " << trial;
        EXPECT_EQ (lifecycle.events, "preDelete;destroyed;");
    }
}
