#pragma once

#include "formats/aax/AAX_IACFViewContainer.h"
#include "formats/aax/host/HostObject.h"

#include <cstdint>
#include <mutex>
#include <vector>

/**
    The host window that holds a plug-in editor. It answers its type, native
    view and modifier keys from settings a test can change, keeps every size
    the plug-in asks for, and records every call (mouse events included) in
    the context's log. The answer of the result-code operations is 0 unless
    set.
*/
class HostViewContainer final : public HostUnknownImpl<AAX_IACFViewContainer>
{
public:
    explicit HostViewContainer (HostContext& context);

    void setType (int32_t type);
    void setNativeView (void* view);
    void setModifiers (uint32_t modifiers);
    void setAnswer (AAX_Result answer);

    std::vector<AAX_Point> requestedSizes() const;

    int32_t GetType() override;
    void* GetPtr() override;
    AAX_Result GetModifiers (uint32_t* modifiers) override;
    AAX_Result SetViewSize (const AAX_Point& size) override;
    AAX_Result HandleParameterMouseDown (const char* parameterID, uint32_t modifiers) override;
    AAX_Result HandleParameterMouseDrag (const char* parameterID, uint32_t modifiers) override;
    AAX_Result HandleParameterMouseUp (const char* parameterID, uint32_t modifiers) override;

protected:
    void* findInterface (const ACFGuid& interfaceID) override;

private:
    mutable std::mutex lock;
    int32_t containerType = 1;
    void* nativeView = nullptr;
    uint32_t modifierKeys = 0;
    AAX_Result answer = kAAX_Success;
    std::vector<AAX_Point> sizes;
};
