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
      that prepares): takeDue, mayHaveDue.

    A change is a call of store. One whose value has a setting (the caller
    says so: the limiter takes the value's mapping) is a change for the audio;
    one whose value has none only changes what the host reads back, and the
    setting in force stays. takeDue hands over, in the order they came, the
    changes stored since its last call, each parameter's last one only; a
    change stored while it runs may wait for the next call.

    State
    - latest[i]: the word of the last call of store for parameter i: its
      stamp, whether its value has a setting, and the value's bits. Every call
      writes this one word once, so calls racing on a parameter leave exactly
      one of them in it. value(i) reads it and, when it has a setting, so does
      the audio: the host value and the setting the audio runs with come from
      one word.
    - keptSetting[i]: while latest[i] holds a value without a setting, the
      word with a setting that was in latest[i] before it: what the audio
      runs with then (and read only then). A call without a setting first
      keeps the word with a setting it is about to replace, then replaces it
      in latest[i]; each step is a compare-and-swap against the words it read
      (the kept one before the latest one), and it reads again when either
      moved. A call that read a word which lost a race can keep that word only
      while latest[i] holds a word with a setting, and the next call without
      one keeps that word in its place before it replaces it; so a value the
      limiter refuses can never bring back a setting overwritten before it.
      Words are told apart by their stamps: only a call stopped for 2^31
      changes between its reading and its swap could mistake one for another.
    - lastStamp: the stamp last handed out. Stamps are 31 bits and wrap.
    - appliedWords[i]: the word takeDue applied last for parameter i, written
      by the applying thread only; store reads its stamp. A change is pending
      while the word in force for the parameter (latest[i], or keptSetting[i]
      when latest[i] has no setting) differs from it, stamp or value. Every
      pending word was stored in latest[i] after the last takeDue that left it
      there, so it carries a stamp handed out since. Invariant: store passes
      over a stamp equal to the one applied last for its parameter, so however
      often the stamps have wrapped a new change differs from the one applied,
      even when it sets the same value again (which still counts: an attack
      set again restarts the limiter's attack transition). Only a word stored
      2^31 changes earlier and first applied in the moment between that check
      and the store could match.

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
        hasSetting, as a change for the audio thread. Any thread. Lock-free:
        a call without a setting may retry while others store on its parameter. */
    void store (int index, float value, bool hasSetting) noexcept { store (index, value, hasSetting, nullptr, nullptr); }

    /** Called where another thread's call may come between two steps of this
        one: there a test stores what a setter on another thread might. */
    using ReadingHook = void (*) (void* context);

    /** store, calling afterReading (context) each time a call without a
        setting has read the words it is to replace. */
    void store (int index, float value, bool hasSetting, ReadingHook afterReading, void* context) noexcept;

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
    int takeDue (std::array<Change, numParameters>& due) noexcept { return takeDue (due, nullptr, nullptr); }

    /** takeDue, calling afterReading (context) each time it has read the words. */
    int takeDue (std::array<Change, numParameters>& due, ReadingHook afterReading, void* context) noexcept;

    /** False when takeDue has nothing to hand over: no change is pending (true
        may still come with nothing due). For the thread that calls takeDue, as
        a cheap test before it once per block. */
    bool mayHaveDue() const noexcept
    {
        for (size_t index = 0; index < (size_t) numParameters; ++index)
            if (wordInForce (index) != appliedWords[index].load (std::memory_order_relaxed))
                return true;

        return false;
    }

private:
    static bool hasSettingIn (std::uint64_t word) noexcept { return ((word >> 32) & 1u) != 0; }

    std::uint64_t wordInForce (size_t index) const noexcept
    {
        const auto word = latest[index].load (std::memory_order_acquire);
        return hasSettingIn (word) ? word : keptSetting[index].load (std::memory_order_acquire);
    }

    std::array<std::atomic<std::uint64_t>, numParameters> latest;
    std::array<std::atomic<std::uint64_t>, numParameters> keptSetting;
    std::atomic<std::uint32_t> lastStamp;
    std::array<std::atomic<std::uint64_t>, numParameters> appliedWords;
};
