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

using AAX_CParameterRegistryTest = AAXHostTest;

TEST_F (AAX_CParameterRegistryTest, OwnsItsParametersInOrderAndIntroducesThemToTheHost)
{
    std::vector<std::string> deleted;
    const auto instance = makeHostObject<HostEffectInstance> (host.context());
    AAX_VAutomationDelegate automation (instance->unknown());
    auto registry = std::make_unique<AAX_CParameterRegistry>();
    auto* before = new CountedParameter ("MasterBypassID", deleted);
    auto* after = new CountedParameter ("0", deleted);

    EXPECT_TRUE (registry->AddParameter (before));
    registry->Initialize (&automation);
    EXPECT_TRUE (registry->AddParameter (after));
    EXPECT_FALSE (registry->AddParameter (new CountedParameter ("0", deleted))) << "refused, and deleted rather than leaked";
    EXPECT_FALSE (registry->AddParameter (nullptr));
    EXPECT_THAT (deleted, ElementsAre ("0"));
    EXPECT_FALSE (instance->automation().isRegistered ("MasterBypassID")) << "parameters already there are not touched";
    EXPECT_TRUE (instance->automation().isRegistered ("0"));

    const auto& lookups = *registry;
    EXPECT_EQ (lookups.NumParameters(), 2);
    EXPECT_EQ (lookups.GetParameter (0), before);
    EXPECT_EQ (lookups.GetParameter (1), after);
    EXPECT_EQ (lookups.GetParameter (2), nullptr);
    EXPECT_EQ (lookups.GetParameter (-1), nullptr);
    EXPECT_EQ (lookups.GetParameterByID ("0"), after);
    EXPECT_EQ (registry->GetParameterByID ("MasterBypassID"), before);
    EXPECT_EQ (lookups.GetParameterByID ("00"), nullptr);
    EXPECT_EQ (lookups.GetParameterByID (nullptr), nullptr);
    EXPECT_EQ (lookups.GetParameterIndex ("MasterBypassID"), 0);
    EXPECT_EQ (lookups.GetParameterIndex ("0"), 1);
    EXPECT_EQ (lookups.GetParameterIndex ("Master"), -1);
    EXPECT_EQ (lookups.GetParameterIndex (nullptr), -1);

    registry->RemoveAllParameters();
    EXPECT_THAT (deleted, ElementsAre ("0", "MasterBypassID", "0"));
    EXPECT_EQ (registry->NumParameters(), 0);
    EXPECT_EQ (registry->GetParameterByID ("0"), nullptr);
    EXPECT_EQ (instance->automation().registeredCount(), 0);

    registry->AddParameter (new CountedParameter ("a", deleted));
    registry.reset();
    EXPECT_EQ (deleted.back(), "a") << "the registry's destruction deletes what is left";
}
} // namespace
