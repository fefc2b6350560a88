#include "plugin/aax/AaxGuiBridge.h"

#include "formats/aax/AAX_VViewContainer.h"
#include "plugin/aax/AaxBridge.h"
#include "plugin/aax/AaxParameterID.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <cstring>

namespace
{
enum MousePhase
{
    mousePressed,
    mouseDragged,
    mouseReleased
};

/** The colours a host's highlight codes 0 to 3 ask for; any other code the last. */
juce::Colour highlightColour (int32_t code)
{
    static const juce::Colour colours[] = { juce::Colours::red,
                                            juce::Colours::blue,
                                            juce::Colours::green,
                                            juce::Colours::yellow,
                                            juce::Colours::black };
    return colours[code >= 0 && code < 4 ? code : 4];
}
} // namespace

IACFUnknown* AaxGuiBridge::create() noexcept
{
    try
    {
        return (new AaxGuiBridge())->GetPrivateUnknown();
    }
    catch (...)
    {
        return nullptr;
    }
}

AaxGuiBridge::~AaxGuiBridge()
{
    const juce::MessageManagerLock lock;
    deleteEditor();
}

//==============================================================================
AAX_Result AaxGuiBridge::Initialize (IACFUnknown* hostUnknown)
{
    const juce::MessageManagerLock lock;

    // Initialising again may bring another effect: the editor of the old one goes
    // first, and a view still held gets the new one.
    deleteEditor();
    const auto result = AAX_CEffectGUI::Initialize (hostUnknown);

    if (ViewContainer() != nullptr)
        CreateViewContainer();

    return result;
}

AAX_Result AaxGuiBridge::Uninitialize()
{
    const juce::MessageManagerLock lock;
    deleteEditor();
    return AAX_CEffectGUI::Uninitialize();
}

AAX_Result AaxGuiBridge::SetViewContainer (IACFUnknown* newContainer)
{
    const juce::MessageManagerLock lock;
    return AAX_CEffectGUI::SetViewContainer (newContainer);
}

AAX_Result AaxGuiBridge::GetViewSize (AAX_Point* outSize)
{
    const juce::MessageManagerLock lock;

    if (editor == nullptr || outSize == nullptr)
        return kAAX_ErrorNullObject;

    outSize->vert = (float) editor->getHeight();
    outSize->horz = (float) editor->getWidth();
    return kAAX_Success;
}

AAX_Result AaxGuiBridge::ParameterUpdated (const char*)
{
    // The editor follows the processor by itself.
    return kAAX_Success;
}

AAX_Result AaxGuiBridge::SetControlHighlightInfo (const char* parameterID, AAX_CBoolean isHighlighted, int32_t colour)
{
    const juce::MessageManagerLock lock;

    if (editor == nullptr)
        return kAAX_ErrorNullObject;

    if (parameterID != nullptr && std::strcmp (parameterID, AAX_CEffectParameters::kMasterBypassID) == 0)
        return kAAX_Success;

    const auto index = aaxParameterIndex (parameterID, editor->getAudioProcessor()->getParameters().size());

    if (index < 0)
        return kAAX_ErrorUnknownParameter;

    editor->setControlHighlight ({ index, isHighlighted != 0, highlightColour (colour) });
    return kAAX_Success;
}

//==============================================================================
void AaxGuiBridge::CreateViewContents()
{
    if (editor != nullptr)
        return;

    auto* bridge = AaxBridge::fromInterface (EffectParameters());

    if (bridge == nullptr)
        return;

    auto& processor = bridge->getProcessor();

    // One editor per processor: while another GUI object shows it, this one has none.
    if (! processor.hasEditor() || processor.getActiveEditor() != nullptr)
        return;

    editor.reset (processor.createEditorIfNeeded());

    if (editor != nullptr)
    {
        editor->addMouseListener (this, true);
        editor->addComponentListener (this);
    }
}

void AaxGuiBridge::CreateViewContainer()
{
    CreateViewContents();

    auto* handle = ViewContainerHandle();

    if (editor == nullptr || handle == nullptr || ViewContainerType() != AAX_IViewContainer::nativeViewType)
        return;

    if (editor->isOnDesktop())
        editor->removeFromDesktop();

    // On Linux the host's native view is its X11 window; the editor becomes a child of it.
    editor->setOpaque (true);
    editor->setVisible (true);
    editor->addToDesktop (0, handle);
    reportViewSize();
}

void AaxGuiBridge::DeleteViewContainer()
{
    deleteEditor();
}

void AaxGuiBridge::deleteEditor()
{
    if (editor == nullptr)
        return;

    editor->removeComponentListener (this);
    editor->removeMouseListener (this);

    if (editor->isOnDesktop())
        editor->removeFromDesktop();

    editor.reset();
}

void AaxGuiBridge::reportViewSize()
{
    if (auto* container = ViewContainer(); container != nullptr && editor != nullptr)
        container->SetViewSize (AAX_Point { (float) editor->getHeight(), (float) editor->getWidth() });
}

//==============================================================================
void AaxGuiBridge::forwardMouse (const juce::MouseEvent& event, int phase)
{
    auto* container = ViewContainer();

    if (container == nullptr || editor == nullptr || event.eventComponent == nullptr)
        return;

    const auto index = editor->getControlParameterIndex (*event.eventComponent);

    if (index < 0)
        return;

    uint32_t modifiers = 0;
    container->GetModifiers (&modifiers);
    const auto identifier = aaxParameterID (index);

    if (phase == mousePressed)
        container->HandleParameterMouseDown (identifier.c_str(), modifiers);
    else if (phase == mouseDragged)
        container->HandleParameterMouseDrag (identifier.c_str(), modifiers);
    else
        container->HandleParameterMouseUp (identifier.c_str(), modifiers);
}

void AaxGuiBridge::mouseDown (const juce::MouseEvent& event)
{
    forwardMouse (event, mousePressed);
}

void AaxGuiBridge::mouseDrag (const juce::MouseEvent& event)
{
    forwardMouse (event, mouseDragged);
}

void AaxGuiBridge::mouseUp (const juce::MouseEvent& event)
{
    forwardMouse (event, mouseReleased);
}

void AaxGuiBridge::componentMovedOrResized (juce::Component&, bool, bool wasResized)
{
    if (wasResized)
        reportViewSize();
}
