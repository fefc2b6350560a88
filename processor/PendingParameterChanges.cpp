#include "processor/PendingParameterChanges.h"

#include <cstring>

namespace
{
// A word: the stamp in bits 33 .. 63, whether the value has a setting in bit
// 32, the value's bits in bits 0 .. 31.
constexpr std::uint32_t stampMask = 0x7fffffffu;

static_assert (std::atomic<std::uint64_t>::is_always_lock_free, "a word is handed over without a lock");

std::uint64_t makeWord (std::uint32_t stamp, bool hasSetting, float value) noexcept
{
    std::uint32_t bits;
    std::memcpy (&bits, &value, sizeof (bits));
    return ((std::uint64_t) (stamp & stampMask) << 33) | ((std::uint64_t) hasSetting << 32) | bits;
}

std::uint32_t stampOf (std::uint64_t word) noexcept
{
    return (std::uint32_t) (word >> 33);
}

float valueOf (std::uint64_t word) noexcept
{
    const auto bits = (std::uint32_t) word;
    float value;
    std::memcpy (&value, &bits, sizeof (value));
    return value;
}

// Stamps wrap around at 2^31; pending ones are never 2^30 apart.
bool stampIsEarlier (std::uint32_t stamp, std::uint32_t other) noexcept
{
    return ((stamp - other) & stampMask) > (stampMask >> 1);
}
} // namespace

PendingParameterChanges::PendingParameterChanges (std::uint32_t startStamp) noexcept
    : lastStamp (startStamp)
{
    const auto initial = makeWord (0, true, 0.0f);

    for (size_t index = 0; index < (size_t) numParameters; ++index)
    {
        latest[index].store (initial);
        keptSetting[index].store (initial);
        appliedWords[index].store (initial);
    }
}

void PendingParameterChanges::store (int index, float value, bool hasSetting, ReadingHook afterReading, void* context) noexcept
{
    const auto slot = (size_t) index;

    // Calls ordered on one thread, or through any synchronisation, take their
    // stamps in that order and store them in that order. A stamp that wrapped
    // round to the one applied last for this parameter is passed over.
    auto stamp = (lastStamp.fetch_add (1, std::memory_order_relaxed) + 1) & stampMask;

    if (stamp == stampOf (appliedWords[slot].load (std::memory_order_relaxed)))
        stamp = (lastStamp.fetch_add (1, std::memory_order_relaxed) + 1) & stampMask;

    const auto word = makeWord (stamp, hasSetting, value);

    if (hasSetting)
    {
        latest[slot].store (word, std::memory_order_release);
        return;
    }

    // The setting in force must outlive this word, so the word with a setting
    // it replaces is kept first. The kept word is read before the latest one:
    // the header's keptSetting says why that order, and reading both again
    // whenever either moved, never leave a stale setting kept.
    for (;;)
    {
        auto kept = keptSetting[slot].load (std::memory_order_acquire);
        auto current = latest[slot].load (std::memory_order_acquire);

        if (afterReading != nullptr)
            afterReading (context);

        if (hasSettingIn (current) && current != kept
            && ! keptSetting[slot].compare_exchange_strong (kept, current, std::memory_order_acq_rel, std::memory_order_acquire))
            continue;

        if (latest[slot].compare_exchange_weak (current, word, std::memory_order_acq_rel, std::memory_order_relaxed))
            return;
    }
}

float PendingParameterChanges::value (int index) const noexcept
{
    return valueOf (latest[(size_t) index].load (std::memory_order_relaxed));
}

float PendingParameterChanges::settingValue (int index) const noexcept
{
    return valueOf (wordInForce ((size_t) index));
}

int PendingParameterChanges::takeDue (std::array<Change, numParameters>& due, ReadingHook afterReading, void* context) noexcept
{
    std::array<std::uint64_t, numParameters> words;
    std::uint32_t pending = 0;
    std::uint32_t newest = 0;

    for (size_t index = 0; index < words.size(); ++index)
    {
        words[index] = wordInForce (index);

        if (words[index] != appliedWords[index].load (std::memory_order_relaxed))
        {
            const auto stamp = stampOf (words[index]);
            newest = pending == 0 || stampIsEarlier (newest, stamp) ? stamp : newest;
            pending |= 1u << index;
        }
    }

    if (afterReading != nullptr)
        afterReading (context);

    if (pending == 0)
        return 0;

    // A setter may store while the words are read, so a change can show
    // without one that came before it on another parameter (read earlier, or
    // stored later by a call that took its stamp earlier). Reading again until
    // the changes up to the newest stamp first seen stand still closes that
    // gap: every change seen in one reading makes visible to the next all that
    // came before it, and only the calls that already hold such a stamp can
    // still move them, so this ends. Taken here is then every change that came
    // before the newest one seen; one stamped later waits for the next call.
    // The word last stored for a parameter is never lost: it stays pending
    // until it has been applied.
    for (;;)
    {
        std::array<std::uint64_t, numParameters> again;
        std::uint32_t stillDue = 0;

        for (size_t index = 0; index < again.size(); ++index)
        {
            again[index] = wordInForce (index);

            if (again[index] != appliedWords[index].load (std::memory_order_relaxed) && ! stampIsEarlier (newest, stampOf (again[index])))
                stillDue |= 1u << index;
        }

        if (afterReading != nullptr)
            afterReading (context);

        bool unchanged = stillDue == pending;

        for (size_t index = 0; index < again.size() && unchanged; ++index)
            unchanged = (stillDue & (1u << index)) == 0 || again[index] == words[index];

        words = again;
        pending = stillDue;

        if (unchanged)
            break;
    }

    // At most four, sorted into the order they came.
    int numDue = 0;

    for (int index = 0; index < numParameters; ++index)
    {
        if ((pending & (1u << index)) == 0)
            continue;

        const auto word = words[(size_t) index];
        int position = numDue++;

        for (; position > 0 && stampIsEarlier (stampOf (word), stampOf (words[(size_t) due[(size_t) (position - 1)].index])); --position)
            due[(size_t) position] = due[(size_t) (position - 1)];

        due[(size_t) position] = { index, valueOf (word) };
        appliedWords[(size_t) index].store (word, std::memory_order_relaxed);
    }

    return numDue;
}
