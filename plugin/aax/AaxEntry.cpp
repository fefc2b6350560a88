// The AAX side of Quorvel.so: the library's registration takes the plug-in's own
// routines from here. The host may register the plug-in before anything else runs,
// so they are installed while the shared object loads.

#include "formats/aax/AAX_PlugInDescription.h"
#include "plugin/aax/AaxBridge.h"
#include "plugin/aax/AaxGuiBridge.h"

namespace
{
struct RoutineInstaller
{
    RoutineInstaller()
    {
        AAX_PlugInRoutines routines;
        routines.createEffectParameters = AaxBridge::create;
        routines.createEffectGUI = AaxGuiBridge::create;
        routines.processRoutine = AaxBridge::processInstances;
        AAX_SetPlugInRoutines (routines);
    }
};

const RoutineInstaller installer;
} // namespace
