// The HTML skeleton around the converted body: head, default style sheet, closing tags.
#pragma once
#include "convert/conversion.h"

namespace vellumine {

void wrapHtmlDocument(Conversion& c);

}  // namespace vellumine
