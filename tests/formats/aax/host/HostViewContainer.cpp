#include "formats/aax/host/HostViewContainer.h"

#include "formats/aax/AAX_Identifiers.h"

#include <string>

HostViewContainer::HostViewContainer (HostContext& context)
    : HostUnknownImpl (context, "view")
{
}

void HostViewContainer::setType (int32_t type)
{
    const std::lock_guard<std::mutex> guard (lock);
    containerType = type;
}

void HostViewContainer::setNativeView (void* view)
{
    const std::lock_guard<std::mutex> guard (lock);
    nativeView = view;
}

void HostViewContainer::setModifiers (uint32_t modifiers)
{
    const std::lock_guard<std::mutex> guard (lock);
    modifierKeys = modifiers;
}

void HostViewContainer::setAnswer (AAX_Result newAnswer)
{
    const std::lock_guard<std::mutex> guard (lock);
    answer = newAnswer;
}

std::vector<AAX_Point> HostViewContainer::requestedSizes() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return sizes;
}

//==============================================================================
int32_t HostViewContainer::GetType()
{
    record ("GetType");
    const std::lock_guard<std::mutex> guard (lock);
    return containerType;
}

void* HostViewContainer::GetPtr()
{
    record ("GetPtr");
    const std::lock_guard<std::mutex> guard (lock);
    return nativeView;
}

AAX_Result HostViewContainer::GetModifiers (uint32_t* modifiers)
{
    record ("GetModifiers", modifiers);
    const std::lock_guard<std::mutex> guard (lock);

    if (modifiers != nullptr)
        *modifiers = modifierKeys;

    return answer;
}

AAX_Result HostViewContainer::SetViewSize (const AAX_Point& size)
{
    record ("SetViewSize", static_cast<double> (size.vert), static_cast<double> (size.horz));
    const std::lock_guard<std::mutex> guard (lock);
    sizes.push_back (size);
    return answer;
}

AAX_Result HostViewContainer::HandleParameterMouseDown (const char* parameterID, uint32_t modifiers)
{
    record ("HandleParameterMouseDown", parameterID, modifiers);
    const std::lock_guard<std::mutex> guard (lock);
    return answer;
}

AAX_Result HostViewContainer::HandleParameterMouseDrag (const char* parameterID, uint32_t modifiers)
{
    record ("HandleParameterMouseDrag", parameterID, modifiers);
    const std::lock_guard<std::mutex> guard (lock);
    return answer;
}

AAX_Result HostViewContainer::HandleParameterMouseUp (const char* parameterID, uint32_t modifiers)
{
    record ("HandleParameterMouseUp", parameterID, modifiers);
    const std::lock_guard<std::mutex> guard (lock);
    return answer;
}

void* HostViewContainer::findInterface (const ACFGuid& interfaceID)
{
    if (interfaceID == kIID_IACFUnknown || interfaceID == kIID_AAX_IACFViewContainer)
        return static_cast<AAX_IACFViewContainer*> (this);

    return nullptr;
}
