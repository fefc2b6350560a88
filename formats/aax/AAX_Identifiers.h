#pragma once

#include "formats/aax/ACFGuid.h"

// Every identifier by which the library and the host ask each other for an
// interface or make a host object. "Class" identifiers name a kind of host
// object to create through the host's component factory; "IID" identifiers name
// an interface of an object.

inline constexpr ACFGuid kIID_IACFUnknown = ACFGuid::fromText ("00000000-0000-0000-C000-000000000046");
inline constexpr ACFGuid kIID_IACFDefinition = ACFGuid::fromText ("00EEF015-7FD0-11D6-8485-00306542A024");
inline constexpr ACFGuid kIID_IACFComponentFactory = ACFGuid::fromText ("382B6A96-7FD0-11D6-BCFE-00306542A024");

inline constexpr ACFGuid kClassID_HostServices = ACFGuid::fromText ("88882C2D-EBBC-42EF-C0AB-8981B0BD0CCA");
inline constexpr ACFGuid kIID_AAX_IACFHostServices = ACFGuid::fromText ("96D42C2D-EBBC-41EF-B0AB-9991A0ED0CCA");

inline constexpr ACFGuid kClassID_Collection = ACFGuid::fromText ("89882C2D-77BC-42EF-707B-7981B7BD0CCA");
inline constexpr ACFGuid kIID_AAX_IACFCollection = ACFGuid::fromText ("96D42C2D-EBBC-41DF-B1AB-9991A2EE0CCA");

inline constexpr ACFGuid kClassID_EffectDescriptor = ACFGuid::fromText ("89872C2D-75BC-423F-401B-F9A1BAAD0CCA");
inline constexpr ACFGuid kIID_AAX_IACFEffectDescriptor = ACFGuid::fromText ("96D42C2D-EBBC-41EF-D1CB-499442E40FDA");
inline constexpr ACFGuid kIID_AAX_IACFEffectDescriptor_V2 = ACFGuid::fromText ("41ECCC52-416B-4072-84BD-40B05210A74C");

inline constexpr ACFGuid kClassID_ComponentDescriptor = ACFGuid::fromText ("94872C3D-95BC-413D-D0DB-D9B12AAD0CCA");
inline constexpr ACFGuid kIID_AAX_IACFComponentDescriptor = ACFGuid::fromText ("96E42C2D-E2BC-51EF-61C7-48994AEB0CDA");
inline constexpr ACFGuid kIID_AAX_IACFComponentDescriptor_V2 = ACFGuid::fromText ("1895259E-AAA9-4F0F-A985-149837B76F89");

inline constexpr ACFGuid kClassID_PropertyMap = ACFGuid::fromText ("A587AD3D-D53C-4ADC-D0DD-D9D12DDDDCDA");
inline constexpr ACFGuid kIID_AAX_IACFPropertyMap = ACFGuid::fromText ("96EE2C2D-EECC-5EFF-E2D7-E849E3E2EEEE");
inline constexpr ACFGuid kIID_AAX_IACFPropertyMap_V2 = ACFGuid::fromText ("7177DF80-7C9C-11E2-B92A-0800200C9A66");

inline constexpr ACFGuid kIID_AAX_IACFAutomationDelegate = ACFGuid::fromText ("9D5E3D3D-42DC-5EFA-2217-EEE2E8E53E2E");
inline constexpr ACFGuid kIID_AAX_IACFController = ACFGuid::fromText ("9D5E3E3D-52DC-5EFB-2018-DE1DE2E63F4E");
inline constexpr ACFGuid kIID_AAX_IACFController_V2 = ACFGuid::fromText ("4C59AA0E-D7C0-4205-8B6C-32468D42D202");
inline constexpr ACFGuid kIID_AAX_IACFViewContainer = ACFGuid::fromText ("22DA0BBC-D550-4D5E-8CC6-734483B8837F");
inline constexpr ACFGuid kIID_AAX_IACFTransport = ACFGuid::fromText ("5CEE4EF4-6337-4359-B63B-FE58DC36543A");
inline constexpr ACFGuid kIID_AAX_IACFTransport_V2 = ACFGuid::fromText ("203CBD9F-982C-4FE6-A827-07480257AEC3");

inline constexpr ACFGuid kIID_AAX_IACFEffectParameters = ACFGuid::fromText ("964E333D-334C-533F-C2C7-3834C3C23E3E");
inline constexpr ACFGuid kIID_AAX_IACFEffectParameters_V2 = ACFGuid::fromText ("F1F47D06-308F-4CC5-9C7C-50A83F8AB813");
inline constexpr ACFGuid kIID_AAX_IACFEffectGUI = ACFGuid::fromText ("964E323D-424C-5E1A-2227-282423222E1E");
