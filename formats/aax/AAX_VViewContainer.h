#pragma once

#include "formats/aax/AAX_IACFViewContainer.h"
#include "formats/aax/AAX_IViewContainer.h"
#include "formats/aax/ACFPtr.h"

//==============================================================================
/** The plug-in's view of the host window that holds its editor.

    State: the host's view-container interface, holding one reference or null,
    queried once at construction. The reference is given back at destruction,
    so that a host window is not kept alive by an editor that has gone.
    Without the interface, GetType and SetViewSize answer 0, GetPtr null and
    the other operations -20009, without calling the host.
*/
class AAX_VViewContainer : public AAX_IViewContainer
{
public:
    explicit AAX_VViewContainer (IACFUnknown* hostUnknown);
    ~AAX_VViewContainer() override;

    AAX_VViewContainer (const AAX_VViewContainer&) = delete;
    AAX_VViewContainer& operator= (const AAX_VViewContainer&) = delete;

    int32_t GetType() override;
    void* GetPtr() override;
    AAX_Result GetModifiers (uint32_t* modifiers) override;
    AAX_Result SetViewSize (const AAX_Point& size) override;
    AAX_Result HandleParameterMouseDown (const char* parameterID, uint32_t modifiers) override;
    AAX_Result HandleParameterMouseDrag (const char* parameterID, uint32_t modifiers) override;
    AAX_Result HandleParameterMouseUp (const char* parameterID, uint32_t modifiers) override;

private:
    ACFPtr<AAX_IACFViewContainer> container;
};
