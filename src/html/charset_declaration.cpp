// Where the UTF-8 declaration goes: the tokenizer reads the page's first tokens as a browser's
// tree builder meets them before the head's content (doctype, html, head), each a place the
// declaration may follow; the first other token ends the search.  A declaration already there is
// kept instead.
#include "html/charset_declaration.h"

#include <algorithm>

#include "html/char_refs.h"
#include "text/chartype.h"

namespace vellumine::html {

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

bool isBlank(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return isHtmlSpace(c); });
}

std::string_view trimmed(std::string_view value) {
  while (!value.empty() && isHtmlSpace(value.front())) value.remove_prefix(1);
  while (!value.empty() && isHtmlSpace(value.back())) value.remove_suffix(1);
  return value;
}

// The places the declaration may go, in page order, and whether the page has it at the last.
struct Placement {
  std::size_t places[4] = {};
  std::size_t count = 0;
  bool declared = false;

  void add(std::size_t at) { places[count++] = at; }
};

Placement findPlaces(std::string_view page) {
  Placement placement;
  const std::size_t start = page.starts_with(kUtf8ByteOrderMark) ? kUtf8ByteOrderMark.size() : 0;
  placement.add(start);
  Tokenizer tokenizer(page.substr(start));
  const std::string_view text = tokenizer.text();
  Token token;
  // The steps a page may take before its head's content, in order: doctype, html, head.
  int step = 0;
  while (true) {
    tokenizer.next(token);
    if (token.kind == TokenKind::Comment) continue;
    if (token.kind == TokenKind::Text && isBlank(text.substr(token.begin, token.end - token.begin))) continue;
    const bool startTag = token.kind == TokenKind::StartTag;
    const std::string_view name = tagName(text, token);
    int next = step;
    if (step == 0 && token.kind == TokenKind::Doctype) next = 1;
    if (step <= 1 && startTag && EqualsCaseless(name, "html")) next = 2;
    if (step <= 2 && startTag && EqualsCaseless(name, "head")) next = 3;
    if (next == step) {
      placement.declared = startTag && EqualsCaseless(name, "meta") && start + token.end <= kDeclarationWindow &&
                           metaEncoding(text, token) == MetaEncoding::Utf8;
      return placement;
    }
    step = next;
    placement.add(start + token.end);
  }
}

}  // namespace

MetaEncoding metaEncoding(std::string_view page, const Token& meta) {
  MetaEncoding encoding = MetaEncoding::Silent;
  std::string buffer;
  for (const Attribute& a : meta.attributes) {
    const std::string_view name = attributeName(page, a);
    if (EqualsCaseless(name, "http-equiv")) return MetaEncoding::Other;
    if (!EqualsCaseless(name, "charset")) continue;
    // Every charset attribute counts: a browser takes the first that is not empty.
    if (!EqualsCaseless(trimmed(decodeAttributeValue(attributeValue(page, a), buffer)), "utf-8"))
      return MetaEncoding::Other;
    encoding = MetaEncoding::Utf8;
  }
  return encoding;
}

std::string declareUtf8(std::string page) {
  const Placement placement = findPlaces(page);
  if (placement.declared) return page;
  std::size_t at = placement.places[0];
  for (std::size_t i = 0; i < placement.count; ++i) {
    if (placement.places[i] + kUtf8Declaration.size() <= kDeclarationWindow) at = placement.places[i];
  }
  return page.insert(at, kUtf8Declaration);
}

}  // namespace vellumine::html
