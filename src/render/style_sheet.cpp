// The class registry of the page: each new format's declarations are written once (format_css)
// and become a rule of the style sheet; paragraphs with borders also get the two rules that join
// them with a neighbour of the same borders.
#include "render/style_sheet.h"

#include "render/css_units.h"
#include "render/format_css.h"

namespace vellumine::render {

void appendClassName(std::string& out, ClassName name) {
  out += name.prefix;
  appendInteger(out, name.number);
}

ClassName StyleSheet::classFor(Kind& kind, const std::string& declarations, bool* added) {
  auto [it, isNew] = kind.byDeclarations.try_emplace(declarations, static_cast<std::uint32_t>(kind.byDeclarations.size() + 1));
  const ClassName name{kind.prefix, it->second};
  *added = isNew;
  if (isNew) {
    rules_ += '.';
    appendClassName(rules_, name);
    rules_.append("{").append(declarations).append("}\n");
  }
  return name;
}

ClassName StyleSheet::runClass(const docx::RunFormat& format) {
  if (auto it = runs_.byAddress.find(&format); it != runs_.byAddress.end()) return {'r', it->second};
  scratch_.clear();
  appendRunCss(scratch_, format);
  bool added = false;
  const ClassName name = classFor(runs_, scratch_, &added);
  runs_.byAddress.emplace(&format, name.number);
  return name;
}

ClassName StyleSheet::paragraphClass(const docx::ParagraphFormat& format) {
  if (auto it = paragraphs_.byAddress.find(&format); it != paragraphs_.byAddress.end()) return {'p', it->second};
  scratch_.clear();
  appendParagraphCss(scratch_, format);
  bool added = false;
  const ClassName name = classFor(paragraphs_, scratch_, &added);
  paragraphs_.byAddress.emplace(&format, name.number);
  if (added && hasBorders(format)) {
    rules_ += '.';
    appendClassName(rules_, name);
    rules_ += ".vm-jt{";
    appendJoinedTopCss(rules_, format);
    rules_ += "}\n.";
    appendClassName(rules_, name);
    rules_ += ".vm-jb{";
    appendJoinedBottomCss(rules_, format);
    rules_ += "}\n";
  }
  return name;
}

ClassName StyleSheet::cellClass(const docx::CellFormat& format) {
  scratch_.clear();
  appendCellCss(scratch_, format);
  bool added = false;
  return classFor(cells_, scratch_, &added);
}

}  // namespace vellumine::render
