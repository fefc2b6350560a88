#pragma once

#include "formats/aax/IACFComponentFactory.h"
#include "formats/aax/host/HostObject.h"

#include <functional>
#include <string>
#include <vector>

/**
    The simulated host's root object: the IACFUnknown the host hands to the
    plug-in's exports, which also is the component factory. It makes host objects
    by class identifier from the makers registered with it, and honours the
    switches that withhold interfaces, fail creations, answer success with no
    object, or throw from a query.
*/
class HostComponentFactory final : public HostUnknownImpl<IACFComponentFactory>
{
public:
    /** Makes a new object of one class; the factory then queries it for the requested interface. */
    using Maker = std::function<HostObject*(HostContext&)>;

    explicit HostComponentFactory (HostContext& context);

    void registerClass (const ACFGuid& classID, Maker maker);

    ACFResult CreateComponent (const ACFGuid& classID, IACFUnknown* outerUnknown, const ACFGuid& interfaceID, void** outInterface) override;

protected:
    void* findInterface (const ACFGuid& interfaceID) override;
    void beforeQuery() override;

private:
    struct Registration
    {
        ACFGuid classID;
        Maker maker;
    };

    std::vector<Registration> classes;
};
