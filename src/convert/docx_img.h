// Drawing elements become HTML images: the picture's relationship target as source, the extent as
// width and height in pixels, the drawing's alignment as align attribute.
#pragma once
#include <string>
#include <string_view>

#include "convert/conversion.h"

namespace vellumine {

// Replaces every "<drawing>...</drawing>" of the document text by its image element.
void convertDrawings(Conversion& c);
// "<img src="target" align=a width="w" height="h" />" for one drawing element; the parts it has
// no source for are left out.
std::string drawingToImage(const Conversion& c, std::string_view drawing);
// EMU to pixels (9525 per pixel), the nearest integer with halves to even: "1828800" -> "192".
// A text that is not a decimal integer throws EConvertError.
std::string emuToPixels(std::string_view emu);

}  // namespace vellumine
