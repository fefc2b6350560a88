#pragma once

#include "formats/aax/AAX_Results.h"
#include "formats/aax/AAX_Types.h"
#include "formats/aax/IACFUnknown.h"

/**
    The plug-in's GUI object as the host reaches it. The host hands Initialize
    the IACFUnknown of the plug-in instance the GUI belongs to, and
    SetViewContainer the host window that is to hold the editor (null to take
    it away). Parameter identifiers are NUL-terminated texts.

    The four DefaultSlot operations keep places the host may call; nothing of
    the plug-in's own uses their arguments.
*/
class AAX_IACFEffectGUI : public IACFUnknown
{
public:
    virtual AAX_Result Initialize (IACFUnknown* hostUnknown) = 0; // slot 3
    virtual AAX_Result Uninitialize() = 0; // slot 4
    virtual AAX_Result DefaultSlot5 (void* hostArgument) = 0; // slot 5
    virtual AAX_Result SetViewContainer (IACFUnknown* viewContainer) = 0; // slot 6
    virtual AAX_Result GetViewSize (AAX_Point* outSize) = 0; // slot 7
    virtual AAX_Result DefaultSlot8() = 0; // slot 8
    virtual AAX_Result DefaultSlot9() = 0; // slot 9
    virtual AAX_Result ParameterUpdated (const char* parameterID) = 0; // slot 10
    virtual AAX_Result DefaultSlot11 (const char* hostText, void* hostArgument) = 0; // slot 11
    virtual AAX_Result SetControlHighlightInfo (const char* parameterID, AAX_CBoolean isHighlighted, int32_t colour) = 0; // slot 12

protected:
    ~AAX_IACFEffectGUI() = default;
};
