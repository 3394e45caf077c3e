// The element and attribute tables, sorted by name for a binary search on the name folded to
// lower case.  Names longer than any entry are never listed (attributes starting "on" aside).
#include "html/element_policy.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "text/chartype.h"

namespace vellumine::html {

namespace {

using T = ElementTreatment;
using C = ContentModel;

constexpr ElementRule kElementRules[] = {
    {"applet", T::DropSubtree, C::Markup},
    {"base", T::DropTag, C::Markup},         // would move every relative address
    {"bgsound", T::DropTag, C::Markup},
    {"embed", T::DropTag, C::Markup},        // a void element: its tag is all of it
    {"fencedframe", T::DropTag, C::Markup},
    {"form", T::DropTag, C::Markup},
    {"frame", T::DropTag, C::Markup},
    {"frameset", T::DropTag, C::Markup},
    {"iframe", T::DropWithText, C::RawText},
    {"isindex", T::DropTag, C::Markup},
    {"link", T::DropTag, C::Markup},         // style sheets, icons, prefetches: all load
    {"math", T::DropSubtree, C::Markup},
    {"meta", T::Meta, C::Markup},
    {"noembed", T::DropWithText, C::RawText},
    {"noframes", T::DropWithText, C::RawText},
    {"noscript", T::DropWithText, C::RawText},  // raw text where scripts run, markup where not
    {"object", T::DropSubtree, C::Markup},   // what it holds is fallback for what it loads
    {"param", T::DropTag, C::Markup},
    {"plaintext", T::DropTag, C::Markup},    // without its tag, what follows is markup again
    {"portal", T::DropTag, C::Markup},
    {"script", T::DropWithText, C::ScriptData},
    {"style", T::HeadText, C::RawText},
    {"svg", T::DropSubtree, C::Markup},
    {"template", T::DropSubtree, C::Markup},
    {"textarea", T::DropWithText, C::RcData},
    {"title", T::HeadText, C::RcData},
    {"xmp", T::DropWithText, C::RawText},
};

constexpr std::string_view kHeadElements[] = {"base",  "basefont", "bgsound", "head",     "html", "link",
                                              "meta",  "noframes", "noscript", "script",  "style",
                                              "template", "title"};

struct AttributeRule {
  std::string_view name;
  AttributeTreatment treatment;
};

using A = AttributeTreatment;

constexpr AttributeRule kAttributeRules[] = {
    {"action", A::Drop},
    {"archive", A::Drop},
    {"attributionsrc", A::Drop},  // sends requests to its addresses
    {"background", A::Source},
    {"cite", A::Link},
    {"classid", A::Drop},
    {"codebase", A::Drop},
    {"data", A::Drop},
    {"dynsrc", A::Source},
    {"formaction", A::Drop},
    {"href", A::Link},
    {"imagesrcset", A::Drop},
    {"longdesc", A::Link},
    {"lowsrc", A::Source},
    {"manifest", A::Drop},
    {"ping", A::Drop},
    {"poster", A::Source},
    {"profile", A::Drop},
    {"src", A::Source},
    {"srcdoc", A::Drop},
    {"srcset", A::Drop},  // several addresses in one value: not worth the risk of misreading
    {"style", A::Style},
    {"usemap", A::Link},
    {"xlink:href", A::Drop},
    {"xml:base", A::Drop},
};

constexpr std::size_t kLongestListedName = 16;

template <typename Row, std::size_t N>
constexpr bool sortedByName(const Row (&rows)[N]) {
  return std::is_sorted(std::begin(rows), std::end(rows), [](const Row& a, const Row& b) { return a.name < b.name; });
}
static_assert(sortedByName(kElementRules) && sortedByName(kAttributeRules));
static_assert(std::is_sorted(std::begin(kHeadElements), std::end(kHeadElements)));

// The name folded to lower case, when it is short enough to be listed.
std::optional<std::string_view> lowerName(std::string_view written, std::array<char, kLongestListedName>& buffer) {
  if (written.size() > buffer.size()) return std::nullopt;
  for (std::size_t i = 0; i < written.size(); ++i) {
    buffer[i] = static_cast<char>(AsciiLower(static_cast<unsigned char>(written[i])));
  }
  return std::string_view(buffer.data(), written.size());
}

constexpr std::string_view nameOf(std::string_view name) { return name; }
template <typename Row>
constexpr std::string_view nameOf(const Row& row) { return row.name; }

// Which first letters a listed name of each length has: most names a page uses (p, span, td,
// width, height) are turned away by one look instead of a search.
using NameShapes = std::array<std::uint32_t, kLongestListedName + 1>;

template <typename Row, std::size_t N>
constexpr NameShapes shapesOf(const Row (&rows)[N]) {
  NameShapes shapes{};
  for (const Row& row : rows) shapes[nameOf(row).size()] |= 1u << (nameOf(row)[0] - 'a');
  return shapes;
}

constexpr NameShapes kElementShapes = shapesOf(kElementRules);
constexpr NameShapes kHeadShapes = shapesOf(kHeadElements);
constexpr NameShapes kAttributeShapes = shapesOf(kAttributeRules);

bool mayBeListed(const NameShapes& shapes, std::string_view written) {
  if (written.empty() || written.size() > kLongestListedName) return false;
  const unsigned char first = AsciiLower(static_cast<unsigned char>(written[0]));
  return first >= 'a' && first <= 'z' && (shapes[written.size()] >> (first - 'a') & 1u) != 0;
}

template <typename Row, std::size_t N>
const Row* findRow(const Row (&rows)[N], const NameShapes& shapes, std::string_view written) {
  if (!mayBeListed(shapes, written)) return nullptr;
  std::array<char, kLongestListedName> buffer;
  const std::optional<std::string_view> name = lowerName(written, buffer);
  if (!name) return nullptr;
  const Row* hit = std::lower_bound(std::begin(rows), std::end(rows), *name,
                                    [](const Row& row, std::string_view n) { return row.name < n; });
  return hit != std::end(rows) && hit->name == *name ? hit : nullptr;
}

}  // namespace

ElementRule elementRule(std::string_view writtenName) {
  const ElementRule* rule = findRow(kElementRules, kElementShapes, writtenName);
  return rule != nullptr ? *rule : ElementRule{{}, T::Keep, C::Markup};
}

bool staysInHead(std::string_view writtenName) {
  if (!mayBeListed(kHeadShapes, writtenName)) return false;
  std::array<char, kLongestListedName> buffer;
  const std::optional<std::string_view> name = lowerName(writtenName, buffer);
  return name && std::binary_search(std::begin(kHeadElements), std::end(kHeadElements), *name);
}

AttributeTreatment attributeTreatment(std::string_view writtenName) {
  // A NUL has no business in a name, and a parser that skips it (as Gumbo does before a name)
  // would read "\0onerror" as a handler.
  if (writtenName.find('\0') != std::string_view::npos) return A::Drop;
  // Every on... attribute is an event handler or may become one.
  if (writtenName.size() >= 2 && AsciiLower(static_cast<unsigned char>(writtenName[0])) == 'o' &&
      AsciiLower(static_cast<unsigned char>(writtenName[1])) == 'n')
    return A::Drop;
  const AttributeRule* rule = findRow(kAttributeRules, kAttributeShapes, writtenName);
  return rule != nullptr ? rule->treatment : A::Keep;
}

}  // namespace vellumine::html
