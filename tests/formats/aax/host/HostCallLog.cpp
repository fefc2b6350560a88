#include "formats/aax/host/HostCallLog.h"

void HostCallLog::record (std::string entry)
{
    const std::lock_guard<std::mutex> guard (lock);
    log.push_back (std::move (entry));
}

std::vector<std::string> HostCallLog::entries() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return log;
}

std::vector<std::string> HostCallLog::entriesOf (const std::string& objectName) const
{
    const std::lock_guard<std::mutex> guard (lock);
    std::vector<std::string> result;

    for (const auto& entry : log)
        if (entry.compare (0, objectName.size() + 1, objectName + ".") == 0)
            result.push_back (entry);

    return result;
}

std::vector<std::string> HostCallLog::entriesWithOperation (const std::string& operation) const
{
    const std::lock_guard<std::mutex> guard (lock);
    std::vector<std::string> result;
    const auto marker = "." + operation + "(";

    for (const auto& entry : log)
        if (entry.find (marker) != std::string::npos)
            result.push_back (entry);

    return result;
}

void HostCallLog::clear()
{
    const std::lock_guard<std::mutex> guard (lock);
    log.clear();
}
