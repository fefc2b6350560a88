#include "tests/plugin/aax/QuorvelAaxLibrary.h"

#include <dlfcn.h>

namespace
{
template <typename Function>
void find (void* handle, const char* name, Function& function, std::string& failure)
{
    if (void* address = dlsym (handle, name))
        function = reinterpret_cast<Function> (address);
    else if (failure.empty())
        failure = std::string ("no export ") + name;
}

QuorvelAaxLibrary load()
{
    QuorvelAaxLibrary library;
    void* handle = dlopen (QUORVEL_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL);

    if (handle == nullptr)
    {
        const char* reason = dlerror();
        library.failure = reason != nullptr ? reason : "dlopen failed";
        return library;
    }

    find (handle, "ACFRegisterPlugin", library.registerPlugin, library.failure);
    find (handle, "ACFRegisterComponent", library.registerComponent, library.failure);
    find (handle, "ACFGetClassFactory", library.getClassFactory, library.failure);
    find (handle, "ACFCanUnloadNow", library.canUnloadNow, library.failure);
    find (handle, "ACFStartup", library.startup, library.failure);
    find (handle, "ACFShutdown", library.shutdown, library.failure);
    find (handle, "ACFGetSDKVersion", library.getSDKVersion, library.failure);
    return library;
}
} // namespace

const QuorvelAaxLibrary& quorvelAax()
{
    static const QuorvelAaxLibrary library = load();
    return library;
}
