// Drop-cap paragraphs float left of the text that follows them; tab elements become spacers.
#pragma once

#include "convert/conversion.h"

namespace vellumine {

// Wraps each paragraph whose properties hold "<framePr dropCap=" in <div style="float:left">.
void convertDropCaps(Conversion& c);
// Every "<tab/>" becomes " <b class=tab></b>", which the page's .tab rule indents by 3em.
void convertTabs(Conversion& c);

}  // namespace vellumine
