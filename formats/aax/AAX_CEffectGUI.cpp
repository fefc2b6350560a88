#include "formats/aax/AAX_CEffectGUI.h"

#include "formats/aax/AAX_CString.h"
#include "formats/aax/AAX_Identifiers.h"
#include "formats/aax/AAX_VController.h"
#include "formats/aax/AAX_VTransport.h"
#include "formats/aax/AAX_VViewContainer.h"

AAX_CEffectGUI::AAX_CEffectGUI() = default;

AAX_CEffectGUI::~AAX_CEffectGUI()
{
    releaseInstanceObjects();
    viewContainer.reset();
}

ACFResult AAX_CEffectGUI::QueryInterface (const ACFGuid& interfaceID, void** outInterface)
{
    return GetOuterUnknown()->QueryInterface (interfaceID, outInterface);
}

uint32_t AAX_CEffectGUI::AddRef()
{
    return GetOuterUnknown()->AddRef();
}

uint32_t AAX_CEffectGUI::Release()
{
    return GetOuterUnknown()->Release();
}

//==============================================================================
AAX_Result AAX_CEffectGUI::Initialize (IACFUnknown* hostUnknown)
{
    // A repeated Initialize must not leak the references the first one took.
    releaseInstanceObjects();

    controller = std::make_unique<AAX_VController> (hostUnknown);

    if (hostUnknown == nullptr)
        return kAAX_ErrorNoController;

    // A refused query leaves the pointer null; the subclass then has no
    // effect to show and makes no view.
    hostUnknown->QueryInterface (kIID_AAX_IACFEffectParameters, effectParameters.outPointer());

    transport = std::make_unique<AAX_VTransport> (hostUnknown);
    CreateViewContents();
    return kAAX_Success;
}

AAX_Result AAX_CEffectGUI::Uninitialize()
{
    releaseInstanceObjects();
    return kAAX_Success;
}

void AAX_CEffectGUI::releaseInstanceObjects()
{
    effectParameters.reset();
    controller.reset();
    transport.reset();
}

AAX_Result AAX_CEffectGUI::DefaultSlot5 (void*)
{
    return kAAX_Success;
}

AAX_Result AAX_CEffectGUI::SetViewContainer (IACFUnknown* newContainer)
{
    if (newContainer != nullptr)
    {
        viewContainer = std::make_unique<AAX_VViewContainer> (newContainer);
        CreateViewContainer();
        UpdateAllParameters();
        return kAAX_Success;
    }

    // The subclass detaches while no container is held, so nothing it does on
    // the way out reaches a window the host is taking away.
    auto departing = std::move (viewContainer);
    DeleteViewContainer();
    departing.reset();
    return kAAX_Success;
}

AAX_Result AAX_CEffectGUI::GetViewSize (AAX_Point*)
{
    return kAAX_Success;
}

AAX_Result AAX_CEffectGUI::DefaultSlot8()
{
    return kAAX_Success;
}

AAX_Result AAX_CEffectGUI::DefaultSlot9()
{
    return kAAX_Success;
}

AAX_Result AAX_CEffectGUI::ParameterUpdated (const char*)
{
    return kAAX_Success;
}

AAX_Result AAX_CEffectGUI::DefaultSlot11 (const char*, void*)
{
    return kAAX_ErrorNullObject;
}

AAX_Result AAX_CEffectGUI::SetControlHighlightInfo (const char*, AAX_CBoolean, int32_t)
{
    return kAAX_Success;
}

//==============================================================================
void AAX_CEffectGUI::UpdateAllParameters()
{
    auto* effect = effectParameters.get();

    if (effect == nullptr)
        return;

    int32_t count = 0;

    if (effect->GetNumberOfParameters (&count) != kAAX_Success)
        return;

    for (int32_t index = 0; index < count; ++index)
    {
        AAX_CString identifier;

        if (effect->GetParameterIDFromIndex (index, &identifier) == kAAX_Success)
            ParameterUpdated (identifier.CString());
    }
}

ACFResult AAX_CEffectGUI::InternalQueryInterface (const ACFGuid& interfaceID, void** outInterface)
{
    if (outInterface == nullptr)
        return kAAX_ErrorNullObject;

    if (interfaceID == kIID_AAX_IACFEffectGUI)
    {
        *outInterface = static_cast<AAX_IACFEffectGUI*> (this);
        AddRef();
        return kAAX_Success;
    }

    return CACFUnknown::InternalQueryInterface (interfaceID, outInterface);
}

int32_t AAX_CEffectGUI::ViewContainerType() const
{
    return viewContainer != nullptr ? viewContainer->GetType() : 0;
}

void* AAX_CEffectGUI::ViewContainerHandle() const
{
    return viewContainer != nullptr ? viewContainer->GetPtr() : nullptr;
}
