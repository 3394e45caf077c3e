// Field codes: instructions removed, page-number results of a table of contents floated right.
#pragma once
#include "convert/conversion.h"

namespace vellumine {

void convertFields(Conversion& c);

}  // namespace vellumine
