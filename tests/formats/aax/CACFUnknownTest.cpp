#include "formats/aax/CACFUnknown.h"
#include "formats/aax/AAX_Identifiers.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace
{
constexpr ACFGuid kIID_TestThing = ACFGuid::fromText ("0D15EA5E-0000-4000-8000-000000000001");

// A library object built the usual way: the host interface first, the core second.
class TestThing final : public IACFUnknown, public CACFUnknown
{
public:
    explicit TestThing (std::string& eventLog, IACFUnknown* outer = nullptr)
        : CACFUnknown (outer)
        , events (eventLog)
    {
    }
    ~TestThing() override { events += "destroyed;"; }

    ACFResult QueryInterface (const ACFGuid& id, void** out) override { return GetOuterUnknown()->QueryInterface (id, out); }
    uint32_t AddRef() override { return GetOuterUnknown()->AddRef(); }
    uint32_t Release() override { return GetOuterUnknown()->Release(); }

    ACFResult InternalQueryInterface (const ACFGuid& id, void** out) override
    {
        if (out == nullptr || id != kIID_TestThing)
            return CACFUnknown::InternalQueryInterface (id, out);

        *out = static_cast<IACFUnknown*> (this);
        AddRef();
        return kAAX_Success;
    }

    void PreDelete() override { events += "preDelete;"; }

private:
    std::string& events;
};
} // namespace

TEST (CACFUnknown, QueriesCountReferencesAndTheLastReleaseDeletes)
{
    std::string events;
    const auto before = CACFUnknown::ActiveObjectCount();
    auto* thing = new TestThing (events);
    EXPECT_EQ (CACFUnknown::ActiveObjectCount(), before + 1);

    void* plain = nullptr;
    ASSERT_EQ (thing->QueryInterface (kIID_IACFUnknown, &plain), kAAX_Success);
    EXPECT_EQ (plain, static_cast<void*> (thing->GetPrivateUnknown()));
    void* own = nullptr;
    ASSERT_EQ (thing->QueryInterface (kIID_TestThing, &own), kAAX_Success);
    EXPECT_EQ (own, static_cast<IACFUnknown*> (thing));
    EXPECT_EQ (thing->AddRef(), 3u) << "a count from 0, one per query";

    void* none = &plain;
    EXPECT_EQ (thing->QueryInterface (kIID_AAX_IACFCollection, &none), kACF_NoInterface);
    EXPECT_EQ (none, nullptr);
    EXPECT_EQ (thing->QueryInterface (kIID_IACFUnknown, nullptr), kAAX_ErrorNullObject);

    EXPECT_EQ (thing->Release(), 2u);
    EXPECT_EQ (static_cast<IACFUnknown*> (own)->Release(), 1u);
    EXPECT_EQ (events, "");
    EXPECT_EQ (static_cast<IACFUnknown*> (plain)->Release(), 0u);
    EXPECT_EQ (events, "preDelete;destroyed;");
    EXPECT_EQ (CACFUnknown::ActiveObjectCount(), before);
}

TEST (CACFUnknown, AnAggregatedObjectForwardsToItsOuterObjectAndLivesByItsPrivateUnknown)
{
    std::string events;
    TestThing outer (events);
    auto* thing = new TestThing (events, &outer);
    void* answer = nullptr;
    EXPECT_EQ (thing->QueryInterface (kIID_TestThing, &answer), kAAX_Success);
    EXPECT_EQ (answer, static_cast<IACFUnknown*> (&outer));
    EXPECT_EQ (thing->AddRef(), 2u) << "the query and this AddRef, both counted on the outer object";

    EXPECT_EQ (thing->GetPrivateUnknown()->AddRef(), 1u);
    EXPECT_EQ (thing->GetPrivateUnknown()->Release(), 0u);
    EXPECT_EQ (events, "preDelete;destroyed;");
}

TEST (CACFUnknown, RacingReleasesDeleteExactlyOnce)
{
    for (int trial = 0; trial < 8; ++trial)
    {
        std::string events;
        auto* thing = new TestThing (events);
        std::vector<std::thread> threads;

        for (int i = 0; i < 8; ++i)
            thing->AddRef();

        for (int i = 0; i < 8; ++i)
            threads.emplace_back ([thing]
                                  {
                                      for (int round = 0; round < 10000; ++round)
                                      {
                                          thing->AddRef();
                                          thing->Release();
                                      }

                                      thing->Release(); });

        for (auto& thread : threads)
            thread.join();

        ASSERT_EQ (events, "preDelete;destroyed;") << "trial " << trial;
    }
}
