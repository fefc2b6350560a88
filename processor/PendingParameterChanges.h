#pragma once

#include "processor/ParameterTable.h"

#include <array>
#include <atomic>
#include <cstdint>

/** The parameter values as the host last set them, and the changes the audio
    thread has yet to apply, in the order they came. Free of JUCE; nothing here
    locks or allocates.

    Threads
    - Any thread, any number at once: store, value, settingValue.
    - One thread at a time (the audio thread, or with audio stopped the thread
      that prepares): takeDue.

    A change is a call of store. One whose value has a setting (the caller
    says so: the limiter takes the value's mapping) is a change for the audio;
    one whose value has none only changes what the host reads back, and the
    setting in force stays. takeDue hands over, in the order they came, the
    changes stored since its last call, each parameter's last one only; a
    change stored while it runs may wait for the next call.

    State
    - latest[i]: the word of the last call of store for parameter i: its
      stamp, whether its value has a setting, and the value's bits. value(i)
      reads it and, when it has a setting, so does the audio: the host value
      and the setting the audio runs with come from one word, so that calls
      racing on one parameter can never leave the host reading one call's
      value while the audio runs another's.
    - lastWithSetting[i]: the word of the last call whose value has a setting,
      identical to latest[i] whenever latest[i] has one. It is what the audio
      runs with while latest[i] holds a value without a setting. Stored before
      latest[i] by the same call. (Two calls with settings racing, followed by
      one without, may leave it with either of the two.)
    - lastStamp: the stamp last handed out. Stamps are 31 bits and wrap.
    - appliedWords[i]: the word takeDue applied last for parameter i,
      written by the applying thread only; store reads its stamp. A change is
      pending while the word in force for the parameter (latest[i], or
      lastWithSetting[i] when latest[i] has no setting) differs from it,
      stamp or value. Invariant: store passes over a stamp equal to the one applied last for
      its parameter, so however often the stamps have wrapped a new change
      differs from the one applied, even when it sets the same value again
      (which still counts: an attack set again restarts the limiter's
      attack transition). Only a word stored 2^31 changes earlier and first
      applied in the moment between that check and the store could match.

    Why 31-bit stamps and not a 64-bit counter: the whole word, stamp, flag and
    value, must be one std::atomic<std::uint64_t>, which is lock-free on every
    target we build (a 128-bit word is not, portably). So stamps wrap, every
    2^31 changes. Two things keep the wrap harmless. A new stamp is never the
    one applied last for its parameter (the invariant above), so a change is
    never taken for one already applied. And order is read from the difference
    of two stamps, which is right while the changes pending at once are less
    than 2^30 changes apart: they are all stored since the previous takeDue,
    and a billion changes between two blocks do not happen.
*/
class PendingParameterChanges
{
public:
    static constexpr int numParameters = ParameterTable::numParameters;

    /** Every value starts at 0 with a setting, and nothing is pending. The
        first store takes the stamp after startStamp; tests start near the wrap. */
    explicit PendingParameterChanges (std::uint32_t startStamp = 0) noexcept;

    /** Stores `value` as the value of parameter `index` (0 .. 3) and, when
        hasSetting, as a change for the audio thread. Any thread. */
    void store (int index, float value, bool hasSetting) noexcept;

    /** The value of parameter `index` as last stored. Any thread. */
    float value (int index) const noexcept;

    /** The value of the last call for parameter `index` that had a setting:
        the one the audio runs with once every pending change is applied. Any
        thread. */
    float settingValue (int index) const noexcept;

    struct Change
    {
        int index;
        float value; // has a setting
    };

    /** Fills `due` with the pending changes in the order they came, marks
        them applied and answers how many there are. One thread at a time. */
    int takeDue (std::array<Change, numParameters>& due) noexcept;

    /** False when takeDue has nothing to hand over: no call has stored since
        it last ran (true may still come with nothing due). For the thread
        that calls takeDue, as a cheap test before it once per block. */
    bool mayHaveDue() const noexcept
    {
        for (size_t index = 0; index < (size_t) numParameters; ++index)
            if (latest[index].load (std::memory_order_relaxed) != appliedWords[index].load (std::memory_order_relaxed))
                return true;

        return false;
    }

private:
    std::uint64_t wordInForce (size_t index) const noexcept;

    std::array<std::atomic<std::uint64_t>, numParameters> latest;
    std::array<std::atomic<std::uint64_t>, numParameters> lastWithSetting;
    std::atomic<std::uint32_t> lastStamp;
    std::array<std::atomic<std::uint64_t>, numParameters> appliedWords;
};
