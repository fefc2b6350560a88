#include "formats/aax/ACFGuid.h"
#include "formats/aax/AAX_Identifiers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <vector>

namespace
{
bool isLittleEndian()
{
    const uint16_t probe = 1;
    uint8_t first = 0;
    std::memcpy (&first, &probe, 1);
    return first == 1;
}
} // namespace

TEST (ACFGuid, LaysOutTheWrittenFormAsTheHostReadsIt)
{
    if (! isLittleEndian())
        GTEST_SKIP() << "the byte oracle below is written for little-endian machines";

    // 382B6A96-7FD0-11D6-BCFE-00306542A024: three little-endian fields, then
    // eight bytes in written order.
    const uint8_t expected[16] = { 0x96, 0x6A, 0x2B, 0x38, 0xD0, 0x7F, 0xD6, 0x11, 0xBC, 0xFE, 0x00, 0x30, 0x65, 0x42, 0xA0, 0x24 };
    uint8_t actual[16];
    std::memcpy (actual, &kIID_IACFComponentFactory, sizeof (actual));

    EXPECT_EQ (0, std::memcmp (expected, actual, sizeof (expected)));
}

TEST (ACFGuid, ParsesLowerCaseLikeUpperCase)
{
    constexpr auto upper = ACFGuid::fromText ("7177DF80-7C9C-11E2-B92A-0800200C9A66");
    constexpr auto lower = ACFGuid::fromText ("7177df80-7c9c-11e2-b92a-0800200c9a66");
    static_assert (upper == lower, "hex digits are case-blind");
    EXPECT_EQ (upper.data1, 0x7177DF80u);
    EXPECT_EQ (upper.data2, 0x7C9Cu);
    EXPECT_EQ (upper.data3, 0x11E2u);
    EXPECT_EQ (upper.data4[0], 0xB9u);
    EXPECT_EQ (upper.data4[7], 0x66u);
}

TEST (ACFGuid, DiffersWhenAnyFieldDiffers)
{
    const auto base = kIID_AAX_IACFPropertyMap_V2;

    for (size_t byte = 0; byte < sizeof (ACFGuid); ++byte)
    {
        auto changed = base;
        auto* bytes = reinterpret_cast<uint8_t*> (&changed);
        bytes[byte] ^= 0x01;
        EXPECT_NE (base, changed) << "byte " << byte;
        EXPECT_FALSE (base == changed) << "byte " << byte;
    }
}

TEST (ACFGuid, EveryIdentifierOfTheLibraryIsDistinct)
{
    const std::vector<ACFGuid> all {
        kIID_IACFUnknown,
        kIID_IACFDefinition,
        kIID_IACFComponentFactory,
        kClassID_HostServices,
        kIID_AAX_IACFHostServices,
        kClassID_Collection,
        kIID_AAX_IACFCollection,
        kClassID_EffectDescriptor,
        kIID_AAX_IACFEffectDescriptor,
        kIID_AAX_IACFEffectDescriptor_V2,
        kClassID_ComponentDescriptor,
        kIID_AAX_IACFComponentDescriptor,
        kIID_AAX_IACFComponentDescriptor_V2,
        kClassID_PropertyMap,
        kIID_AAX_IACFPropertyMap,
        kIID_AAX_IACFPropertyMap_V2,
        kIID_AAX_IACFAutomationDelegate,
        kIID_AAX_IACFController,
        kIID_AAX_IACFController_V2,
        kIID_AAX_IACFViewContainer,
        kIID_AAX_IACFEffectParameters,
        kIID_AAX_IACFEffectParameters_V2,
        kIID_AAX_IACFEffectGUI,
        kIID_AAX_IACFTransport,
        kIID_AAX_IACFTransport_V2,
    };

    ASSERT_EQ (all.size(), 25u);

    for (size_t i = 0; i < all.size(); ++i)
        for (size_t j = i + 1; j < all.size(); ++j)
            EXPECT_NE (all[i], all[j]) << i << " and " << j;

    // The one identifier every object model shares.
    EXPECT_EQ (kIID_IACFUnknown.data1, 0u);
    EXPECT_EQ (kIID_IACFUnknown.data4[0], 0xC0u);
    EXPECT_EQ (kIID_IACFUnknown.data4[7], 0x46u);
}
