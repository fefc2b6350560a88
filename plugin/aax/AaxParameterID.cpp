#include "plugin/aax/AaxParameterID.h"

int aaxParameterIndex (const char* parameterID, int numParameters) noexcept
{
    if (parameterID == nullptr || *parameterID == 0)
        return -1;

    // No leading zeros: every index has exactly one identifier.
    if (parameterID[0] == '0' && parameterID[1] != 0)
        return -1;

    long long index = 0;

    for (const char* character = parameterID; *character != 0; ++character)
    {
        if (*character < '0' || *character > '9')
            return -1;

        index = index * 10 + (*character - '0');

        if (index >= numParameters)
            return -1;
    }

    return static_cast<int> (index);
}

std::string aaxParameterID (int index)
{
    return std::to_string (index);
}
