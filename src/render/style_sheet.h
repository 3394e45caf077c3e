// The classes of the page's style sheet: one per distinct run, paragraph and cell formatting,
// named r1, r2, ... p1, ... c1, ... in order of first use.  A format is looked up by its address
// first (the resolver hands out the same reference for the same inputs), then by its declarations,
// so a long document costs one hash lookup per run and gets one rule per distinct look.
#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>

#include "docx/format.h"

namespace vellumine::render {

struct ClassName {
  char prefix = 'r';
  std::uint32_t number = 0;
  friend bool operator==(const ClassName&, const ClassName&) = default;
};

// Appends "r12".
void appendClassName(std::string& out, ClassName name);

class StyleSheet {
 public:
  // format must stay where it is for as long as the sheet (the resolver's results do).
  ClassName runClass(const docx::RunFormat& format);
  ClassName paragraphClass(const docx::ParagraphFormat& format);
  ClassName cellClass(const docx::CellFormat& format);

  // Every rule made so far, one per line, in order of first use.
  const std::string& rules() const { return rules_; }

 private:
  struct Kind {
    char prefix;
    std::unordered_map<std::string, std::uint32_t> byDeclarations;
    std::unordered_map<const void*, std::uint32_t> byAddress;
  };
  // The class for these declarations, a new rule when they are new (*added set then).
  ClassName classFor(Kind& kind, const std::string& declarations, bool* added);

  Kind runs_{'r', {}, {}};
  Kind paragraphs_{'p', {}, {}};
  Kind cells_{'c', {}, {}};
  std::string rules_;
  std::string scratch_;
};

}  // namespace vellumine::render
