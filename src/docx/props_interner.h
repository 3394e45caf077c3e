// Property blocks interned: each distinct w:rPr, w:pPr, w:tblPr (and w:tblPrEx), w:trPr and w:tcPr
// is read once and stored once in the document's pools; equal blocks share an index.  A 16 MB
// document repeats a few dozen formattings over hundreds of thousands of runs.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include <pugixml.hpp>

#include "docx/model.h"
#include "docx/warnings.h"

namespace vellumine::docx {

class PropsInterner {
 public:
  PropsInterner(Document& document, Warnings& warnings) : document_(document), warnings_(warnings) {}

  // The index of the block in its pool; 0 for a null or empty element.
  std::uint32_t run(const pugi::xml_node& rPr);
  std::uint32_t paragraph(const pugi::xml_node& pPr);
  std::uint32_t table(const pugi::xml_node& tblPr);
  std::uint32_t row(const pugi::xml_node& trPr);
  std::uint32_t cell(const pugi::xml_node& tcPr);

  // The bytes of the part being read when they may stand for a block's content, which saves
  // writing its tree out (XmlPart::sourceText); empty when they may not.  Valid until the next call.
  void useSourceText(std::string_view text) { source_ = text; }

 private:
  struct KeyHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view key) const { return std::hash<std::string_view>{}(key); }
  };
  using KeyMap = std::unordered_map<std::string, std::uint32_t, KeyHash, std::equal_to<>>;

  template <typename Props, typename Read>
  std::uint32_t intern(const pugi::xml_node& element, PropsPool<Props>& pool, KeyMap& known, Read read);

  Document& document_;
  Warnings& warnings_;
  std::string key_, sourceKey_;  // reused: a lookup of a known block allocates nothing
  std::string_view source_;
  KeyMap runs_, paragraphs_, tables_, rows_, cells_;
};

}  // namespace vellumine::docx
