#pragma once

#include "formats/vst2/VstInterface.h"

#include <functional>
#include <map>
#include <vector>

namespace quorvel::test
{
/** One request a plug-in sent to the host callback, as it arrived. */
struct HostRequest
{
    AEffect* effect = nullptr;
    VstInt32 opcode = 0;
    VstInt32 index = 0;
    VstIntPtr value = 0;
    void* ptr = nullptr;
    float opt = 0.0f;
};

/**
        A stand-in VST host: its callback records every request and answers
        from a table (0 for anything not in it) or from an optional handler.
        Only one FakeHost may exist at a time; the callback reaches the live one.
    */
class FakeHost
{
public:
    FakeHost();
    ~FakeHost();

    FakeHost (const FakeHost&) = delete;
    FakeHost& operator= (const FakeHost&) = delete;

    static VstIntPtr callback (AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);

    void setAnswer (VstInt32 opcode, VstIntPtr answer) { answers[opcode] = answer; }

    /** When set, decides every answer instead of the table. */
    std::function<VstIntPtr (const HostRequest&)> handler;

    const std::vector<HostRequest>& requests() const noexcept { return received; }
    std::vector<VstInt32> opcodes() const;
    void clear() { received.clear(); }

private:
    VstIntPtr receive (const HostRequest& request);

    std::map<VstInt32, VstIntPtr> answers;
    std::vector<HostRequest> received;
};
} // namespace quorvel::test
