// Page geometry: read from the first section's size and margins (the frame itself: applyPageFrame).
#pragma once
#include "convert/conversion.h"

namespace vellumine {

void readPageSetup(Conversion& c);

}  // namespace vellumine
