// Page geometry: read from the first section's size and margins, and the page frame built from it.
#pragma once
#include <string>

#include "convert/conversion.h"

namespace vellumine {

void readPageSetup(Conversion& c);
// Adds the page frame (the page div and the body padding rule) to a copy of the finished text.
void applyPageFrame(const Conversion& c, std::string& text);

}  // namespace vellumine
