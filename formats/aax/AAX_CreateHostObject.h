#pragma once

#include "formats/aax/AAX_Identifiers.h"
#include "formats/aax/ACFPtr.h"
#include "formats/aax/IACFComponentFactory.h"

/**
    Has the host make one of its objects through the factory it offers on
    hostUnknown, storing the requested interface in field. A host without a
    factory, or one that fails the creation, leaves the field empty. A host that
    claims to offer a factory yet hands back none makes this throw
    kACF_NullInterfaceThrown; every holder releases what it took on the way out.
*/
template <class Interface>
void AAX_CreateHostObject (IACFUnknown* hostUnknown, const ACFGuid& classID, const ACFGuid& interfaceID, ACFPtr<Interface>& field)
{
    if (hostUnknown == nullptr)
        return;

    ACFPtr<IACFComponentFactory> factory;
    const auto answer = hostUnknown->QueryInterface (kIID_IACFComponentFactory, factory.outPointer());

    if (answer != kAAX_Success)
        return;

    // The creation's own answer is not needed: the field is either filled or empty.
    factory.AcfPtrCheck()->CreateComponent (classID, nullptr, interfaceID, field.outPointer());
}

/** Asks an interface for its second version; a refusal leaves the field empty. */
template <class Interface, class SecondVersion>
void AAX_QuerySecondVersion (const ACFPtr<Interface>& first, const ACFGuid& interfaceID, ACFPtr<SecondVersion>& field)
{
    if (first)
        first.get()->QueryInterface (interfaceID, field.outPointer());
}
