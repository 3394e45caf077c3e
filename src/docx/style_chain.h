// Style chains and defaults: the styles a style is based on, the default style of each type, and
// the style a paragraph, run or table ends up with when it names a missing style or a style of
// the wrong type.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "docx/styles.h"

namespace vellumine::docx {

// The most styles a basedOn chain keeps (the nearest ones).  Word's own chains are a few styles
// long; the bound keeps a chain of a hundred thousand hostile styles as cheap as a short one.
inline constexpr int kMaxStyleChain = 64;

// The style and the styles it is based on, the root first and the style itself last (so laying
// them over each other in order lets the nearest win).  The chain ends at a basedOn that names a
// missing style or a style of another type, before a style that is already in it (a loop is cut
// where it comes back), and after kMaxStyleChain styles.  Empty for a null style.
std::vector<const Style*> styleChain(const Styles& styles, const Style* style);

// The first style of this type marked w:default="1", or null.
const Style* defaultStyle(const Styles& styles, StyleType type);

// The style that a link names when it is of the wanted type (a paragraph style's linked character
// style and back), or null.
const Style* linkedStyle(const Styles& styles, const Style& style, StyleType wanted);

// The paragraph style of a paragraph that names styleId (w:pStyle): that style; a character style
// stands for its linked paragraph style; nothing, a missing style or any other: the default
// paragraph style (null when there is none).
const Style* paragraphStyleFor(const Styles& styles, const std::optional<std::string>& styleId);

// The character style of a run that names styleId (w:rStyle): that style; a paragraph style stands
// for its linked character style (null without one); nothing or a missing style: the default
// character style.
const Style* characterStyleFor(const Styles& styles, const std::optional<std::string>& styleId);

// The table style of a table that names styleId (w:tblStyle): that style when it is a table
// style, else the default table style.
const Style* tableStyleFor(const Styles& styles, const std::optional<std::string>& styleId);

}  // namespace vellumine::docx
