#include "formats/aax/host/HostIdentifierNames.h"

#include "formats/aax/AAX_Identifiers.h"

#include <cstdio>
#include <utility>

std::string hostIdentifierName (const ACFGuid& identifier)
{
    static const std::pair<ACFGuid, const char*> known[] = {
        { kIID_IACFUnknown, "IACFUnknown" },
        { kIID_IACFDefinition, "IACFDefinition" },
        { kIID_IACFComponentFactory, "IACFComponentFactory" },
        { kClassID_HostServices, "HostServicesClass" },
        { kIID_AAX_IACFHostServices, "AAX_IACFHostServices" },
        { kClassID_Collection, "CollectionClass" },
        { kIID_AAX_IACFCollection, "AAX_IACFCollection" },
        { kClassID_EffectDescriptor, "EffectDescriptorClass" },
        { kIID_AAX_IACFEffectDescriptor, "AAX_IACFEffectDescriptor" },
        { kIID_AAX_IACFEffectDescriptor_V2, "AAX_IACFEffectDescriptor_V2" },
        { kClassID_ComponentDescriptor, "ComponentDescriptorClass" },
        { kIID_AAX_IACFComponentDescriptor, "AAX_IACFComponentDescriptor" },
        { kIID_AAX_IACFComponentDescriptor_V2, "AAX_IACFComponentDescriptor_V2" },
        { kClassID_PropertyMap, "PropertyMapClass" },
        { kIID_AAX_IACFPropertyMap, "AAX_IACFPropertyMap" },
        { kIID_AAX_IACFPropertyMap_V2, "AAX_IACFPropertyMap_V2" },
        { kIID_AAX_IACFAutomationDelegate, "AAX_IACFAutomationDelegate" },
        { kIID_AAX_IACFController, "AAX_IACFController" },
        { kIID_AAX_IACFController_V2, "AAX_IACFController_V2" },
        { kIID_AAX_IACFViewContainer, "AAX_IACFViewContainer" },
        { kIID_AAX_IACFTransport, "AAX_IACFTransport" },
        { kIID_AAX_IACFTransport_V2, "AAX_IACFTransport_V2" },
        { kIID_AAX_IACFEffectParameters, "AAX_IACFEffectParameters" },
        { kIID_AAX_IACFEffectParameters_V2, "AAX_IACFEffectParameters_V2" },
        { kIID_AAX_IACFEffectGUI, "AAX_IACFEffectGUI" },
    };

    for (const auto& entry : known)
        if (entry.first == identifier)
            return entry.second;

    char text[40];
    std::snprintf (text,
                   sizeof (text),
                   "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X",
                   static_cast<unsigned> (identifier.data1),
                   static_cast<unsigned> (identifier.data2),
                   static_cast<unsigned> (identifier.data3),
                   identifier.data4[0],
                   identifier.data4[1],
                   identifier.data4[2],
                   identifier.data4[3],
                   identifier.data4[4],
                   identifier.data4[5],
                   identifier.data4[6],
                   identifier.data4[7]);
    return text;
}
