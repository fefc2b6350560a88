#include "formats/aax/ACFGuid.h"
#include "formats/aax/AAX_Identifiers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

TEST (ACFGuid, LaysOutTheWrittenFormAsALittleEndianHostReadsIt)
{
    // 382B6A96-7FD0-11D6-BCFE-00306542A024: three little-endian fields, then eight bytes in written order.
    const uint8_t expected[16] = { 0x96, 0x6A, 0x2B, 0x38, 0xD0, 0x7F, 0xD6, 0x11, 0xBC, 0xFE, 0x00, 0x30, 0x65, 0x42, 0xA0, 0x24 };
    EXPECT_EQ (0, std::memcmp (expected, &kIID_IACFComponentFactory, sizeof (expected)));

    static_assert (ACFGuid::fromText ("7177DF80-7C9C-11E2-B92A-0800200C9A66") == ACFGuid::fromText ("7177df80-7c9c-11e2-b92a-0800200c9a66"));
    const auto lower = ACFGuid::fromText ("abcdef01-2345-6789-abcd-ef0123456789");
    EXPECT_EQ (lower.data1, 0xABCDEF01u);
    EXPECT_EQ (lower.data4[0], 0xABu);
    EXPECT_EQ (lower.data4[7], 0x89u);
}

TEST (ACFGuid, EveryOneOfTheLibrarysIdentifiersDiffersInEveryByte)
{
    const std::vector<ACFGuid> all { kIID_IACFUnknown, kIID_IACFDefinition, kIID_IACFComponentFactory, kClassID_HostServices, kIID_AAX_IACFHostServices, kClassID_Collection, kIID_AAX_IACFCollection, kClassID_EffectDescriptor, kIID_AAX_IACFEffectDescriptor, kIID_AAX_IACFEffectDescriptor_V2, kClassID_ComponentDescriptor, kIID_AAX_IACFComponentDescriptor, kIID_AAX_IACFComponentDescriptor_V2, kClassID_PropertyMap, kIID_AAX_IACFPropertyMap, kIID_AAX_IACFPropertyMap_V2, kIID_AAX_IACFAutomationDelegate, kIID_AAX_IACFController, kIID_AAX_IACFController_V2, kIID_AAX_IACFViewContainer, kIID_AAX_IACFEffectParameters, kIID_AAX_IACFEffectParameters_V2, kIID_AAX_IACFEffectGUI, kIID_AAX_IACFTransport, kIID_AAX_IACFTransport_V2 };

    for (size_t i = 0; i < all.size(); ++i)
        for (size_t j = i + 1; j < all.size(); ++j)
            EXPECT_NE (all[i], all[j]) << i << " and " << j;

    for (size_t byte = 0; byte < sizeof (ACFGuid); ++byte)
    {
        auto changed = kIID_IACFUnknown;
        reinterpret_cast<uint8_t*> (&changed)[byte] ^= 0x01;
        EXPECT_FALSE (changed == kIID_IACFUnknown) << "byte " << byte;
    }
}
