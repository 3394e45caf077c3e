// Drop-cap paragraphs float left of the text that follows them.
#pragma once

#include "convert/conversion.h"

namespace vellumine {

// Wraps each paragraph whose properties hold "<framePr dropCap=" in <div style="float:left">.
void convertDropCaps(Conversion& c);

}  // namespace vellumine
