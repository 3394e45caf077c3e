// Field codes kept off the page.  A field is a begin character, its instruction, a separate
// character, its stored result and an end character, each character in a run of its own; only the
// result is shown.  Field data (a reference manager's base64 beside the begin character, kilobytes
// per citation) and everything in an instruction part never are.
#pragma once
#include <string>
#include <string_view>

#include "convert/conversion.h"

namespace vellumine {

// part holds element names that begin with prefix ("w:" in a story part as stored, "" after
// preClean).  Every fldData element is removed.  In each field's instruction part (behind its
// begin character up to its own separate character, or its end character when it has none) every
// run is removed but the ones holding instruction text (instrText): the text of a field nested
// in an instruction and the nested field's characters go with their runs.  The characters of the
// fields that are not inside an instruction stay, and so do the instruction runs: convertFields
// and the stories drop those, as they always have.  A field whose separate and end characters
// never come hides nothing: a damaged document keeps its text.
void removeFieldCodes(std::string& part, std::string_view prefix);

// The pass over the document text, right after preClean.
void hideFieldCodes(Conversion& c);

}  // namespace vellumine
