#include "formats/aax/host/HostViewContainer.h"

std::vector<AAX_Point> HostViewContainer::requestedSizes() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return sizes;
}

int32_t HostViewContainer::GetType()
{
    record ("GetType");
    return containerType;
}

void* HostViewContainer::GetPtr()
{
    record ("GetPtr");
    return nativeView;
}

AAX_Result HostViewContainer::SetViewSize (const AAX_Point& size)
{
    const auto answer = recorded ("SetViewSize", static_cast<double> (size.vert), static_cast<double> (size.horz));
    const std::lock_guard<std::mutex> guard (lock);
    sizes.push_back (size);
    return answer;
}
