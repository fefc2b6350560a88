#pragma once

#include "formats/aax/host/HostObject.h"

#include <cstdint>
#include <mutex>
#include <vector>

/**
    The host window that holds a plug-in editor. It answers its type (1, a
    native view, unless set) and native view from what a test sets, keeps every
    size the plug-in asks for, and records every call (mouse events included).
*/
class HostViewContainer final : public HostUnknownImpl<AAX_IACFViewContainer>
{
public:
    explicit HostViewContainer (HostContext& context)
        : HostUnknownImpl (context, "view")
    {
    }

    void setType (int32_t type) { containerType = type; }
    void setNativeView (void* view) { nativeView = view; }
    std::vector<AAX_Point> requestedSizes() const;

    int32_t GetType() override;
    void* GetPtr() override;
    AAX_Result GetModifiers (uint32_t* modifiers) override { return recorded ("GetModifiers", modifiers); }
    AAX_Result SetViewSize (const AAX_Point& size) override;
    AAX_Result HandleParameterMouseDown (const char* parameterID, uint32_t modifiers) override { return recorded ("HandleParameterMouseDown", parameterID, modifiers); }
    AAX_Result HandleParameterMouseDrag (const char* parameterID, uint32_t modifiers) override { return recorded ("HandleParameterMouseDrag", parameterID, modifiers); }
    AAX_Result HandleParameterMouseUp (const char* parameterID, uint32_t modifiers) override { return recorded ("HandleParameterMouseUp", parameterID, modifiers); }

private:
    std::atomic<int32_t> containerType { 1 };
    std::atomic<void*> nativeView { nullptr };
    mutable std::mutex lock;
    std::vector<AAX_Point> sizes;
};
