// The generic family of a font face (serif, sans-serif, monospace, ...), the fallback a page
// names after the face so that a missing face falls back to its kind and not to the browser's
// default serif.
#pragma once
#include <string_view>

#include "docx/format.h"
#include "docx/theme.h"

namespace vellumine::docx {

// In this order: the common faces Word documents name (Calibri, Cambria, Aptos, Arial, Times New
// Roman, Courier New, the usual CJK faces, ...), compared without case; the document's font table
// (a fixed pitch, w:family, the PANOSE classification); words in the name ("Mono", "Sans",
// "Serif", "Gothic", "Mincho", ...); else sans-serif, the kind of face a missing one is replaced by
// on the reference layouts.
GenericFamily genericFamily(const FontTable& fonts, std::string_view face);

}  // namespace vellumine::docx
