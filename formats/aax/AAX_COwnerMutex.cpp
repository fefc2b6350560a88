#include "formats/aax/AAX_COwnerMutex.h"

#include <type_traits>

static_assert (std::is_trivially_copyable_v<std::thread::id>, "the owner is kept in a std::atomic");

AAX_COwnerMutex::AAX_COwnerMutex()
    : block (std::make_unique<Block>())
{
    if (pthread_mutex_init (&block->mutex, nullptr) != 0)
        block.reset();
}

AAX_COwnerMutex::~AAX_COwnerMutex()
{
    if (block != nullptr)
        pthread_mutex_destroy (&block->mutex);
}

bool AAX_COwnerMutex::Lock()
{
    if (block == nullptr)
        return false;

    const auto self = std::this_thread::get_id();

    if (block->owner.load (std::memory_order_relaxed) == self)
        return false;

    if (pthread_mutex_lock (&block->mutex) != 0)
        return false;

    block->owner.store (self, std::memory_order_relaxed);
    return true;
}

void AAX_COwnerMutex::Unlock()
{
    if (block == nullptr)
        return;

    if (block->owner.load (std::memory_order_relaxed) != std::this_thread::get_id())
        return;

    block->owner.store (std::thread::id(), std::memory_order_relaxed);
    pthread_mutex_unlock (&block->mutex);
}
