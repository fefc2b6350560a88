// See aeffect.h beside this file: both of JUCE's includes lead to the one shim.
#pragma once

#include "aeffect.h"
