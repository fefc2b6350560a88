#pragma once

#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

/**
    Every operation a simulated host object receives, in order, as one line of
    text: "object.Operation(argument, ...)". Texts are quoted, numbers decimal,
    host objects by name, routines by address (see routineText).
*/
class HostCallLog
{
public:
    void record (std::string entry);

    std::vector<std::string> entries() const;

    /** The entries made by one object (whose name is given), in order. */
    std::vector<std::string> entriesOf (const std::string& objectName) const;

    /** The entries whose operation is the given one, in order. */
    std::vector<std::string> entriesWithOperation (const std::string& operation) const;

    void clear();

    /** How a routine address appears in entries. */
    template <typename Function>
    static std::string routineText (Function* routine)
    {
        if (routine == nullptr)
            return "null";

        char text[40];
        std::snprintf (text, sizeof (text), "routine@%p", reinterpret_cast<void*> (routine));
        return text;
    }

private:
    mutable std::mutex lock;
    std::vector<std::string> log;
};
