#include "formats/aax/AAX_Identifiers.h"
#include "formats/aax/AAX_PlugInDescription.h"
#include "formats/aax/ACFExports.h"
#include "formats/aax/host/AAXHostTest.h"

#include <gmock/gmock.h>

#include <string>
#include <vector>

using ::testing::IsEmpty;

namespace
{
IACFUnknown* createParametersStub() { return nullptr; }
IACFUnknown* createGUIStub() { return nullptr; }
void processStub (void* const[], const void*) {}

std::string code (const char (&characters)[5])
{
    const uint32_t value = (uint32_t (uint8_t (characters[0])) << 24) | (uint32_t (uint8_t (characters[1])) << 16)
                           | (uint32_t (uint8_t (characters[2])) << 8) | uint32_t (uint8_t (characters[3]));
    return std::to_string (static_cast<int32_t> (value));
}

// Every call a registration makes on the host, in order.
std::vector<std::string> registrationLog (const std::string& createGUI, const std::string& createParameters, const std::string& process)
{
    return {
        "factory#1.CreateComponent(CollectionClass, null, AAX_IACFCollection)",
        "factory#1.CreateComponent(EffectDescriptorClass, null, AAX_IACFEffectDescriptor)",
        "effect#1.AddName(\"Quorvel\")",
        "effect#1.AddName(\"Quorvel\")",
        "effect#1.AddCategory(512)",
        "effect#1.AddProcPtr(" + createGUI + ", 1)",
        "effect#1.AddProcPtr(" + createParameters + ", 0)",
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
        "properties#1.AddProperty(51, " + std::to_string (0x00040004) + ")",
        "properties#1.AddProperty(52, " + std::to_string (0x00040004) + ")",
        "properties#1.AddProperty(13, " + code ("jcaa") + ")",
        "properties#1.AddProperty(14, " + code ("jyaa") + ")",
        "properties#1.AddProperty(304, 1)",
        "component#1.AddProcessProc_Native(" + process + ", properties#1, null, null, null)",
        "effect#1.AddComponent(component#1)",
        "collection#1.AddEffect(\"com.brellick.quorvel\", effect#1)",
        "collection#1.SetManufacturerName(\"Brellick\")",
        "collection#1.AddPackageName(\"Quorvel\")",
        "collection#1.AddPackageName(\"Quorvel\")",
        "collection#1.SetPackageVersion(65536)",
    };
}

template <typename T>
T* garbage()
{
    static int marker;
    return reinterpret_cast<T*> (&marker);
}
} // namespace

class ACFRegistrationTest : public AAXHostTest
{
protected:
    void TearDown() override
    {
        AAX_SetPlugInRoutines ({});
        AAXHostTest::TearDown();
    }

    void installStubs()
    {
        AAX_PlugInRoutines routines;
        routines.createEffectParameters = createParametersStub;
        routines.createEffectGUI = createGUIStub;
        routines.processRoutine = processStub;
        AAX_SetPlugInRoutines (routines);
    }
};

TEST_F (ACFRegistrationTest, DescribesTheEffectExactlyAndHandsBackTheHostsDefinition)
{
    installStubs();

    IACFDefinition* definition = garbage<IACFDefinition>();
    ASSERT_EQ (ACFRegisterPlugin (host.unknown(), &definition), kAAX_Success);

    EXPECT_EQ (host.calls().entries(),
               registrationLog (HostCallLog::routineText (createGUIStub), HostCallLog::routineText (createParametersStub), HostCallLog::routineText (processStub)));

    // The definition is the collection itself, which keeps the whole
    // description alive; the library has given back every reference of its own.
    ASSERT_NE (definition, nullptr);
    EXPECT_EQ (host.ledger().nameOf (definition), "collection#1");
    EXPECT_EQ (host.ledger().liveObjects(), 5);
    EXPECT_EQ (host.ledger().outstandingReferences(), 5);

    definition->Release();
    EXPECT_EQ (host.ledger().liveObjects(), 1);
}

TEST_F (ACFRegistrationTest, StandInRoutinesAreRegisteredUntilThePlugInInstallsItsOwn)
{
    const auto standIns = AAX_GetPlugInRoutines();
    ASSERT_NE (standIns.createEffectParameters, nullptr);
    ASSERT_NE (standIns.createEffectGUI, nullptr);
    ASSERT_NE (standIns.processRoutine, nullptr);
    EXPECT_EQ (standIns.createEffectParameters(), nullptr);
    EXPECT_EQ (standIns.createEffectGUI(), nullptr);
    standIns.processRoutine (nullptr, nullptr);

    IACFDefinition* definition = nullptr;
    ASSERT_EQ (ACFRegisterPlugin (host.unknown(), &definition), kAAX_Success);
    EXPECT_EQ (host.calls().entries(),
               registrationLog (HostCallLog::routineText (standIns.createEffectGUI),
                                HostCallLog::routineText (standIns.createEffectParameters),
                                HostCallLog::routineText (standIns.processRoutine)));
    definition->Release();

    // Installing only some routines keeps the stand-ins for the others.
    AAX_PlugInRoutines partial;
    partial.processRoutine = processStub;
    AAX_SetPlugInRoutines (partial);
    const auto mixed = AAX_GetPlugInRoutines();
    EXPECT_EQ (mixed.processRoutine, processStub);
    EXPECT_EQ (mixed.createEffectGUI, standIns.createEffectGUI);
}

TEST_F (ACFRegistrationTest, WithoutACollectionTheHostGetsNullObjectInsteadOfACrash)
{
    host.switches().withholdInterface (kIID_AAX_IACFCollection);

    IACFDefinition* definition = garbage<IACFDefinition>();
    EXPECT_EQ (ACFRegisterPlugin (host.unknown(), &definition), kAAX_ErrorNullObject);
    EXPECT_EQ (definition, nullptr);

    // The rest of the description still reached the host's other objects.
    EXPECT_EQ (host.calls().entriesOf ("effect#1").size(), 6u);
    EXPECT_THAT (host.calls().entriesOf ("collection#1"), IsEmpty());
}

TEST_F (ACFRegistrationTest, WithoutAnyHostNothingIsDescribed)
{
    IACFDefinition* definition = garbage<IACFDefinition>();
    EXPECT_EQ (ACFRegisterPlugin (nullptr, &definition), kAAX_ErrorNullObject);
    EXPECT_EQ (definition, nullptr);
    EXPECT_THAT (host.calls().entries(), IsEmpty());
}

TEST_F (ACFRegistrationTest, ARefusedDefinitionAnswersNullObject)
{
    host.switches().withholdInterface (kIID_IACFDefinition);

    IACFDefinition* definition = garbage<IACFDefinition>();
    EXPECT_EQ (ACFRegisterPlugin (host.unknown(), &definition), kAAX_ErrorNullObject);
    EXPECT_EQ (definition, nullptr);
}

TEST_F (ACFRegistrationTest, AFactoryClaimedButNotGivenEndsInUnexpectedAtTheExport)
{
    host.switches().answerNullInterface (kIID_IACFComponentFactory);

    IACFDefinition* definition = garbage<IACFDefinition>();
    EXPECT_EQ (ACFRegisterPlugin (host.unknown(), &definition), kACF_Unexpected);
    EXPECT_EQ (definition, garbage<IACFDefinition>()); // left alone
}

TEST_F (ACFRegistrationTest, ACollectionCreatedAsNothingGivesNullObject)
{
    host.switches().answerNullObject (kClassID_Collection);

    IACFDefinition* definition = garbage<IACFDefinition>();
    EXPECT_EQ (ACFRegisterPlugin (host.unknown(), &definition), kAAX_ErrorNullObject);
    EXPECT_EQ (definition, nullptr);
}

TEST_F (ACFRegistrationTest, NoOutPointerDescribesNothing)
{
    EXPECT_EQ (ACFRegisterPlugin (host.unknown(), nullptr), kAAX_ErrorNullObject);
    EXPECT_THAT (host.calls().entries(), IsEmpty());
}

TEST_F (ACFRegistrationTest, HostFailuresOfSingleCallsDoNotStopTheDescription)
{
    host.switches().setOperationResult (-1);

    IACFDefinition* definition = nullptr;
    ASSERT_EQ (ACFRegisterPlugin (host.unknown(), &definition), kAAX_Success);
    EXPECT_EQ (host.calls().entries().size(), 30u);
    definition->Release();
}

class ACFRegistrationThrowingHost : public ACFRegistrationTest, public ::testing::WithParamInterface<HostThrow>
{
};

TEST_P (ACFRegistrationThrowingHost, AnswersUnexpectedAndLeaksNothing)
{
    host.switches().throwFromRootQuery (GetParam());

    IACFDefinition* definition = garbage<IACFDefinition>();
    EXPECT_EQ (ACFRegisterPlugin (host.unknown(), &definition), kACF_Unexpected);
    EXPECT_EQ (definition, garbage<IACFDefinition>());
}

INSTANTIATE_TEST_SUITE_P (IntegerAndStandardException,
                          ACFRegistrationThrowingHost,
                          ::testing::Values (HostThrow::integer, HostThrow::standardException));

namespace
{
// A collection that gives no effect descriptor.
class EmptyCollection final : public AAX_ICollection
{
public:
    AAX_IEffectDescriptor* NewDescriptor() override
    {
        ++calls;
        return nullptr;
    }
    AAX_Result AddEffect (const char*, AAX_IEffectDescriptor*) override { return ++calls; }
    AAX_Result SetManufacturerName (const char*) override { return ++calls; }
    AAX_Result AddPackageName (const char*) override { return ++calls; }
    AAX_Result SetPackageVersion (uint32_t) override { return ++calls; }
    AAX_IPropertyMap* NewPropertyMap() override
    {
        ++calls;
        return nullptr;
    }
    AAX_Result SetProperties (AAX_IPropertyMap*) override { return ++calls; }

    int calls = 0;
};
} // namespace

TEST (GetEffectDescriptions, StopsWithNullObjectWhenNoDescriptorIsMade)
{
    EmptyCollection collection;
    EXPECT_EQ (GetEffectDescriptions (&collection), kAAX_ErrorNullObject);
    EXPECT_EQ (collection.calls, 1);

    EXPECT_EQ (GetEffectDescriptions (nullptr), kAAX_ErrorNullObject);
}
