#include "formats/aax/ACFExports.h"

#include "formats/aax/AAXTestSupport.h"
#include "formats/aax/AAX_CHostServicesAccess.h"
#include "formats/aax/AAX_Identifiers.h"
#include "formats/aax/CACFUnknown.h"
#include "formats/aax/host/AAXHostTest.h"

#include <gmock/gmock.h>

#include <dlfcn.h>

using ACFExportsTest = AAXHostTest;

TEST_F (ACFExportsTest, FixedAnswers)
{
    uint64_t version = 0;
    EXPECT_EQ (ACFGetSDKVersion (&version), 0);
    EXPECT_EQ (version, 0x00000201007756BFull);
    EXPECT_EQ (ACFGetSDKVersion (nullptr), -20004);

    void* factory = garbage<void>();
    EXPECT_EQ (ACFGetClassFactory (host.unknown(), &kClassID_Collection, &kIID_IACFUnknown, &factory), -20009);
    EXPECT_EQ (factory, nullptr);
    EXPECT_EQ (ACFGetClassFactory (nullptr, nullptr, nullptr, nullptr), -20009);

    IACFDefinition* definition = garbage<IACFDefinition>();
    EXPECT_EQ (ACFRegisterComponent (host.unknown(), 0, &definition), 0);
    EXPECT_EQ (definition, nullptr);
    EXPECT_EQ (ACFRegisterComponent (host.unknown(), 3, nullptr), -20004);
    EXPECT_THAT (host.calls().entries(), ::testing::IsEmpty());
}

TEST_F (ACFExportsTest, CanUnloadCountsTheLiveLibraryObjects)
{
    class LibraryObject final : public CACFUnknown
    {
    };

    EXPECT_EQ (ACFCanUnloadNow(), 0);
    auto* first = new LibraryObject;
    auto* second = new LibraryObject;
    first->GetPrivateUnknown()->AddRef();
    second->GetPrivateUnknown()->AddRef();
    EXPECT_EQ (ACFCanUnloadNow(), 2);
    second->GetPrivateUnknown()->Release();
    EXPECT_EQ (ACFCanUnloadNow(), 1);
    first->GetPrivateUnknown()->Release();
    EXPECT_EQ (ACFCanUnloadNow(), 0);
}

TEST_F (ACFExportsTest, StartUpKeepsTheFirstHostAndShutDownGivesItBack)
{
    EXPECT_EQ (ACFShutdown (nullptr), 0);
    EXPECT_EQ (ACFStartup (nullptr), 0);
    EXPECT_EQ (AAX_CHostServicesAccess::Get(), nullptr);

    EXPECT_EQ (ACFStartup (host.unknown()), 0);
    auto* holder = AAX_CHostServicesAccess::Get();
    EXPECT_EQ (ACFStartup (host.unknown()), 0);
    EXPECT_EQ (AAX_CHostServicesAccess::Get(), holder);
    EXPECT_EQ (host.calls().entriesWithOperation ("CreateComponent").size(), 1u);

    AAX_CHostServicesAccess::Trace (5, "hello");
    EXPECT_EQ (host.context().traces().size(), 1u);
    EXPECT_EQ (ACFShutdown (host.unknown()), 0);
    EXPECT_EQ (AAX_CHostServicesAccess::Get(), nullptr);
    EXPECT_EQ (host.ledger().liveObjects(), 1) << "the root alone";
}

// The host finds the entry points by their plain names in the plug-in's shared
// object, and nothing else of the library is visible there.
TEST (ACFExportsLinkage, SharedObjectOffersTheSevenEntryPointsByPlainName)
{
    void* library = dlopen (QUORVEL_AAX_EXPORT_PROBE, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE (library, nullptr) << dlerror();

    for (const char* name : { "ACFRegisterPlugin", "ACFRegisterComponent", "ACFGetClassFactory", "ACFCanUnloadNow", "ACFStartup", "ACFShutdown", "ACFGetSDKVersion" })
        EXPECT_NE (dlsym (library, name), nullptr) << name;

    EXPECT_EQ (dlsym (library, "_ZN11CACFUnknown17ActiveObjectCountEv"), nullptr) << "library internals are exported";

    uint64_t version = 0;
    EXPECT_EQ (reinterpret_cast<ACFResult (*) (uint64_t*)> (dlsym (library, "ACFGetSDKVersion")) (&version), 0);
    EXPECT_EQ (version, 0x00000201007756BFull);
    dlclose (library);
}
