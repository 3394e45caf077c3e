// The tokenizer against Gumbo, a real HTML5 parser, on random pages made of the pieces where
// tokenizers part ways and on the hostile rows: every element, attribute, comment and text Gumbo
// puts in its tree must start where our tokens say, with the same name and decoded value.  The
// sanitised pages are judged by Gumbo's tree as well.
//
// The pieces leave out what Gumbo reads in another tree state than a browser would (SVG and
// MathML, select, frameset, template, noscript, isindex) and the named references outside the decoder's
// table (see char_refs.h).
#include <gumbo.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "html/char_refs.h"
#include "html/html_sanitiser.h"
#include "html/token_reading.h"
#include "support/active_content.h"
#include "support/hostile_markup.h"
#include "support/test_support.h"
#include "text/encoding.h"

namespace vellumine::html {
namespace {

using namespace std::string_view_literals;

constexpr std::string_view kPieces[] = {
    "<", ">", "</", "/", "=", "\"", "'", "`", " ", "\t", "\n", "\f", "\r", "\0"sv, "a", "x", "1", "-", "!", "?",
    "&", ";", "#", "<!--", "-->", "--!>", "<!", "<?", "]]>", "<![CDATA[", "<!DOCTYPE html>", "<p", "<a", "<img",
    "<image", "<div", "<b", "<span", "<br", "<table", "<tr", "<td", "<title", "<textarea", "<style", "<script",
    "<SCRIPT", "<xmp", "<iframe", "<noembed", "<noframes", "<plaintext", "</p", "</br", "</script", "</title",
    "</style", "</textarea", "</a", "</table", " href", " src", " onerror", " style", "=\"", "='", "=x", "&amp;",
    "&lt", "&colon;", "&#106;", "&#x6A", "&#0;", "&#x110000", "&notit;", "&foo;", "&amp", "&ampx", "&Tab;",
};

// Our bytes as Gumbo hands them out: line breaks made line feeds, and NUL, the control bytes
// (which a browser keeps; Gumbo's decoder does not) and bytes that are not UTF-8 as U+FFFD.
std::string asGumboGivesIt(std::string_view text, bool foldCase) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\r') {
      if (i + 1 >= text.size() || text[i + 1] != '\n') out += '\n';
    } else if ((c < 0x20 && c != '\t' && c != '\n' && c != '\f') || c == 0x7F) {
      out += "\xEF\xBF\xBD";
    } else {
      out += static_cast<char>(foldCase && c >= 'A' && c <= 'Z' ? c + 32 : c);
    }
  }
  return ValidUtf8(std::move(out));
}

std::string lowerName(std::string_view name) { return asGumboGivesIt(name, true); }

// Our reading of a page: tag names by offset, attributes (name, decoded value) by name offset,
// comments by offset, and the ranges that are not text.
struct OurReading {
  std::map<std::size_t, std::string> tags, comments;
  std::map<std::size_t, std::pair<std::string, std::string>> attributes;
  std::vector<std::pair<std::size_t, std::size_t>> markup;

  explicit OurReading(std::string_view page) {
    std::string buffer;
    test::readTokens(page, false, [&](const Token& t) {
      // Gumbo dates the text after "</>" from the "</" (see afterEmptyEndTags).
      const bool emptyEndTag = t.kind == TokenKind::Dropped && page.substr(t.begin, t.end - t.begin) == "</>";
      if (t.kind != TokenKind::Text && !emptyEndTag) markup.emplace_back(t.begin, t.end);
      if (t.kind == TokenKind::Comment) comments[t.begin] = "comment";
      if (t.kind != TokenKind::StartTag && t.kind != TokenKind::EndTag) return;
      tags[t.begin] = lowerName(tagName(page, t));
      for (const Attribute& a : t.attributes) {
        // Gumbo drops a NUL that starts a name (a browser reads it as U+FFFD) and starts it after it.
        std::string_view name = attributeName(page, a);
        const std::size_t nuls = !name.empty() && name[0] == '\0' ? 1 : 0;
        name.remove_prefix(nuls);
        if (attributes.count(a.nameBegin + nuls) != 0) continue;
        const std::string raw = asGumboGivesIt(attributeValue(page, a), false);
        attributes[a.nameBegin + nuls] = {lowerName(name), std::string(decodeAttributeValue(raw, buffer))};
      }
    });
  }

  bool insideMarkup(std::size_t offset) const {
    auto after = std::upper_bound(markup.begin(), markup.end(), std::make_pair(offset, std::size_t(-1)));
    return after != markup.begin() && offset < std::prev(after)->second;
  }
};

class Comparison {
 public:
  explicit Comparison(std::string_view page) : page_(page), ours_(page) {}
  std::vector<std::string> differences;

  void visit(const GumboNode* node) {
    switch (node->type) {
      case GUMBO_NODE_DOCUMENT:
        visitChildren(node->v.document.children);
        break;
      case GUMBO_NODE_ELEMENT:
      case GUMBO_NODE_TEMPLATE:
        compareElement(node->v.element);
        visitChildren(node->v.element.children);
        break;
      case GUMBO_NODE_COMMENT:
        if (ours_.comments.count(afterEmptyEndTags(node->v.text.start_pos.offset)) == 0)
          differ("comment", node->v.text.start_pos.offset);
        break;
      default:
        if (ours_.insideMarkup(node->v.text.start_pos.offset)) differ("text inside our markup", node->v.text.start_pos.offset);
        break;
    }
  }

 private:
  void visitChildren(const GumboVector& children) {
    for (unsigned i = 0; i < children.length; ++i) visit(static_cast<const GumboNode*>(children.data[i]));
  }

  // Gumbo dates the token after "</>" (which makes no token) from the "</".
  std::size_t afterEmptyEndTags(std::size_t offset) const {
    while (page_.substr(offset, 3) == "</>") offset += 3;
    return offset;
  }

  void differ(const std::string& what, std::size_t offset) {
    differences.push_back(what + " at " + std::to_string(offset) + ": " + std::string(page_.substr(offset, 30)));
  }

  void compareElement(const GumboElement& e) {
    if (e.original_tag.length > 0) {
      GumboStringPiece piece = e.original_tag;
      const std::size_t offset = afterEmptyEndTags(e.start_pos.offset);
      piece.length -= offset - e.start_pos.offset;
      piece.data += offset - e.start_pos.offset;
      gumbo_tag_from_original_text(&piece);
      const std::string name = lowerName(std::string_view(piece.data, piece.length));
      const auto tag = ours_.tags.find(offset);
      if (tag == ours_.tags.end() || tag->second != name) differ("element " + name, offset);
    }
    for (unsigned i = 0; i < e.attributes.length; ++i) {
      const auto* a = static_cast<const GumboAttribute*>(e.attributes.data[i]);
      if (a->name[0] == '\0') continue;  // a name of one NUL: Gumbo drops it and misplaces the attribute
      const auto ours = ours_.attributes.find(a->name_start.offset);
      if (ours == ours_.attributes.end() || ours->second.first != a->name || ours->second.second != a->value)
        differ(std::string("attribute ") + a->name + "=" + a->value, a->name_start.offset);
    }
  }

  std::string_view page_;
  OurReading ours_;
};

std::vector<std::string> differencesFromGumbo(std::string_view page) {
  GumboOutput* output = gumbo_parse_with_options(&kGumboDefaultOptions, page.data(), page.size());
  Comparison comparison(page);
  comparison.visit(output->document);
  gumbo_destroy_output(&kGumboDefaultOptions, output);
  return comparison.differences;
}

void expectSameReading(const std::string& page) {
  for (const std::string& d : differencesFromGumbo(page)) ADD_FAILURE() << d << "\npage: " << testing::PrintToString(page);
}

TEST(GumboDifferential, RandomPagesReadAlike) {
  vellumine::test::RandomText random(20240611);
  for (int n = 0; n < 4000; ++n) {
    std::string page;
    for (std::uint32_t pieces = 1 + random.next() % 120; pieces > 0; --pieces) page += kPieces[random.next() % std::size(kPieces)];
    expectSameReading(page);
    const std::string safe = sanitisePage(page);
    expectSameReading(safe);
    for (const std::string& finding : vellumine::test::findActiveContent(safe)) {
      ADD_FAILURE() << finding << "\npage: " << testing::PrintToString(page);
    }
    if (HasFailure()) return;
  }
}

TEST(GumboDifferential, HostileRowsReadAlike) {
  for (const auto& row : vellumine::test::hostileMarkup()) {
    const std::string_view markup = row.markup;
    if (markup.find("<svg") != markup.npos || markup.find("<math") != markup.npos ||
        markup.find("<select") != markup.npos || markup.find("<template") != markup.npos ||
        markup.find("<isindex") != markup.npos || markup.find("<noscript") != markup.npos)
      continue;  // foreign content and tree states where Gumbo reads differently from a browser
    SCOPED_TRACE(row.name);
    expectSameReading(std::string(markup));
  }
}

}  // namespace
}  // namespace vellumine::html
