#include "formats/aax/AAXTestSupport.h"
#include "formats/aax/AAX_Identifiers.h"
#include "formats/aax/AAX_PlugInDescription.h"
#include "formats/aax/ACFExports.h"
#include "formats/aax/host/AAXHostTest.h"

#include <gmock/gmock.h>

#include <functional>
#include <string>
#include <vector>

namespace
{
IACFUnknown* createParametersStub() { return nullptr; }
IACFUnknown* createGUIStub() { return nullptr; }
void processStub (void* const[], const void*) {}

std::string code (const char (&characters)[5])
{
    return std::to_string ((characters[0] << 24) | (characters[1] << 16) | (characters[2] << 8) | characters[3]);
}

// Every call a registration makes on the host, in order.
std::vector<std::string> registrationLog (const AAX_PlugInRoutines& routines)
{
    const auto routine = [] (auto address)
    { return HostCallLog::routineText (address); };

    return { "factory#1.CreateComponent(CollectionClass, null, AAX_IACFCollection)",
             "factory#1.CreateComponent(EffectDescriptorClass, null, AAX_IACFEffectDescriptor)",
             "effect#1.AddName(\"Quorvel\")",
             "effect#1.AddName(\"Quorvel\")",
             "effect#1.AddCategory(512)",
             "effect#1.AddProcPtr(" + routine (routines.createEffectGUI) + ", 1)",
             "effect#1.AddProcPtr(" + routine (routines.createEffectParameters) + ", 0)",
             "factory#1.CreateComponent(ComponentDescriptorClass, null, AAX_IACFComponentDescriptor)",
             "component#1.AddAudioIn(0)",
             "component#1.AddAudioOut(1)",
             "component#1.AddAudioBufferLength(2)",
             "component#1.AddDataInPort(3, 4, 1)",
             "component#1.AddMIDINode(4, 0, \"Quorvel\", 65535)",
             "component#1.AddPrivateData(5, 8, 0)",
             "factory#1.CreateComponent(PropertyMapClass, null, AAX_IACFPropertyMap)",
             "properties#1.AddProperty(11, " + code ("Brlk") + ")",
             "properties#1.AddProperty(12, " + code ("BkQv") + ")",
             "properties#1.AddProperty(60, 1)",
             "properties#1.AddProperty(51, 262148)",
             "properties#1.AddProperty(52, 262148)",
             "properties#1.AddProperty(13, " + code ("jcaa") + ")",
             "properties#1.AddProperty(14, " + code ("jyaa") + ")",
             "properties#1.AddProperty(304, 1)",
             "component#1.AddProcessProc_Native(" + routine (routines.processRoutine) + ", properties#1, null, null, null)",
             "effect#1.AddComponent(component#1)",
             "collection#1.AddEffect(\"com.brellick.quorvel\", effect#1)",
             "collection#1.SetManufacturerName(\"Brellick\")",
             "collection#1.AddPackageName(\"Quorvel\")",
             "collection#1.AddPackageName(\"Quorvel\")",
             "collection#1.SetPackageVersion(65536)" };
}

class ACFRegistrationTest : public AAXHostTest
{
protected:
    void TearDown() override
    {
        AAX_SetPlugInRoutines ({});
        AAXHostTest::TearDown();
    }
};

TEST_F (ACFRegistrationTest, DescribesTheEffectExactlyAndHandsBackTheCollectionAsDefinition)
{
    AAX_PlugInRoutines routines;
    routines.createEffectParameters = createParametersStub;
    routines.createEffectGUI = createGUIStub;
    routines.processRoutine = processStub;
    AAX_SetPlugInRoutines (routines);
    host.switches().setOperationResult (-1); // single host failures do not stop the description

    IACFDefinition* definition = garbage<IACFDefinition>();
    ASSERT_EQ (ACFRegisterPlugin (host.unknown(), &definition), 0);
    EXPECT_EQ (host.calls().entries(), registrationLog (routines));

    // The collection keeps the whole description alive; the library gave back every reference of its own.
    EXPECT_EQ (host.ledger().nameOf (definition), "collection#1");
    EXPECT_EQ (host.ledger().outstandingReferences(), 5);
    definition->Release();
    EXPECT_EQ (host.ledger().liveObjects(), 1);
}

TEST_F (ACFRegistrationTest, StandInRoutinesAreRegisteredUntilThePlugInInstallsItsOwn)
{
    const auto standIns = AAX_GetPlugInRoutines();
    EXPECT_EQ (standIns.createEffectParameters(), nullptr);
    EXPECT_EQ (standIns.createEffectGUI(), nullptr);
    standIns.processRoutine (nullptr, nullptr);

    IACFDefinition* definition = nullptr;
    ASSERT_EQ (ACFRegisterPlugin (host.unknown(), &definition), 0);
    EXPECT_EQ (host.calls().entries(), registrationLog (standIns));
    definition->Release();

    AAX_PlugInRoutines partial;
    partial.processRoutine = processStub;
    AAX_SetPlugInRoutines (partial);
    EXPECT_EQ (AAX_GetPlugInRoutines().processRoutine, processStub);
    EXPECT_EQ (AAX_GetPlugInRoutines().createEffectGUI, standIns.createEffectGUI);
}

struct Refusal
{
    const char* what;
    std::function<void (SimulatedHost&)> arrange;
    uint32_t expected;
    bool definitionCleared;
};

void PrintTo (const Refusal& refusal, std::ostream* stream) { *stream << refusal.what; }

class ACFRegistrationRefusedTest : public ACFRegistrationTest, public ::testing::WithParamInterface<Refusal>
{
};

TEST_P (ACFRegistrationRefusedTest, AnswersTheHostWithoutACrashOrALeak)
{
    GetParam().arrange (host);

    IACFDefinition* definition = garbage<IACFDefinition>();
    EXPECT_EQ (static_cast<uint32_t> (ACFRegisterPlugin (host.unknown(), &definition)), GetParam().expected);
    EXPECT_EQ (definition, GetParam().definitionCleared ? nullptr : garbage<IACFDefinition>());
}

INSTANTIATE_TEST_SUITE_P (
    Hosts,
    ACFRegistrationRefusedTest,
    ::testing::Values (Refusal { "no collection", [] (SimulatedHost& host)
                                 { host.switches().withholdInterface (kIID_AAX_IACFCollection); },
                                 static_cast<uint32_t> (-20004),
                                 true },
                       Refusal { "collection made as nothing", [] (SimulatedHost& host)
                                 { host.switches().answerNullObject (kClassID_Collection); },
                                 static_cast<uint32_t> (-20004),
                                 true },
                       Refusal { "definition refused", [] (SimulatedHost& host)
                                 { host.switches().withholdInterface (kIID_IACFDefinition); },
                                 static_cast<uint32_t> (-20004),
                                 true },
                       Refusal { "factory claimed but not given", [] (SimulatedHost& host)
                                 { host.switches().answerNullInterface (kIID_IACFComponentFactory); },
                                 0x8000FFFFu,
                                 false },
                       Refusal { "integer thrown", [] (SimulatedHost& host)
                                 { host.switches().throwFromRootQuery (HostThrow::integer); },
                                 0x8000FFFFu,
                                 false },
                       Refusal { "standard exception thrown", [] (SimulatedHost& host)
                                 { host.switches().throwFromRootQuery (HostThrow::standardException); },
                                 0x8000FFFFu,
                                 false }));

TEST_F (ACFRegistrationTest, WithoutAHostOrAnOutPointerNothingIsDescribed)
{
    IACFDefinition* definition = garbage<IACFDefinition>();
    EXPECT_EQ (ACFRegisterPlugin (nullptr, &definition), -20004);
    EXPECT_EQ (definition, nullptr);
    EXPECT_EQ (ACFRegisterPlugin (host.unknown(), nullptr), -20004);
    EXPECT_THAT (host.calls().entries(), ::testing::IsEmpty());
}

TEST (GetEffectDescriptions, StopsWithNullObjectWhenNoDescriptorIsMade)
{
    struct EmptyCollection final : AAX_ICollection
    {
        AAX_IEffectDescriptor* NewDescriptor() override { return ++calls, nullptr; }
        AAX_Result AddEffect (const char*, AAX_IEffectDescriptor*) override { return ++calls; }
        AAX_Result SetManufacturerName (const char*) override { return ++calls; }
        AAX_Result AddPackageName (const char*) override { return ++calls; }
        AAX_Result SetPackageVersion (uint32_t) override { return ++calls; }
        AAX_IPropertyMap* NewPropertyMap() override { return ++calls, nullptr; }
        AAX_Result SetProperties (AAX_IPropertyMap*) override { return ++calls; }
        int calls = 0;
    } collection;

    EXPECT_EQ (GetEffectDescriptions (&collection), -20004);
    EXPECT_EQ (collection.calls, 1);
    EXPECT_EQ (GetEffectDescriptions (nullptr), -20004);
}
} // namespace
