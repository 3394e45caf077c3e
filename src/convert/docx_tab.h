// Tab elements become spacers.
#pragma once
#include "convert/conversion.h"

namespace vellumine {

// Every "<tab/>" becomes " <b class=tab></b>", which the page's .tab rule indents by 3em.
void convertTabs(Conversion& c);

}  // namespace vellumine
