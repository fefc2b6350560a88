#pragma once

#include <string>

/*  How the AAX bridges name the processor's parameters to the host: parameter index i
    is the identifier text of i in decimal. Reading an identifier back is strict, so
    that no other text ("MasterBypassID", "1x", "-0", " 2", "01", an empty or missing
    one) can be taken for a processor parameter. */

/** The index named by parameterID, or -1 unless it is the decimal text of an index
    from 0 to numParameters - 1. */
int aaxParameterIndex (const char* parameterID, int numParameters) noexcept;

/** The identifier of parameter index. */
std::string aaxParameterID (int index);
