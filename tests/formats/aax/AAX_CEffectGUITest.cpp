#include "formats/aax/AAX_CEffectGUI.h"

#include "formats/aax/AAX_CEffectParameters.h"
#include "formats/aax/AAX_Identifiers.h"
#include "formats/aax/AAX_VController.h"
#include "formats/aax/VirtualSlot.h"
#include "formats/aax/host/AAXHostTest.h"
#include "formats/aax/host/HostEffectInstance.h"
#include "formats/aax/host/HostReference.h"
#include "formats/aax/host/HostViewContainer.h"

#include <gmock/gmock.h>

#include <set>
#include <string>
#include <vector>

namespace
{
using ::testing::ElementsAre;
using ::testing::IsEmpty;

/** Records what a GUI subclass was asked to do, in order, with what it saw at the time. */
class RecordingGUI final : public AAX_CEffectGUI
{
public:
    explicit RecordingGUI (std::vector<std::string>& eventLog)
        : events (eventLog)
    {
    }

    ~RecordingGUI() override { events.push_back ("destroyed"); }

    void CreateViewContents() override { events.push_back (std::string ("contents effect=") + (EffectParameters() != nullptr ? "yes" : "no")); }
    void DeleteViewContainer() override { events.push_back (std::string ("detach container=") + (ViewContainer() != nullptr ? "held" : "none")); }

    void CreateViewContainer() override
    {
        const auto* view = static_cast<const char*> (ViewContainerHandle());
        events.push_back ("attach type=" + std::to_string (ViewContainerType()) + " view=" + (view != nullptr ? view : "none"));
    }

    AAX_Result ParameterUpdated (const char* parameterID) override
    {
        events.push_back (std::string ("updated ") + parameterID);
        return kAAX_Success;
    }

private:
    std::vector<std::string>& events;
};

/** An effect whose parameters are a list of identifiers; refused indexes fail their identifier request. */
class ListedEffect final : public AAX_CEffectParameters
{
public:
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

    std::vector<std::string> identifiers;
    std::set<int32_t> refusedIndexes;
    AAX_Result countAnswer = kAAX_Success;
    std::vector<int32_t> requests;
};

class AAX_CEffectGUITest : public AAXHostTest
{
protected:
    void TearDown() override
    {
        if (gui != nullptr)
            gui->Release();

        instance.reset();
        view.reset();
        secondView.reset();
        AAXHostTest::TearDown();
    }

    /** Gives the host instance an effect, as the host does for the GUI of the same instance. */
    ListedEffect& attachEffect (std::vector<std::string> parameterIDs)
    {
        auto* made = new ListedEffect;
        made->identifiers = std::move (parameterIDs);
        instance->attachEffect (static_cast<AAX_IACFEffectParameters*> (made));
        return *made;
    }

    std::vector<std::string> events;
    HostReference<HostEffectInstance> instance = makeHostObject<HostEffectInstance> (host.context());
    HostReference<HostViewContainer> view = makeHostObject<HostViewContainer> (host.context());
    HostReference<HostViewContainer> secondView = makeHostObject<HostViewContainer> (host.context());
    RecordingGUI* gui = [this]
    {
        auto* made = new RecordingGUI (events);
        made->AddRef();
        return made;
    }();
};

//==============================================================================
TEST_F (AAX_CEffectGUITest, InitializeFindsTheInstancesObjectsAndGivesThemBackOnce)
{
    auto& effect = attachEffect ({ "a" });
    const auto referencesBefore = host.ledger().outstandingReferences();

    EXPECT_EQ (gui->Initialize (instance->unknown()), kAAX_Success);
    EXPECT_EQ (gui->EffectParameters(), static_cast<AAX_IACFEffectParameters*> (&effect)) << "the very effect object of the instance";
    EXPECT_NE (gui->Transport(), nullptr);
    float sampleRate = 0.0f;
    EXPECT_EQ (gui->Controller()->GetSampleRate (&sampleRate), kAAX_Success);
    EXPECT_EQ (sampleRate, 48000.0f);

    const auto referencesInitialized = host.ledger().outstandingReferences();
    EXPECT_EQ (gui->Initialize (instance->unknown()), kAAX_Success);
    EXPECT_EQ (host.ledger().outstandingReferences(), referencesInitialized) << "no host reference piles up";
    EXPECT_THAT (events, ElementsAre ("contents effect=yes", "contents effect=yes"));

    gui->SetViewContainer (view->unknown());
    EXPECT_EQ (gui->Uninitialize(), kAAX_Success);
    EXPECT_EQ (gui->EffectParameters(), nullptr);
    EXPECT_EQ (gui->Controller(), nullptr);
    EXPECT_EQ (gui->Transport(), nullptr);
    EXPECT_NE (gui->ViewContainer(), nullptr) << "the view container is not touched";
    EXPECT_EQ (host.ledger().outstandingReferences(), referencesBefore + 1) << "only the view's reference remains";

    EXPECT_EQ (CACFUnknown::ActiveObjectCount(), 2u);
    std::exchange (gui, nullptr)->Release();
    EXPECT_EQ (events.back(), "destroyed");
    EXPECT_EQ (view->referenceCount(), 1u) << "the destructor gave the view back";
}

TEST_F (AAX_CEffectGUITest, WithoutAnUnknownOrAnEffectThereIsNothingToShow)
{
    EXPECT_EQ (gui->Initialize (nullptr), kAAX_ErrorNoController);
    float sampleRate = 0.0f;
    EXPECT_EQ (gui->Controller()->GetSampleRate (&sampleRate), kAAX_ErrorNullObject) << "a controller wrapper holding nothing";
    EXPECT_EQ (gui->EffectParameters(), nullptr);
    EXPECT_EQ (gui->Transport(), nullptr);
    EXPECT_THAT (events, IsEmpty());

    EXPECT_EQ (gui->Initialize (instance->unknown()), kAAX_Success);
    view->setNativeView (const_cast<char*> ("first"));
    EXPECT_EQ (gui->SetViewContainer (view->unknown()), kAAX_Success);
    EXPECT_THAT (events, ElementsAre ("contents effect=no", "attach type=1 view=first"));
}

TEST_F (AAX_CEffectGUITest, EachViewReportsEveryParameterItsEffectNames)
{
    auto& effect = attachEffect ({ "alpha", "beta", "gamma" });
    effect.refusedIndexes = { 1 };
    gui->Initialize (instance->unknown());
    view->setNativeView (const_cast<char*> ("first"));
    secondView->setNativeView (const_cast<char*> ("second"));
    secondView->setType (2);
    events.clear();

    gui->SetViewContainer (view->unknown());
    const auto firstHeld = view->referenceCount();
    gui->SetViewContainer (secondView->unknown());

    EXPECT_THAT (effect.requests, ElementsAre (0, 1, 2, 0, 1, 2));
    EXPECT_THAT (events, ElementsAre ("attach type=1 view=first", "updated alpha", "updated gamma", "attach type=2 view=second", "updated alpha", "updated gamma"));
    EXPECT_EQ (view->referenceCount(), firstHeld - 1) << "the first wrapper went when the second was stored";

    effect.countAnswer = kAAX_ErrorUnknownParameter;
    gui->SetViewContainer (view->unknown());
    effect.countAnswer = kAAX_Success;
    effect.identifiers.clear();
    gui->SetViewContainer (view->unknown());
    EXPECT_EQ (effect.requests.size(), 6u) << "a failed count, or none, asks for no identifier";
}

TEST_F (AAX_CEffectGUITest, TakingTheViewAwayDetachesWithoutAContainerThenGivesTheWindowBack)
{
    EXPECT_EQ (gui->SetViewContainer (nullptr), kAAX_Success);
    gui->SetViewContainer (view->unknown());
    const auto heldWithView = view->referenceCount();

    EXPECT_EQ (gui->SetViewContainer (nullptr), kAAX_Success);
    EXPECT_THAT (events, ElementsAre ("detach container=none", "attach type=1 view=none", "detach container=none"));
    EXPECT_EQ (view->referenceCount(), heldWithView - 1);
    EXPECT_EQ (gui->ViewContainerType(), 0);
    EXPECT_EQ (gui->ViewContainerHandle(), nullptr);
}

TEST_F (AAX_CEffectGUITest, AnswersItsOwnInterfaceAndTheDefaultOperations)
{
    void* answer = nullptr;
    ASSERT_EQ (gui->QueryInterface (kIID_AAX_IACFEffectGUI, &answer), kAAX_Success);
    EXPECT_EQ (answer, static_cast<AAX_IACFEffectGUI*> (gui));
    EXPECT_EQ (gui->Release(), 1u) << "the query added exactly one reference to the outer object";
    ASSERT_EQ (gui->QueryInterface (kIID_IACFUnknown, &answer), kAAX_Success);
    EXPECT_EQ (answer, gui->GetPrivateUnknown());
    static_cast<IACFUnknown*> (answer)->Release();
    EXPECT_EQ (gui->QueryInterface (kIID_AAX_IACFEffectParameters, &answer), kACF_NoInterface);
    EXPECT_EQ (answer, nullptr);
    EXPECT_EQ (gui->QueryInterface (kIID_AAX_IACFEffectGUI, nullptr), kAAX_ErrorNullObject);

    AAX_Point size { 12.0f, 34.0f };
    EXPECT_EQ (gui->GetViewSize (&size), kAAX_Success);
    EXPECT_EQ (size.vert, 12.0f);
    EXPECT_EQ (size.horz, 34.0f);
    const std::vector<AAX_Result> defaults { gui->DefaultSlot5 (nullptr), gui->DefaultSlot8(), gui->DefaultSlot9(), gui->DefaultSlot11 ("0", nullptr), gui->AAX_CEffectGUI::ParameterUpdated ("0"), gui->SetControlHighlightInfo ("0", 1, 2) };
    EXPECT_THAT (defaults, ElementsAre (0, 0, 0, -20004, 0, 0));
    EXPECT_THAT (events, IsEmpty());
}

#if defined(__GNUC__) && ! defined(_WIN32)
TEST (EffectGUISlots, TheHostsOrderThenTheSubclassOperations)
{
    const std::vector<long> slots { slotOf (&AAX_IACFEffectGUI::Initialize), slotOf (&AAX_IACFEffectGUI::Uninitialize), slotOf (&AAX_IACFEffectGUI::DefaultSlot5), slotOf (&AAX_IACFEffectGUI::SetViewContainer), slotOf (&AAX_IACFEffectGUI::GetViewSize), slotOf (&AAX_IACFEffectGUI::DefaultSlot8), slotOf (&AAX_IACFEffectGUI::DefaultSlot9), slotOf (&AAX_IACFEffectGUI::ParameterUpdated), slotOf (&AAX_IACFEffectGUI::DefaultSlot11), slotOf (&AAX_IACFEffectGUI::SetControlHighlightInfo), slotOf (&AAX_CEffectGUI::InternalQueryInterface) };
    EXPECT_THAT (slots, ElementsAre (3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13));

    // Slots 14 and 15 are the destructor pair.
    EXPECT_THAT ((std::vector<long> { slotOf (&AAX_CEffectGUI::CreateViewContents), slotOf (&AAX_CEffectGUI::CreateViewContainer), slotOf (&AAX_CEffectGUI::DeleteViewContainer), slotOf (&AAX_CEffectGUI::UpdateAllParameters) }), ElementsAre (16, 17, 18, 19));
}
#endif
} // namespace
