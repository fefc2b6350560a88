#include "formats/aax/ACFExports.h"

#include "formats/aax/AAX_CHostServicesAccess.h"
#include "formats/aax/AAX_Identifiers.h"
#include "formats/aax/CACFUnknown.h"
#include "formats/aax/host/AAXHostTest.h"

#include <gmock/gmock.h>

using ::testing::IsEmpty;

namespace
{
class LibraryObject final : public CACFUnknown
{
};

// Something for a host to find in an out pointer that was never written.
template <typename T>
T* garbage()
{
    static int marker;
    return reinterpret_cast<T*> (&marker);
}
} // namespace

using ACFExportsTest = AAXHostTest;

TEST_F (ACFExportsTest, VersionIsTheOneTheLibraryWasWrittenAgainst)
{
    uint64_t version = 0;
    EXPECT_EQ (ACFGetSDKVersion (&version), kAAX_Success);
    EXPECT_EQ (version, 0x00000201007756BFull);

    EXPECT_EQ (ACFGetSDKVersion (nullptr), kAAX_ErrorNullObject);
}

TEST_F (ACFExportsTest, CanUnloadOnlyWhenNoLibraryObjectLives)
{
    EXPECT_EQ (ACFCanUnloadNow(), 0);

    auto* object = new LibraryObject;
    object->GetPrivateUnknown()->AddRef();
    EXPECT_EQ (ACFCanUnloadNow(), 1);

    auto* second = new LibraryObject;
    second->GetPrivateUnknown()->AddRef();
    EXPECT_EQ (ACFCanUnloadNow(), 2);
    second->GetPrivateUnknown()->Release();

    object->GetPrivateUnknown()->Release();
    EXPECT_EQ (ACFCanUnloadNow(), 0);
}

TEST_F (ACFExportsTest, NoClassFactoryAndNoStandAloneComponents)
{
    void* factory = garbage<void>();
    EXPECT_EQ (ACFGetClassFactory (host.unknown(), &kClassID_Collection, &kIID_IACFUnknown, &factory), kAAX_ErrorUnsupported);
    EXPECT_EQ (factory, nullptr);
    EXPECT_EQ (ACFGetClassFactory (nullptr, nullptr, nullptr, nullptr), kAAX_ErrorUnsupported);

    IACFDefinition* definition = garbage<IACFDefinition>();
    EXPECT_EQ (ACFRegisterComponent (host.unknown(), 0, &definition), kAAX_Success);
    EXPECT_EQ (definition, nullptr);
    EXPECT_EQ (ACFRegisterComponent (host.unknown(), 3, nullptr), kAAX_ErrorNullObject);

    EXPECT_THAT (host.calls().entries(), IsEmpty());
}

TEST_F (ACFExportsTest, StartUpKeepsTheFirstHostAndShutDownGivesItBack)
{
    EXPECT_EQ (ACFShutdown (nullptr), kAAX_Success); // before any start-up: nothing to do

    EXPECT_EQ (ACFStartup (host.unknown()), kAAX_Success);
    auto* holder = AAX_CHostServicesAccess::Get();
    ASSERT_NE (holder, nullptr);
    EXPECT_EQ (ACFStartup (host.unknown()), kAAX_Success);
    EXPECT_EQ (AAX_CHostServicesAccess::Get(), holder);
    EXPECT_EQ (host.calls().entriesWithOperation ("CreateComponent").size(), 1u);

    AAX_CHostServicesAccess::Trace (5, "hello");
    ASSERT_EQ (host.context().traces().size(), 1u);

    EXPECT_EQ (ACFShutdown (host.unknown()), kAAX_Success);
    EXPECT_EQ (AAX_CHostServicesAccess::Get(), nullptr);
    EXPECT_EQ (host.ledger().liveObjects(), 1); // the root alone
}

TEST_F (ACFExportsTest, StartUpWithoutHostDoesNothing)
{
    EXPECT_EQ (ACFStartup (nullptr), kAAX_Success);
    EXPECT_EQ (AAX_CHostServicesAccess::Get(), nullptr);
}

class ACFExportsThrowingHost : public AAXHostTest, public ::testing::WithParamInterface<HostThrow>
{
};

TEST_P (ACFExportsThrowingHost, StartUpAnswersUnexpectedAndKeepsNothing)
{
    host.switches().throwFromRootQuery (GetParam());

    EXPECT_EQ (ACFStartup (host.unknown()), kACF_Unexpected);
    EXPECT_EQ (AAX_CHostServicesAccess::Get(), nullptr);
    EXPECT_EQ (static_cast<uint32_t> (kACF_Unexpected), 0x8000FFFFu);
}

INSTANTIATE_TEST_SUITE_P (IntegerAndStandardException,
                          ACFExportsThrowingHost,
                          ::testing::Values (HostThrow::integer, HostThrow::standardException));

#if defined(QUORVEL_AAX_EXPORT_PROBE)

    #include <dlfcn.h>

namespace
{
class LoadedLibrary
{
public:
    explicit LoadedLibrary (const char* path)
        : handle (dlopen (path, RTLD_NOW | RTLD_LOCAL))
    {
    }
    ~LoadedLibrary()
    {
        if (handle != nullptr)
            dlclose (handle);
    }

    LoadedLibrary (const LoadedLibrary&) = delete;
    LoadedLibrary& operator= (const LoadedLibrary&) = delete;

    void* handle;
};
} // namespace

// The host finds the entry points by their plain names in the plug-in's shared
// object, and nothing else of the library is visible there.
TEST (ACFExportsLinkage, SharedObjectOffersTheSevenEntryPointsByPlainName)
{
    LoadedLibrary library (QUORVEL_AAX_EXPORT_PROBE);
    ASSERT_NE (library.handle, nullptr) << dlerror();

    for (const char* name : { "ACFRegisterPlugin", "ACFRegisterComponent", "ACFGetClassFactory", "ACFCanUnloadNow", "ACFStartup", "ACFShutdown", "ACFGetSDKVersion" })
        EXPECT_NE (dlsym (library.handle, name), nullptr) << name;

    EXPECT_EQ (dlsym (library.handle, "_ZN11CACFUnknown17ActiveObjectCountEv"), nullptr) << "library internals are exported";

    using VersionEntry = ACFResult (*) (uint64_t*);
    auto getVersion = reinterpret_cast<VersionEntry> (dlsym (library.handle, "ACFGetSDKVersion"));
    ASSERT_NE (getVersion, nullptr);
    uint64_t version = 0;
    EXPECT_EQ (getVersion (&version), kAAX_Success);
    EXPECT_EQ (version, 0x00000201007756BFull);

    using UnloadEntry = ACFResult (*)();
    auto canUnload = reinterpret_cast<UnloadEntry> (dlsym (library.handle, "ACFCanUnloadNow"));
    ASSERT_NE (canUnload, nullptr);
    EXPECT_EQ (canUnload(), 0);
}

#endif
