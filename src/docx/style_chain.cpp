// Style chains: follows basedOn from a style towards its root, cutting loops and over-long chains,
// and finds the style a paragraph, run or table stands under (the named one, its link, or the
// default of the type).  The resolver flattens each chain once and caches it.
#include "docx/style_chain.h"

#include <algorithm>

namespace vellumine::docx {
namespace {

bool contains(const std::vector<const Style*>& chain, const Style* style) {
  return std::find(chain.begin(), chain.end(), style) != chain.end();
}

// The style named by styleId when it has the wanted type, else null.
const Style* styleOfType(const Styles& styles, const std::string& styleId, StyleType type) {
  const Style* style = styles.find(styleId);
  return style != nullptr && style->type == type ? style : nullptr;
}

}  // namespace

std::vector<const Style*> styleChain(const Styles& styles, const Style* style) {
  std::vector<const Style*> chain;
  // Nearest first while walking (the loop check sees at most kMaxStyleChain entries), then
  // reversed so the root comes first.
  while (style != nullptr && static_cast<int>(chain.size()) < kMaxStyleChain && !contains(chain, style)) {
    chain.push_back(style);
    style = style->basedOn ? styleOfType(styles, *style->basedOn, style->type) : nullptr;
  }
  std::reverse(chain.begin(), chain.end());
  return chain;
}

const Style* defaultStyle(const Styles& styles, StyleType type) {
  for (const Style& style : styles.styles) {
    if (style.isDefault && style.type == type) return &style;
  }
  return nullptr;
}

const Style* linkedStyle(const Styles& styles, const Style& style, StyleType wanted) {
  return style.link ? styleOfType(styles, *style.link, wanted) : nullptr;
}

const Style* paragraphStyleFor(const Styles& styles, const std::optional<std::string>& styleId) {
  if (styleId) {
    if (const Style* style = styles.find(*styleId)) {
      if (style->type == StyleType::paragraph) return style;
      if (style->type == StyleType::character) {
        if (const Style* linked = linkedStyle(styles, *style, StyleType::paragraph)) return linked;
      }
    }
  }
  return defaultStyle(styles, StyleType::paragraph);
}

const Style* characterStyleFor(const Styles& styles, const std::optional<std::string>& styleId) {
  if (styleId) {
    if (const Style* style = styles.find(*styleId)) {
      if (style->type == StyleType::character) return style;
      if (style->type == StyleType::paragraph) return linkedStyle(styles, *style, StyleType::character);
    }
  }
  return defaultStyle(styles, StyleType::character);
}

const Style* tableStyleFor(const Styles& styles, const std::optional<std::string>& styleId) {
  if (styleId) {
    if (const Style* style = styleOfType(styles, *styleId, StyleType::table)) return style;
  }
  return defaultStyle(styles, StyleType::table);
}

}  // namespace vellumine::docx
