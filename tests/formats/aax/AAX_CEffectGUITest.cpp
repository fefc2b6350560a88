#include "formats/aax/AAX_CEffectGUI.h"

#include "formats/aax/AAX_CEffectParameters.h"
#include "formats/aax/AAX_Identifiers.h"
#include "formats/aax/AAX_VController.h"
#include "formats/aax/AAX_VViewContainer.h"
#include "formats/aax/host/AAXHostTest.h"
#include "formats/aax/host/HostEffectInstance.h"
#include "formats/aax/host/HostReference.h"
#include "formats/aax/host/HostViewContainer.h"

#include <gmock/gmock.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace
{
using ::testing::ElementsAre;
using ::testing::IsEmpty;

/** What a GUI subclass was asked to do, in order, with what it saw at the time. */
using EventLog = std::vector<std::string>;

class RecordingGUI final : public AAX_CEffectGUI
{
public:
    explicit RecordingGUI (EventLog& eventLog)
        : events (eventLog)
    {
    }

    ~RecordingGUI() override { events.push_back ("destroyed"); }

    void CreateViewContents() override
    {
        events.push_back (std::string ("contents effect=") + (EffectParameters() != nullptr ? "yes" : "no"));
    }

    void CreateViewContainer() override
    {
        const auto* handle = static_cast<const char*> (ViewContainerHandle());
        events.push_back ("attach type=" + std::to_string (ViewContainerType()) + " view=" + (handle != nullptr ? handle : "none"));
    }

    void DeleteViewContainer() override
    {
        events.push_back (std::string ("detach container=") + (ViewContainer() != nullptr ? "held" : "none"));
    }

    AAX_Result ParameterUpdated (const char* parameterID) override
    {
        events.push_back (std::string ("updated ") + parameterID);
        return kAAX_Success;
    }

private:
    EventLog& events;
};

/**
    An effect whose parameter list is a list of identifiers; indexes listed in
    refusedIndexes answer their identifier request with a failure. Every
    identifier request is recorded.
*/
class ListedEffect final : public AAX_CEffectParameters
{
public:
    ListedEffect (std::vector<std::string> parameterIDs, std::vector<int32_t>& requestLog)
        : identifiers (std::move (parameterIDs))
        , requests (requestLog)
    {
    }

    AAX_Result GetNumberOfParameters (int32_t* outCount) override
    {
        *outCount = static_cast<int32_t> (identifiers.size());
        return countAnswer;
    }

    AAX_Result GetParameterIDFromIndex (int32_t index, AAX_IString* outIdentifier) override
    {
        requests.push_back (index);

        if (refusedIndexes.count (index) != 0 || index < 0 || index >= static_cast<int32_t> (identifiers.size()))
            return kAAX_ErrorUnknownParameter;

        outIdentifier->Set (identifiers[static_cast<size_t> (index)].c_str());
        return kAAX_Success;
    }

    AAX_Result countAnswer = kAAX_Success;
    std::set<int32_t> refusedIndexes;

private:
    std::vector<std::string> identifiers;
    std::vector<int32_t>& requests;
};

/** Holds one reference to a library object, as the host holds what it creates. */
template <class Object>
class LibraryReference
{
public:
    explicit LibraryReference (Object* object)
        : held (object)
    {
        held->AddRef();
    }

    ~LibraryReference() { reset(); }

    LibraryReference (const LibraryReference&) = delete;
    LibraryReference& operator= (const LibraryReference&) = delete;

    void reset()
    {
        if (held != nullptr)
            std::exchange (held, nullptr)->Release();
    }

    Object* operator->() const { return held; }
    Object* get() const { return held; }

private:
    Object* held;
};

class AAX_CEffectGUITest : public AAXHostTest
{
protected:
    void TearDown() override
    {
        gui.reset();
        effect.reset();
        instance.reset();
        firstView.reset();
        secondView.reset();
        AAXHostTest::TearDown();
    }

    ListedEffect* attachEffect (std::vector<std::string> parameterIDs)
    {
        auto* made = new ListedEffect (std::move (parameterIDs), identifierRequests);
        effect = std::make_unique<LibraryReference<ListedEffect>> (made);
        instance->attachEffect (made);
        return made;
    }

    EventLog events;
    std::vector<int32_t> identifierRequests;
    HostReference<HostEffectInstance> instance = makeHostObject<HostEffectInstance> (host.context());
    HostReference<HostViewContainer> firstView = makeHostObject<HostViewContainer> (host.context());
    HostReference<HostViewContainer> secondView = makeHostObject<HostViewContainer> (host.context());
    std::unique_ptr<LibraryReference<ListedEffect>> effect;
    LibraryReference<RecordingGUI> gui { new RecordingGUI (events) };
};

//==============================================================================
TEST_F (AAX_CEffectGUITest, InitializeFindsTheInstancesEffectAndMakesTheViewContents)
{
    auto* listed = attachEffect ({ "a" });

    EXPECT_EQ (gui->Initialize (instance->unknown()), kAAX_Success);

    EXPECT_EQ (gui->EffectParameters(), static_cast<AAX_IACFEffectParameters*> (listed)) << "the very effect object of the instance";
    ASSERT_NE (gui->Controller(), nullptr);
    ASSERT_NE (gui->Transport(), nullptr);
    EXPECT_THAT (events, ElementsAre ("contents effect=yes"));

    float sampleRate = 0.0f;
    EXPECT_EQ (gui->Controller()->GetSampleRate (&sampleRate), kAAX_Success) << "the controller reaches the instance's controller";
    EXPECT_EQ (sampleRate, 48000.0f);
}

TEST_F (AAX_CEffectGUITest, InitializeWithoutAnUnknownAnswersNoControllerAndMakesNothingElse)
{
    EXPECT_EQ (gui->Initialize (nullptr), kAAX_ErrorNoController);

    ASSERT_NE (gui->Controller(), nullptr) << "a controller wrapper holding nothing";
    float sampleRate = 0.0f;
    EXPECT_EQ (gui->Controller()->GetSampleRate (&sampleRate), kAAX_ErrorNullObject);
    EXPECT_EQ (gui->EffectParameters(), nullptr);
    EXPECT_EQ (gui->Transport(), nullptr);
    EXPECT_THAT (events, IsEmpty()) << "no view contents";
}

TEST_F (AAX_CEffectGUITest, InstanceWithoutAnEffectLeavesThePointerNullAndReportsNoParameters)
{
    EXPECT_EQ (gui->Initialize (instance->unknown()), kAAX_Success);
    EXPECT_EQ (gui->EffectParameters(), nullptr);

    firstView->setNativeView (const_cast<char*> ("first"));
    EXPECT_EQ (gui->SetViewContainer (firstView->unknown()), kAAX_Success);

    EXPECT_THAT (events, ElementsAre ("contents effect=no", "attach type=1 view=first"));
}

TEST_F (AAX_CEffectGUITest, RepeatedInitializeGivesBackWhatTheFirstOneTook)
{
    attachEffect ({ "a" });
    EXPECT_EQ (gui->Initialize (instance->unknown()), kAAX_Success);
    const auto referencesAfterFirst = host.ledger().outstandingReferences();

    EXPECT_EQ (gui->Initialize (instance->unknown()), kAAX_Success);

    EXPECT_EQ (host.ledger().outstandingReferences(), referencesAfterFirst) << "no host reference piles up";
}

TEST_F (AAX_CEffectGUITest, UninitializeGivesBackTheInstanceObjectsButKeepsTheView)
{
    attachEffect ({ "a" });
    const auto referencesBefore = host.ledger().outstandingReferences();
    gui->Initialize (instance->unknown());
    gui->SetViewContainer (firstView->unknown());
    events.clear();

    EXPECT_EQ (gui->Uninitialize(), kAAX_Success);

    EXPECT_EQ (gui->EffectParameters(), nullptr);
    EXPECT_EQ (gui->Controller(), nullptr);
    EXPECT_EQ (gui->Transport(), nullptr);
    ASSERT_NE (gui->ViewContainer(), nullptr) << "the view container is not touched";
    EXPECT_EQ (host.ledger().outstandingReferences(), referencesBefore + 1) << "only the view's reference remains";
    EXPECT_THAT (events, IsEmpty());
}

//==============================================================================
TEST_F (AAX_CEffectGUITest, AnEffectWithNoParametersMakesNoRequests)
{
    attachEffect ({});
    gui->Initialize (instance->unknown());

    EXPECT_EQ (gui->SetViewContainer (firstView->unknown()), kAAX_Success);

    EXPECT_THAT (identifierRequests, IsEmpty());
    EXPECT_THAT (events, ElementsAre ("contents effect=yes", "attach type=1 view=none"));
}

TEST_F (AAX_CEffectGUITest, EveryIndexIsAskedOnceAndEachKnownIdentifierReportedInOrder)
{
    auto* listed = attachEffect ({ "alpha", "beta", "gamma" });
    listed->refusedIndexes = { 1 };
    gui->Initialize (instance->unknown());
    events.clear();

    gui->SetViewContainer (firstView->unknown());

    EXPECT_THAT (identifierRequests, ElementsAre (0, 1, 2));
    EXPECT_THAT (events, ElementsAre ("attach type=1 view=none", "updated alpha", "updated gamma"));
}

TEST_F (AAX_CEffectGUITest, AFailedParameterCountSuppressesEveryReport)
{
    auto* listed = attachEffect ({ "alpha", "beta" });
    listed->countAnswer = kAAX_ErrorUnknownParameter;
    gui->Initialize (instance->unknown());
    events.clear();

    gui->SetViewContainer (firstView->unknown());

    EXPECT_THAT (identifierRequests, IsEmpty());
    EXPECT_THAT (events, ElementsAre ("attach type=1 view=none"));
}

//==============================================================================
TEST_F (AAX_CEffectGUITest, TakingTheViewAwayWithoutOneStillAsksTheSubclassToDetach)
{
    EXPECT_EQ (gui->SetViewContainer (nullptr), kAAX_Success);
    EXPECT_THAT (events, ElementsAre ("detach container=none"));
}

TEST_F (AAX_CEffectGUITest, ASecondViewReplacesTheFirstAndIsReportedAgain)
{
    attachEffect ({ "alpha" });
    gui->Initialize (instance->unknown());
    firstView->setNativeView (const_cast<char*> ("first"));
    secondView->setNativeView (const_cast<char*> ("second"));
    secondView->setType (2);
    events.clear();

    gui->SetViewContainer (firstView->unknown());
    const auto firstHeld = firstView->referenceCount();
    gui->SetViewContainer (secondView->unknown());

    EXPECT_EQ (firstView->referenceCount(), firstHeld - 1) << "the first wrapper went when the second was stored";
    EXPECT_EQ (gui->ViewContainerType(), 2);
    EXPECT_EQ (gui->ViewContainerHandle(), static_cast<void*> (const_cast<char*> ("second")));
    EXPECT_THAT (events, ElementsAre ("attach type=1 view=first", "updated alpha", "attach type=2 view=second", "updated alpha"));
}

TEST_F (AAX_CEffectGUITest, TakingTheViewAwayDetachesWithoutAContainerThenGivesTheWindowBack)
{
    gui->SetViewContainer (firstView->unknown());
    const auto heldWithView = firstView->referenceCount();
    events.clear();

    EXPECT_EQ (gui->SetViewContainer (nullptr), kAAX_Success);

    EXPECT_THAT (events, ElementsAre ("detach container=none"));
    EXPECT_EQ (firstView->referenceCount(), heldWithView - 1);
    EXPECT_EQ (gui->ViewContainer(), nullptr);
    EXPECT_EQ (gui->ViewContainerType(), 0);
    EXPECT_EQ (gui->ViewContainerHandle(), nullptr);
}

TEST_F (AAX_CEffectGUITest, DestructionGivesBackEverythingStillHeld)
{
    attachEffect ({ "alpha" });
    gui->Initialize (instance->unknown());
    gui->SetViewContainer (firstView->unknown());

    gui.reset();

    EXPECT_EQ (events.back(), "destroyed");
    EXPECT_EQ (firstView->referenceCount(), 1u) << "only the test's own reference";
    // The fixture checks that the effect and every host object are released.
}

//==============================================================================
TEST_F (AAX_CEffectGUITest, QueryInterfaceAnswersTheGUIInterfaceAndTheInnerUnknownOnly)
{
    void* answer = nullptr;
    ASSERT_EQ (gui->QueryInterface (kIID_AAX_IACFEffectGUI, &answer), kAAX_Success);
    EXPECT_EQ (answer, static_cast<AAX_IACFEffectGUI*> (gui.get()));
    EXPECT_EQ (gui->Release(), 1u) << "the query added exactly one reference to the outer object";

    ASSERT_EQ (gui->QueryInterface (kIID_IACFUnknown, &answer), kAAX_Success);
    EXPECT_EQ (answer, gui->GetPrivateUnknown());
    static_cast<IACFUnknown*> (answer)->Release();

    answer = &answer;
    EXPECT_EQ (gui->QueryInterface (kIID_AAX_IACFEffectParameters, &answer), kACF_NoInterface);
    EXPECT_EQ (answer, nullptr);

    EXPECT_EQ (gui->QueryInterface (kIID_AAX_IACFEffectGUI, nullptr), kAAX_ErrorNullObject);
}

TEST_F (AAX_CEffectGUITest, DefaultOperationsAnswerWithoutSideEffects)
{
    AAX_Point size { 12.0f, 34.0f };
    EXPECT_EQ (gui->GetViewSize (&size), kAAX_Success);
    EXPECT_EQ (size.vert, 12.0f);
    EXPECT_EQ (size.horz, 34.0f);

    EXPECT_EQ (gui->DefaultSlot5 (nullptr), kAAX_Success);
    EXPECT_EQ (gui->DefaultSlot8(), kAAX_Success);
    EXPECT_EQ (gui->DefaultSlot9(), kAAX_Success);
    EXPECT_EQ (gui->DefaultSlot11 ("0", nullptr), kAAX_ErrorNullObject);
    EXPECT_EQ (gui->AAX_CEffectGUI::ParameterUpdated ("0"), kAAX_Success);
    EXPECT_EQ (gui->SetControlHighlightInfo ("0", 1, 2), kAAX_Success);
    EXPECT_THAT (events, IsEmpty());
}

TEST_F (AAX_CEffectGUITest, TheLibraryCannotBeUnloadedWhileAGUIObjectLives)
{
    EXPECT_EQ (CACFUnknown::ActiveObjectCount(), 1u);
    gui.reset();
    EXPECT_EQ (CACFUnknown::ActiveObjectCount(), 0u);
}
} // namespace

#if defined(__GNUC__) && ! defined(_WIN32)

namespace
{
// In the Itanium C++ ABI a pointer to a virtual member function holds one plus
// the byte offset of its slot in the table of the class named.
template <typename MemberPointer>
long slotOf (MemberPointer member)
{
    struct Representation
    {
        uintptr_t pointerOrOffset;
        ptrdiff_t thisAdjustment;
    };

    static_assert (sizeof (MemberPointer) == sizeof (Representation), "unexpected member pointer size");
    Representation representation {};
    std::memcpy (&representation, &member, sizeof (representation));

    if ((representation.pointerOrOffset & 1u) == 0)
        return -1;

    return static_cast<long> ((representation.pointerOrOffset - 1) / sizeof (void*));
}

    #define EXPECT_GUI_SLOT(Class, Operation, slot) EXPECT_EQ (slotOf (&Class::Operation), slot) << #Class "::" #Operation

TEST (EffectGUISlots, HostInterfaceInTheHostsOrder)
{
    EXPECT_GUI_SLOT (AAX_IACFEffectGUI, Initialize, 3);
    EXPECT_GUI_SLOT (AAX_IACFEffectGUI, Uninitialize, 4);
    EXPECT_GUI_SLOT (AAX_IACFEffectGUI, DefaultSlot5, 5);
    EXPECT_GUI_SLOT (AAX_IACFEffectGUI, SetViewContainer, 6);
    EXPECT_GUI_SLOT (AAX_IACFEffectGUI, GetViewSize, 7);
    EXPECT_GUI_SLOT (AAX_IACFEffectGUI, DefaultSlot8, 8);
    EXPECT_GUI_SLOT (AAX_IACFEffectGUI, DefaultSlot9, 9);
    EXPECT_GUI_SLOT (AAX_IACFEffectGUI, ParameterUpdated, 10);
    EXPECT_GUI_SLOT (AAX_IACFEffectGUI, DefaultSlot11, 11);
    EXPECT_GUI_SLOT (AAX_IACFEffectGUI, SetControlHighlightInfo, 12);
}

TEST (EffectGUISlots, BaseClassOperationsFollowTheHostInterface)
{
    EXPECT_GUI_SLOT (AAX_CEffectGUI, SetControlHighlightInfo, 12);
    EXPECT_GUI_SLOT (AAX_CEffectGUI, InternalQueryInterface, 13);
    // Slots 14 and 15 are the destructor pair.
    EXPECT_GUI_SLOT (AAX_CEffectGUI, CreateViewContents, 16);
    EXPECT_GUI_SLOT (AAX_CEffectGUI, CreateViewContainer, 17);
    EXPECT_GUI_SLOT (AAX_CEffectGUI, DeleteViewContainer, 18);
    EXPECT_GUI_SLOT (AAX_CEffectGUI, UpdateAllParameters, 19);
}
} // namespace

#endif
