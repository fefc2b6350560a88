#include "formats/aax/AAX_CPacketDispatcher.h"

#include "formats/aax/AAX_IController.h"
#include "formats/aax/AAX_IEffectParameters.h"
#include "formats/aax/AAX_IParameter.h"

class AAX_CPacketDispatcher::ScopedOwnerLock
{
public:
    explicit ScopedOwnerLock (AAX_COwnerMutex& mutexToHold)
        : mutex (mutexToHold)
        , locked (mutexToHold.Lock())
    {
    }

    ~ScopedOwnerLock()
    {
        if (locked)
            mutex.Unlock();
    }

    ScopedOwnerLock (const ScopedOwnerLock&) = delete;
    ScopedOwnerLock& operator= (const ScopedOwnerLock&) = delete;

private:
    AAX_COwnerMutex& mutex;
    const bool locked;
};

//==============================================================================
AAX_CPacketDispatcher::AAX_CPacketDispatcher() = default;

AAX_CPacketDispatcher::~AAX_CPacketDispatcher()
{
    const ScopedOwnerLock guard (mutex);
    handlersByParameter.clear();
    packetsByPort.clear();
}

void AAX_CPacketDispatcher::Initialize (AAX_IController* newController, AAX_IEffectParameters* newEffectParameters)
{
    const ScopedOwnerLock guard (mutex);
    controller = newController;
    effectParameters = newEffectParameters;
}

void AAX_CPacketDispatcher::Reset()
{
    const ScopedOwnerLock guard (mutex);
    handlersByParameter.clear();
    packetsByPort.clear();
    controller = nullptr;
    effectParameters = nullptr;
}

AAX_Result AAX_CPacketDispatcher::RegisterPacket (const char* parameterID, int32_t port, const AAX_IPacketHandler& handler)
{
    // An entry without a packet would have nothing to fill or post.
    if (parameterID == nullptr)
        return kAAX_ErrorNullObject;

    if (port < 0)
        return kAAX_ErrorUnsupported;

    std::unique_ptr<AAX_IPacketHandler> clone (handler.Clone());

    if (clone == nullptr)
        return kAAX_ErrorNullObject;

    const ScopedOwnerLock guard (mutex);
    auto& packet = packetsByPort[port];

    if (packet == nullptr)
        packet = std::make_unique<AAX_CPacket> (port);

    // A multimap inserts behind the entries of an equal key, keeping one
    // identifier's registrations in order.
    handlersByParameter.emplace (parameterID, HandlerEntry { packet.get(), std::move (clone) });
    return kAAX_Success;
}

AAX_Result AAX_CPacketDispatcher::SetDirty (const char* parameterID, bool dirty)
{
    if (parameterID == nullptr)
        return kAAX_Success;

    const ScopedOwnerLock guard (mutex);
    const auto range = handlersByParameter.equal_range (parameterID);

    for (auto entry = range.first; entry != range.second; ++entry)
        entry->second.packet->SetDirty (dirty);

    return kAAX_Success;
}

AAX_Result AAX_CPacketDispatcher::Dispatch()
{
    const ScopedOwnerLock guard (mutex);

    if (controller == nullptr)
    {
        // Kept dirty: once a controller is given, the values still go out.
        for (const auto& entry : handlersByParameter)
            if (entry.second.packet->IsDirty())
                return kAAX_ErrorNullObject;

        return kAAX_Success;
    }

    AAX_Result result = kAAX_Success;

    for (auto& [parameterID, entry] : handlersByParameter)
    {
        auto& packet = *entry.packet;

        if (! packet.IsDirty())
            continue;

        if (entry.handler->CallHandler (parameterID.c_str(), packet) == kAAX_Success)
            result = controller->PostPacket (static_cast<uint32_t> (packet.GetPort()), packet.GetData(), packet.GetSize());

        packet.SetDirty (false);
    }

    return result;
}

AAX_Result AAX_CPacketDispatcher::WriteParameterValuePacket (const char* parameterID, AAX_CPacket& packet)
{
    const ScopedOwnerLock guard (mutex);

    if (effectParameters == nullptr)
        return kAAX_ErrorNullObject;

    AAX_IParameter* parameter = nullptr;

    if (effectParameters->GetParameter (parameterID, &parameter) != kAAX_Success || parameter == nullptr)
        return kAAX_ErrorNullObject;

    bool boolValue = false;
    float floatValue = 0.0f;
    int32_t intValue = 0;
    double doubleValue = 0.0;

    if (parameter->GetValueAsBool (&boolValue))
        packet.SetValue (static_cast<uint32_t> (boolValue ? 1u : 0u));
    else if (parameter->GetValueAsFloat (&floatValue))
        packet.SetValue (floatValue);
    else if (parameter->GetValueAsInt32 (&intValue))
        packet.SetValue (intValue);
    else if (parameter->GetValueAsDouble (&doubleValue))
        packet.SetValue (doubleValue);
    else
        return kAAX_ErrorNullObject;

    return kAAX_Success;
}
