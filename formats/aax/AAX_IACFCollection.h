#pragma once

#include "formats/aax/IACFUnknown.h"

/** The host's collection: the set of effects a plug-in bundle describes. */
class AAX_IACFCollection : public IACFUnknown
{
public:
    // Slots 3 to 6 are not called by the library; they only keep the positions
    // of the operations after them.
    virtual AAX_Result UnusedSlot3() = 0;
    virtual AAX_Result UnusedSlot4() = 0;
    virtual AAX_Result UnusedSlot5() = 0;
    virtual AAX_Result UnusedSlot6() = 0;

    virtual AAX_Result AddEffect (const char* effectID, IACFUnknown* effectDescriptor) = 0; // slot 7
    virtual AAX_Result SetManufacturerName (const char* name) = 0; // slot 8
    virtual AAX_Result AddPackageName (const char* name) = 0; // slot 9
    virtual AAX_Result SetPackageVersion (uint32_t version) = 0; // slot 10
    virtual AAX_Result SetProperties (IACFUnknown* propertyMap) = 0; // slot 11

protected:
    ~AAX_IACFCollection() = default;
};
