#pragma once

#include "formats/aax/AAX_IACFEffectParameters.h"
#include "formats/aax/AAX_IEffectGUI.h"
#include "formats/aax/ACFPtr.h"
#include "formats/aax/CACFUnknown.h"

#include <memory>

class AAX_VController;
class AAX_VTransport;
class AAX_VViewContainer;

/**
    The base of a plug-in's GUI object: it keeps the host's controller and
    transport for the plug-in instance, finds that instance's effect object,
    wraps the host window it is given and tells the effect's parameters to the
    view; the view itself is left to a subclass through CreateViewContents,
    CreateViewContainer and DeleteViewContainer.

    State (written only by Initialize, Uninitialize, SetViewContainer and the
    destructor, which the host calls on the object it owns; no lock):
    - controller: wrapper of the host's controller, owned; from Initialize to
      Uninitialize (made even for a null argument, then holding nothing);
    - effect parameters: the instance's effect object, one reference held;
      null before Initialize, when the instance has none, and after Uninitialize;
    - view container: wrapper of the host window, owned; from a SetViewContainer
      with a window to the next SetViewContainer or destruction;
    - transport: wrapper of the host's transport, owned; same life as the controller.

    Objects are reference counted: made with new, gone with the host's last
    Release.
*/
class AAX_CEffectGUI : public AAX_IEffectGUI, public CACFUnknown
{
public:
    AAX_CEffectGUI();

    // IACFUnknown, forwarded to the outer object.
    ACFResult QueryInterface (const ACFGuid& interfaceID, void** outInterface) override;
    uint32_t AddRef() override;
    uint32_t Release() override;

    /**
        Wraps the host's controller and transport for the instance, finds its
        effect object and lets the subclass make its view contents. A null
        argument gives kAAX_ErrorNoController. A second call first gives back
        what the first one holds.
    */
    AAX_Result Initialize (IACFUnknown* hostUnknown) override;

    /** Gives back the effect object and the controller and transport wrappers. */
    AAX_Result Uninitialize() override;

    AAX_Result DefaultSlot5 (void* hostArgument) override;

    /**
        With a window: wraps it (in place of any earlier one), has the subclass
        attach its view and reports every parameter. Null: the subclass takes
        its view away, then the wrapper goes. 0 either way.
    */
    AAX_Result SetViewContainer (IACFUnknown* viewContainer) override;

    /** The base has no view: writes nothing. */
    AAX_Result GetViewSize (AAX_Point* outSize) override;

    AAX_Result DefaultSlot8() override;
    AAX_Result DefaultSlot9() override;
    AAX_Result ParameterUpdated (const char* parameterID) override;
    AAX_Result DefaultSlot11 (const char* hostText, void* hostArgument) override;
    AAX_Result SetControlHighlightInfo (const char* parameterID, AAX_CBoolean isHighlighted, int32_t colour) override;

    /** Answers AAX_IACFEffectGUI with this object; everything else as the object core. */
    ACFResult InternalQueryInterface (const ACFGuid& interfaceID, void** outInterface) override;

    /** Gives back what Initialize took, then the view-container wrapper. */
    ~AAX_CEffectGUI() override;

    /** Makes what the view shows; called by Initialize. */
    virtual void CreateViewContents() = 0;

    /** Attaches the view to ViewContainer(); called by SetViewContainer with a window. */
    virtual void CreateViewContainer() = 0;

    /** Takes the view away; called by SetViewContainer(null), when no view container is held any more. */
    virtual void DeleteViewContainer() = 0;

    /** Calls ParameterUpdated with the identifier of every parameter of the effect, in index order. */
    virtual void UpdateAllParameters();

    /** The instance's effect object, or null. */
    AAX_IACFEffectParameters* EffectParameters() const { return effectParameters.get(); }

    /** The host window's wrapper, or null. */
    AAX_VViewContainer* ViewContainer() const { return viewContainer.get(); }

    /** The host window's type (1 for a native view), 0 without a wrapper. */
    int32_t ViewContainerType() const;

    /** The host's native view, null without a wrapper. */
    void* ViewContainerHandle() const;

    AAX_VController* Controller() const { return controller.get(); }
    AAX_VTransport* Transport() const { return transport.get(); }

private:
    void releaseInstanceObjects();

    std::unique_ptr<AAX_VController> controller;
    ACFPtr<AAX_IACFEffectParameters> effectParameters;
    std::unique_ptr<AAX_VViewContainer> viewContainer;
    std::unique_ptr<AAX_VTransport> transport;
};
