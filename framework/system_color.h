// Resolving the system colours of framework/color.h on this platform.
#pragma once

#include "framework/color.h"

namespace huemira {

// A system colour (top bit set) becomes its present RGB value; others pass.
TColor ColorToRGB(TColor color);

}  // namespace huemira
