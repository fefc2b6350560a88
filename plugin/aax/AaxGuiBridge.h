#pragma once

#include "formats/aax/AAX_CEffectGUI.h"
#include "plugin/PluginMessageThread.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

/*  The AAX GUI object of the plug-in: it makes the processor's editor for the effect
    object of the same instance and shows it in the host's view container, on Linux
    as a child window of the X11 window the container hands out.

    Everything that touches the editor holds JUCE's message manager lock, so the host's
    calls (from whatever thread) and the editor's own events on the message thread
    never overlap. The editor never outlives its processor: it is deleted before the
    reference to the effect object goes, in Uninitialize as in the destructor.

    Objects are reference counted (the host's last Release deletes them); create()
    makes one for the host.
*/
class AaxGuiBridge final : public AAX_CEffectGUI,
                           private juce::MouseListener,
                           private juce::ComponentListener
{
public:
    /** A new GUI object, answering its IACFUnknown with no reference taken yet; null
        when it cannot be made. */
    static IACFUnknown* create() noexcept;

    ~AaxGuiBridge() override;

    AAX_Result Initialize (IACFUnknown* hostUnknown) override;
    AAX_Result Uninitialize() override;
    AAX_Result SetViewContainer (IACFUnknown* viewContainer) override;

    /** The editor's height and width; kAAX_ErrorNullObject while there is no editor. */
    AAX_Result GetViewSize (AAX_Point* outSize) override;

    AAX_Result ParameterUpdated (const char* parameterID) override;

    /** Passes the highlight of a processor parameter to the editor. */
    AAX_Result SetControlHighlightInfo (const char* parameterID, AAX_CBoolean isHighlighted, int32_t colour) override;

    void CreateViewContents() override;
    void CreateViewContainer() override;
    void DeleteViewContainer() override;

private:
    AaxGuiBridge() = default;

    void deleteEditor();
    void reportViewSize();
    void forwardMouse (const juce::MouseEvent& event, int phase);

    void mouseDown (const juce::MouseEvent& event) override;
    void mouseDrag (const juce::MouseEvent& event) override;
    void mouseUp (const juce::MouseEvent& event) override;
    void componentMovedOrResized (juce::Component& component, bool wasMoved, bool wasResized) override;

    juce::SharedResourcePointer<PluginMessageThread> messageThread;
    std::unique_ptr<juce::AudioProcessorEditor> editor;
};
