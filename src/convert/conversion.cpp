// The conversion state starts with the shared regex set up as every pass expects it.
#include "convert/conversion.h"

namespace vellumine {

Conversion::Conversion() : regex(preCaseLess | preSingleLine) {}

}  // namespace vellumine
