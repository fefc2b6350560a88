#pragma once

#include "formats/aax/ACFGuid.h"

#include <string>

/** The readable name of a known identifier, or its dashed hexadecimal form. */
std::string hostIdentifierName (const ACFGuid& identifier);
