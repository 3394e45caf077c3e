// The key of a property block is its subtree written out (element names, attribute names and
// values, a byte marking each level's end; text, which no property holds, is left out so that
// indentation does not tell equal blocks apart), built without recursion; or, where the part allows
// it, the block's own bytes first, in front of that key: equal bytes are equal content, and the
// written-out key, which all equal contents share, is made only when the bytes are new.  The
// property reader runs only for a written-out key not seen before.
#include "docx/props_interner.h"

#include "docx/property_reader.h"

namespace vellumine::docx {

namespace {

// Separators that cannot occur in XML names or (parsed) values.
constexpr char kAttribute = '\x01';
constexpr char kValue = '\x02';
constexpr char kOpen = '\x03';
constexpr char kClose = '\x04';
constexpr char kSourceMark = '\x06';

void appendAttributes(const pugi::xml_node& element, std::string& key) {
  for (const pugi::xml_attribute& attribute : element.attributes()) {
    key += kAttribute;
    key += attribute.name();
    key += kValue;
    key += attribute.value();
  }
}

// The element's content (not its own name: a w:tblPrEx and a w:tblPr saying the same share an
// index) in document order.
void writeKey(const pugi::xml_node& element, std::string& key) {
  key.clear();
  appendAttributes(element, key);
  pugi::xml_node node = element.first_child();
  while (node) {
    const bool isElement = node.type() == pugi::node_element;
    if (isElement) {
      key += kOpen;
      key += node.name();
      appendAttributes(node, key);
    }
    if (isElement && node.first_child()) {
      node = node.first_child();
      continue;
    }
    // A leaf: close it and each ancestor whose last descendant it is.
    for (;;) {
      if (node.type() == pugi::node_element) key += kClose;
      if (node.next_sibling()) {
        node = node.next_sibling();
        break;
      }
      node = node.parent();
      if (node == element) {
        node = pugi::xml_node();
        break;
      }
    }
  }
}

// The block's own bytes in source, from its '<' to the node after it, marked apart from the keys
// writeKey makes; false when they cannot be told (no node after it, a name not in source).
bool writeSourceKey(const pugi::xml_node& element, std::string_view source, std::string& key) {
  const pugi::xml_node next = element.next_sibling();
  if (!next) return false;
  const std::ptrdiff_t begin = element.offset_debug() - 1;
  const std::ptrdiff_t end = next.offset_debug() - (next.type() == pugi::node_element ? 1 : 0);
  if (begin < 0 || end <= begin || static_cast<std::size_t>(end) > source.size()) return false;
  key.assign(1, kSourceMark);
  key.append(source.substr(static_cast<std::size_t>(begin), static_cast<std::size_t>(end - begin)));
  return true;
}

// Whether the block sets nothing: no attribute and no element inside.
bool isEmptyBlock(const pugi::xml_node& element) {
  if (element.first_attribute()) return false;
  for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling()) {
    if (child.type() == pugi::node_element) return false;
  }
  return true;
}

}  // namespace

template <typename Props, typename Read>
std::uint32_t PropsInterner::intern(const pugi::xml_node& element, PropsPool<Props>& pool, KeyMap& known, Read read) {
  if (!element || isEmptyBlock(element)) return 0;
  // The block's bytes, when the part allows, are looked up first: a hit saves writing the tree out.
  const bool bySource = !source_.empty() && writeSourceKey(element, source_, sourceKey_);
  if (bySource) {
    auto it = known.find(std::string_view(sourceKey_));
    if (it != known.end()) return it->second;
  }
  writeKey(element, key_);
  auto it = known.find(std::string_view(key_));
  std::uint32_t index = 0;
  if (it != known.end()) {
    index = it->second;
  } else {
    index = static_cast<std::uint32_t>(pool.items.size());
    pool.items.push_back(read(element, warnings_));
    known.emplace(key_, index);
  }
  if (bySource) known.emplace(sourceKey_, index);
  return index;
}

std::uint32_t PropsInterner::run(const pugi::xml_node& rPr) {
  return intern(rPr, document_.runProps, runs_, readRunProps);
}

std::uint32_t PropsInterner::paragraph(const pugi::xml_node& pPr) {
  return intern(pPr, document_.paragraphProps, paragraphs_, readParagraphProps);
}

std::uint32_t PropsInterner::table(const pugi::xml_node& tblPr) {
  return intern(tblPr, document_.tableProps, tables_, readTableProps);
}

std::uint32_t PropsInterner::row(const pugi::xml_node& trPr) {
  return intern(trPr, document_.rowProps, rows_, readRowProps);
}

std::uint32_t PropsInterner::cell(const pugi::xml_node& tcPr) {
  return intern(tcPr, document_.cellProps, cells_, readCellProps);
}

}  // namespace vellumine::docx
