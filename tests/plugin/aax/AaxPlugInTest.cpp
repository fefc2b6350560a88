#include "tests/plugin/aax/AaxPlugInTest.h"

#include "formats/aax/AAX_Identifiers.h"

#include <gmock/gmock.h>

#include <cmath>
#include <limits>

void AaxPlugInTest::SetUp()
{
    library = &quorvelAax();
    ASSERT_TRUE (library->loaded()) << library->failure;
}

void AaxEffectTest::SetUp()
{
    AaxPlugInTest::SetUp();

    if (! HasFatalFailure())
    {
        registerPlugIn();
        openEffect();
    }
}

void AaxPlugInTest::TearDown()
{
    if (library == nullptr || ! library->loaded())
        return;

    closeEverything();

    if (started)
    {
        EXPECT_EQ (library->shutdown (nullptr), kAAX_Success);
    }

    EXPECT_EQ (library->canUnloadNow(), 0) << "library objects still alive";
    host.releaseRoot();
    EXPECT_THAT (host.ledger().liveObjectNames(), ::testing::IsEmpty()) << "host objects still alive";
    EXPECT_EQ (host.ledger().outstandingReferences(), 0) << "host references not given back";
}

void AaxPlugInTest::closeEverything()
{
    if (gui != nullptr)
    {
        gui->Uninitialize();
        std::exchange (gui, nullptr)->Release();
    }

    algorithm.reset();

    if (effect != nullptr)
        effect->instance().detachEffect();

    effect.reset();
}

void AaxPlugInTest::registerPlugIn()
{
    ASSERT_EQ (library->startup (host.unknown()), kAAX_Success);
    started = true;

    IACFDefinition* definition = nullptr;
    ASSERT_EQ (library->registerPlugin (host.unknown(), &definition), kAAX_Success);
    ASSERT_NE (definition, nullptr);
    definition->Release();
}

HostEffectSession& AaxPlugInTest::createEffect()
{
    const auto create = reinterpret_cast<AAX_CreateObjectRoutine> (host.context().registration.routine (0));
    EXPECT_NE (create, nullptr);
    effect = std::make_unique<HostEffectSession> (host.context(), create != nullptr ? create() : nullptr);
    EXPECT_NE (effect->effect(), nullptr);
    return *effect;
}

HostEffectSession& AaxPlugInTest::openEffect()
{
    createEffect();
    EXPECT_EQ (effect->initialize(), kAAX_Success);
    effect->instance().attachEffect (effect->effect());
    return *effect;
}

HostAlgorithm& AaxPlugInTest::startAlgorithm()
{
    algorithm = std::make_unique<HostAlgorithm> (host.context(), *effect->effect(), effect->controller(), AAX_ContextFields::numChannels);
    return *algorithm;
}

AAX_IACFEffectGUI* AaxPlugInTest::makeGUI()
{
    const auto create = reinterpret_cast<AAX_CreateObjectRoutine> (host.context().registration.routine (1));
    void* found = nullptr;

    if (auto* unknown = create != nullptr ? create() : nullptr)
    {
        EXPECT_EQ (unknown->QueryInterface (kIID_AAX_IACFEffectGUI, &found), kAAX_Success);
    }

    gui = static_cast<AAX_IACFEffectGUI*> (found);
    return gui;
}

quorvel::test::MultiChannelSignal AaxPlugInTest::render (const quorvel::test::MultiChannelSignal& input, int blockSize)
{
    auto source = input;
    quorvel::test::MultiChannelSignal output (input.numChannels(), input.numSamples());

    for (int start = 0; start < input.numSamples(); start += blockSize)
    {
        const auto length = std::min (blockSize, input.numSamples() - start);
        auto inputs = source.pointers (start);
        auto outputs = output.pointers (start);
        algorithm->render (inputs.data(), outputs.data(), length);
    }

    return output;
}

double AaxPlugInTest::valueOf (const char* parameterID)
{
    double value = 0.0;
    const auto answer = effect->effect()->GetParameterNormalizedValue (parameterID, &value);
    return answer == kAAX_Success ? value : std::numeric_limits<double>::quiet_NaN();
}
