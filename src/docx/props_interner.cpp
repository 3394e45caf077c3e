// The key of a property block is its subtree written out (element names, attribute names and
// values, a byte marking each level's end; text, which no property holds, is left out so that
// indentation does not tell equal blocks apart), built without recursion; the property reader runs
// only for a key not seen before.
#include "docx/props_interner.h"

#include "docx/property_reader.h"

namespace vellumine::docx {

namespace {

// Separators that cannot occur in XML names or (parsed) values.
constexpr char kAttribute = '\x01';
constexpr char kValue = '\x02';
constexpr char kOpen = '\x03';
constexpr char kClose = '\x04';

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

}  // namespace

template <typename Props, typename Read>
std::uint32_t PropsInterner::intern(const pugi::xml_node& element, PropsPool<Props>& pool, KeyMap& known, Read read) {
  if (!element) return 0;
  writeKey(element, key_);
  if (key_.empty()) return 0;
  auto it = known.find(std::string_view(key_));
  if (it != known.end()) return it->second;
  const auto index = static_cast<std::uint32_t>(pool.items.size());
  pool.items.push_back(read(element, warnings_));
  known.emplace(key_, index);
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
