#pragma once

#include "formats/aax/AAX_IACFHostServices.h"
#include "formats/aax/AAX_IHostServices.h"
#include "formats/aax/ACFPtr.h"

/**
    Wraps the host's services object, made through the host's component factory.
    When the host offers no factory or no services object, every operation
    answers kAAX_ErrorNullObject without reaching the host.
*/
class AAX_VHostServices : public AAX_IHostServices
{
public:
    /** hostUnknown may be null. */
    explicit AAX_VHostServices (IACFUnknown* hostUnknown);
    ~AAX_VHostServices() override;

    AAX_VHostServices (const AAX_VHostServices&) = delete;
    AAX_VHostServices& operator= (const AAX_VHostServices&) = delete;

    AAX_Result Report (const char* first, int32_t number, const char* second) override;
    AAX_Result Trace (int32_t priority, const char* text) override;

    /** True when the host supplied its services object. */
    bool HasHostInterface() const { return static_cast<bool> (hostServices); }

private:
    ACFPtr<AAX_IACFHostServices> hostServices;
};
