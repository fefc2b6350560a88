#include "formats/aax/AAX_CParameterRegistry.h"

#include "formats/aax/AAX_CLinearTaperDelegate.h"
#include "formats/aax/AAX_CNumberDisplayDelegate.h"
#include "formats/aax/AAX_CParameter.h"
#include "formats/aax/AAX_VAutomationDelegate.h"
#include "formats/aax/host/AAXHostTest.h"
#include "formats/aax/host/HostEffectInstance.h"
#include "formats/aax/host/HostReference.h"

#include <gmock/gmock.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
using ::testing::ElementsAre;

/** A float parameter that reports its own deletion. */
class CountedParameter final : public AAX_CParameter<float>
{
public:
    CountedParameter (const char* identifier, std::vector<std::string>& deletionLog)
        : AAX_CParameter<float> (identifier, AAX_CString (identifier), 0.5f, AAX_CLinearTaperDelegate<float, 0> (0.0f, 1.0f), AAX_CNumberDisplayDelegate<float, 3u, 0u>(), true)
        , deletions (deletionLog)
    {
    }

    ~CountedParameter() override { deletions.push_back (Identifier()); }

private:
    std::vector<std::string>& deletions;
};

class AAX_CParameterRegistryTest : public AAXHostTest
{
protected:
    void TearDown() override
    {
        registry.reset();
        automation.reset();
        instance.reset();
        AAXHostTest::TearDown();
    }

    CountedParameter* make (const char* identifier) { return new CountedParameter (identifier, deleted); }

    std::vector<std::string> deleted;
    HostReference<HostEffectInstance> instance = makeHostObject<HostEffectInstance> (host.context());
    std::unique_ptr<AAX_VAutomationDelegate> automation = std::make_unique<AAX_VAutomationDelegate> (instance->unknown());
    std::unique_ptr<AAX_CParameterRegistry> registry = std::make_unique<AAX_CParameterRegistry>();
};

TEST_F (AAX_CParameterRegistryTest, KeepsParametersInOrderWithLookups)
{
    auto* first = make ("MasterBypassID");
    auto* second = make ("0");
    EXPECT_TRUE (registry->AddParameter (first));
    EXPECT_TRUE (registry->AddParameter (second));

    EXPECT_EQ (registry->NumParameters(), 2);
    EXPECT_EQ (registry->GetParameter (0), first);
    EXPECT_EQ (registry->GetParameter (1), second);
    EXPECT_EQ (registry->GetParameter (2), nullptr);
    EXPECT_EQ (registry->GetParameter (-1), nullptr);
    EXPECT_EQ (registry->GetParameterByID ("0"), second);
    EXPECT_EQ (static_cast<const AAX_CParameterRegistry&> (*registry).GetParameterByID ("MasterBypassID"), first);
    EXPECT_EQ (registry->GetParameterByID ("00"), nullptr);
    EXPECT_EQ (registry->GetParameterByID (nullptr), nullptr);
    EXPECT_EQ (registry->GetParameterIndex ("MasterBypassID"), 0);
    EXPECT_EQ (registry->GetParameterIndex ("0"), 1);
    EXPECT_EQ (registry->GetParameterIndex ("Master"), -1);
    EXPECT_EQ (registry->GetParameterIndex (nullptr), -1);
}

TEST_F (AAX_CParameterRegistryTest, RefusedParametersAreDeletedNotLeaked)
{
    auto* kept = make ("1");
    EXPECT_TRUE (registry->AddParameter (kept));
    EXPECT_FALSE (registry->AddParameter (make ("1")));
    EXPECT_FALSE (registry->AddParameter (nullptr));

    EXPECT_THAT (deleted, ElementsAre ("1"));
    EXPECT_EQ (registry->NumParameters(), 1);
    EXPECT_EQ (registry->GetParameterByID ("1"), kept) << "the first one stays";
}

TEST_F (AAX_CParameterRegistryTest, ParametersMeetTheHostsAutomation)
{
    registry->AddParameter (make ("before"));
    registry->Initialize (automation.get());
    registry->AddParameter (make ("after"));

    auto& hostAutomation = instance->automation();
    EXPECT_FALSE (hostAutomation.isRegistered ("before")) << "parameters already there are not touched";
    EXPECT_TRUE (hostAutomation.isRegistered ("after"));

    registry->RemoveAllParameters();
    EXPECT_EQ (hostAutomation.registeredCount(), 0);
    EXPECT_THAT (deleted, ElementsAre ("before", "after"));
    EXPECT_EQ (registry->NumParameters(), 0);
    EXPECT_EQ (registry->GetParameterByID ("after"), nullptr);
}

TEST_F (AAX_CParameterRegistryTest, DestructionDeletesWhatIsLeft)
{
    registry->Initialize (automation.get());
    registry->AddParameter (make ("a"));
    registry->AddParameter (make ("b"));

    registry.reset();
    EXPECT_THAT (deleted, ElementsAre ("a", "b"));
    EXPECT_EQ (instance->automation().registeredCount(), 0);
}
} // namespace
