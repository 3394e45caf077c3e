// The first and the last rewriting of the document text: prefixes and proofing marks out before
// every other pass, a line break before each tag afterwards.
#pragma once
#include "convert/conversion.h"

namespace vellumine {

void preClean(Conversion& c);
void reformat(Conversion& c);

}  // namespace vellumine
