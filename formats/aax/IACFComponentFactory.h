#pragma once

#include "formats/aax/IACFUnknown.h"

/** The host's object factory, asked of the host's IACFUnknown. */
class IACFComponentFactory : public IACFUnknown
{
public:
    /**
        Makes a host object of the given class and stores its interface of the given
        identifier, with one reference, through outInterface. The library always
        passes a null outer object.
    */
    virtual ACFResult CreateComponent (const ACFGuid& classID,
                                       IACFUnknown* outerUnknown,
                                       const ACFGuid& interfaceID,
                                       void** outInterface) = 0;

protected:
    ~IACFComponentFactory() = default;
};
