// Hyperlinks become HTML anchors with an address, bookmark starts become named anchors.
#pragma once
#include <string>
#include <string_view>

#include "convert/conversion.h"

namespace vellumine {

// Rewrites every hyperlink element (self-closing ones first) into "<a href=...>content</a>", then
// every bookmark start into "<a name=.../>", and drops the remaining bookmark markers.
void convertLinks(Conversion& c);

// The address of one hyperlink element as written in the document: "#" + its anchor, or else the
// Target of its r:id relationship (empty when the relationship is unknown).
std::string linkTarget(const Conversion& c, std::string_view hyperlink);

}  // namespace vellumine
