// The sanitiser's one pass: the tokenizer reads the page as a browser reads what the sanitiser
// writes (a removed start tag switches no raw-text state), each token is kept, removed, or kept
// with some of its attributes removed, and the kept bytes are copied in order.  No stack: an
// SVG, MathML or template subtree is skipped with a depth count, so nesting costs nothing.
#include "html/html_sanitiser.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "html/char_refs.h"
#include "html/css_policy.h"
#include "html/element_policy.h"
#include "html/html_tokenizer.h"
#include "html/mail_link.h"
#include "html/url_policy.h"
#include "text/chartype.h"

namespace vellumine::html {

namespace {

// The page less the removed ranges, built left to right; nothing is copied before the first
// removal, and a page without one is returned as it came.
class PageEdits {
 public:
  explicit PageEdits(std::string_view text) : text_(text) {}

  void remove(std::size_t begin, std::size_t end) {
    if (!changed_) {
      out_.reserve(text_.size());
      changed_ = true;
    }
    out_.append(text_.substr(copied_, begin - copied_));
    copied_ = end;
  }

  // A whole token.  A '<' that was text just before it would open a tag with whatever follows
  // the removed bytes ("<<script>x</script>img src=x onerror=...>"), so such '<'s go too.
  void removeMarkup(std::size_t begin, std::size_t end) {
    while (begin > copied_ && text_[begin - 1] == '<') --begin;
    remove(begin, end);
  }

  bool changed() const { return changed_; }

  std::string finish() {
    out_.append(text_.substr(copied_));
    return std::move(out_);
  }

 private:
  std::string_view text_;
  std::string out_;
  std::size_t copied_ = 0;
  bool changed_ = false;
};

bool isBlank(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return isHtmlSpace(c); });
}

// What becomes of an attribute; kept links may still lose the fields of a mail link.
enum Verdict : char { kRemove = 0, kKeep = 1, kKeepLink = 2 };

bool isForeignRoot(std::string_view lowerName) { return lowerName == "svg" || lowerName == "math"; }

class PageSanitiser {
 public:
  explicit PageSanitiser(std::string_view text) : text_(text), tokenizer_(text), edits_(text) {}

  PageEdits& run();

 private:
  void startTag();
  void endTag();
  void leaveHead() {
    inHead_ = false;
    headLeft_ = true;
  }
  void dropWithText(const ElementRule& rule);
  void dropSubtree(const ElementRule& rule);
  void keepHeadText(const ElementRule& rule);
  std::size_t skipContent(const ElementRule& rule, Token& token);
  void checkAttributes(const Token& tag);
  Verdict attributeVerdict(const Attribute& a);
  void removeRefusedMailFields(const Attribute& a);
  char firstAfterSpace(std::size_t p) const;
  bool metaIsInert(const Token& tag);
  std::string_view decodedValue(const Attribute& a) {
    return decodeAttributeValue(attributeValue(text_, a), decodeBuffer_);
  }

  std::string_view text_;
  Tokenizer tokenizer_;
  PageEdits edits_;
  Token token_;
  Token startTag_;  // a head element's start tag while its text is read
  bool inHead_ = false;
  bool headLeft_ = false;
  std::string decodeBuffer_;
  std::vector<std::size_t> decodedFrom_;  // a mail link's map to its written bytes
  std::vector<ByteRange> styleRanges_;
  std::vector<Verdict> safe_;  // the verdict on each attribute of the tag being checked
};

PageEdits& PageSanitiser::run() {
  while (true) {
    tokenizer_.next(token_);
    switch (token_.kind) {
      case TokenKind::EndOfInput:
        return edits_;
      case TokenKind::Text:
        if (inHead_ && !isBlank(text_.substr(token_.begin, token_.end - token_.begin))) leaveHead();
        break;
      case TokenKind::Doctype:
        break;
      case TokenKind::Comment:  // inert in browsers today, but old ones ran "<!--[if IE]>" content
      case TokenKind::Dropped:
        edits_.removeMarkup(token_.begin, token_.end);
        break;
      case TokenKind::StartTag:
        startTag();
        break;
      case TokenKind::EndTag:
        endTag();
        break;
    }
  }
}

void PageSanitiser::startTag() {
  const std::string_view name = tagName(text_, token_);
  if (!headLeft_) {
    if (!staysInHead(name)) {
      leaveHead();
    } else if (EqualsCaseless(name, "head")) {
      inHead_ = true;
    }
  }
  const ElementRule rule = elementRule(name);
  switch (rule.treatment) {
    case ElementTreatment::Keep:
      checkAttributes(token_);
      break;
    case ElementTreatment::DropTag:
      edits_.removeMarkup(token_.begin, token_.end);
      break;
    case ElementTreatment::DropWithText:
      dropWithText(rule);
      break;
    case ElementTreatment::DropSubtree:
      dropSubtree(rule);
      break;
    case ElementTreatment::HeadText:
      if (inHead_) {
        keepHeadText(rule);
      } else {
        dropWithText(rule);
      }
      break;
    case ElementTreatment::Meta:
      if (metaIsInert(token_)) {
        checkAttributes(token_);
      } else {
        edits_.removeMarkup(token_.begin, token_.end);
      }
      break;
  }
}

// End tags carry nothing a browser uses (their attributes are ignored); those of removed elements
// go with them.
void PageSanitiser::endTag() {
  const std::string_view name = tagName(text_, token_);
  if (EqualsCaseless(name, "head")) leaveHead();
  const ElementTreatment treatment = elementRule(name).treatment;
  if (treatment == ElementTreatment::DropTag || treatment == ElementTreatment::DropWithText ||
      treatment == ElementTreatment::DropSubtree)
    edits_.removeMarkup(token_.begin, token_.end);
}

// Reads the raw text after the start tag just read, and its end tag; returns the element's end.
std::size_t PageSanitiser::skipContent(const ElementRule& rule, Token& token) {
  tokenizer_.setContentModel(rule.content, rule.name);
  tokenizer_.next(token);
  if (token.kind == TokenKind::Text) tokenizer_.next(token);
  return token.end;  // the end tag's, or the page's when it is missing
}

void PageSanitiser::dropWithText(const ElementRule& rule) {
  const std::size_t begin = token_.begin;
  edits_.removeMarkup(begin, skipContent(rule, token_));
}

// Everything up to the matching end tag, the raw text of elements inside read as a browser
// reads it outside SVG; unclosed, the rest of the page.  A self-closed <svg/> or <math/> is empty.
void PageSanitiser::dropSubtree(const ElementRule& rule) {
  const std::size_t begin = token_.begin;
  const bool foreign = isForeignRoot(rule.name);
  if (!(foreign && token_.selfClosing)) {
    for (int depth = 1; depth > 0;) {
      tokenizer_.next(token_);
      if (token_.kind == TokenKind::EndOfInput) break;
      if (token_.kind != TokenKind::StartTag && token_.kind != TokenKind::EndTag) continue;
      const std::string_view name = tagName(text_, token_);
      if (EqualsCaseless(name, rule.name)) {
        if (token_.kind == TokenKind::EndTag) {
          --depth;
        } else if (!(foreign && token_.selfClosing)) {
          ++depth;
        }
      } else if (token_.kind == TokenKind::StartTag) {
        const ElementRule inner = elementRule(name);
        if (inner.content != ContentModel::Markup) tokenizer_.setContentModel(inner.content, inner.name);
      }
    }
  }
  edits_.removeMarkup(begin, token_.end);
}

// A title or style in the head stays when its text cannot turn into markup: with no '<' in it, it
// reads the same as raw text and, where a browser ignores the start tag (inside a select), as
// markup.  A style sheet loses its unsafe declarations and rules; a malformed one goes whole.
void PageSanitiser::keepHeadText(const ElementRule& rule) {
  std::swap(startTag_, token_);
  const std::size_t contentBegin = startTag_.end;
  tokenizer_.setContentModel(rule.content, rule.name);
  tokenizer_.next(token_);
  std::size_t contentEnd = contentBegin;
  if (token_.kind == TokenKind::Text) {
    contentEnd = token_.end;
    tokenizer_.next(token_);
  }
  const std::string_view content = text_.substr(contentBegin, contentEnd - contentBegin);
  styleRanges_.clear();
  const bool isStyle = rule.content == ContentModel::RawText;
  if (content.find('<') != std::string_view::npos || (isStyle && !findUnsafeStyleRanges(content, styleRanges_))) {
    edits_.removeMarkup(startTag_.begin, token_.end);
    return;
  }
  checkAttributes(startTag_);
  for (const ByteRange& r : styleRanges_) edits_.remove(contentBegin + r.begin, contentBegin + r.end);
  if (token_.kind == TokenKind::Dropped) edits_.remove(token_.begin, token_.end);
}

// Removed attributes go in runs, the bytes between them included, so that what stays reads as
// it did: with the white space before them when white space or the tag's end follows, otherwise
// alone ("<a x=1 />" must not become "<a x=1/>", where '/' joins the unquoted value).  A kept
// bare name must never meet a '=' across white space, where it would gain the next attribute as
// its value ("<a x y="1"=z>" would become "<a x =z>"): the '='-named attribute goes too.
void PageSanitiser::checkAttributes(const Token& tag) {
  const std::vector<Attribute>& attributes = tag.attributes;
  safe_.resize(attributes.size());
  for (std::size_t i = 0; i < attributes.size(); ++i) safe_[i] = attributeVerdict(attributes[i]);
  std::size_t keptEnd = tag.nameEnd;
  bool keptBareName = false;
  for (std::size_t i = 0; i < attributes.size(); ++i) {
    if (safe_[i] != kRemove) {
      if (safe_[i] == kKeepLink) removeRefusedMailFields(attributes[i]);
      keptEnd = attributes[i].end;
      keptBareName = attributes[i].end == attributes[i].nameEnd;
      continue;
    }
    std::size_t last = i;
    while (last + 1 < attributes.size() &&
           (safe_[last + 1] == kRemove || (keptBareName && firstAfterSpace(attributes[last].end) == '=')))
      ++last;
    const std::size_t end = attributes[last].end;
    const char next = end < text_.size() ? text_[end] : '>';
    edits_.remove(isHtmlSpace(next) || next == '>' ? keptEnd : attributes[i].nameBegin, end);
    i = last;
  }
}

char PageSanitiser::firstAfterSpace(std::size_t p) const {
  while (p < text_.size() && isHtmlSpace(text_[p])) ++p;
  return p < text_.size() ? text_[p] : '>';
}

Verdict PageSanitiser::attributeVerdict(const Attribute& a) {
  switch (attributeTreatment(attributeName(text_, a))) {
    case AttributeTreatment::Keep:
      return kKeep;
    case AttributeTreatment::Drop:
      return kRemove;
    case AttributeTreatment::Link:
      return isAllowedLink(decodedValue(a)) ? kKeepLink : kRemove;
    case AttributeTreatment::Source:
      return isAllowedSource(decodedValue(a)) ? kKeep : kRemove;
    case AttributeTreatment::Style:
      return isInertDeclarations(decodedValue(a)) ? kKeep : kRemove;
  }
  return kRemove;
}

// A kept mail link keeps its address and the fields a mail program may be given (mail_link.h);
// the written bytes of the others go, character references and all.
void PageSanitiser::removeRefusedMailFields(const Attribute& a) {
  const std::string_view url = decodedValue(a);
  // Most links are "#anchor"s and web addresses: one look at the first letter turns them away.
  const auto first = std::find_if(url.begin(), url.end(), [](char c) { return static_cast<unsigned char>(c) > 0x20; });
  if (first == url.end() || AsciiLower(static_cast<unsigned char>(*first)) != 'm' || linkScheme(url) != "mailto") return;
  decodeAttributeValueMapped(attributeValue(text_, a), decodeBuffer_, decodedFrom_);
  for (const ByteRange& r : refusedMailFieldRanges(decodeBuffer_, decodedFrom_)) {
    edits_.remove(a.valueBegin + r.begin, a.valueBegin + r.end);
  }
}

// Refresh navigates, set-cookie and the rest change the page's rules; only the Content-Type
// declaration the converter writes stays.
bool PageSanitiser::metaIsInert(const Token& tag) {
  for (const Attribute& a : tag.attributes) {
    if (!EqualsCaseless(attributeName(text_, a), "http-equiv")) continue;
    std::string_view value = decodedValue(a);
    while (!value.empty() && isHtmlSpace(value.front())) value.remove_prefix(1);
    while (!value.empty() && isHtmlSpace(value.back())) value.remove_suffix(1);
    if (!EqualsCaseless(value, "content-type")) return false;
  }
  return true;
}

}  // namespace

std::string sanitisePage(std::string page) {
  if (page.find('\x1b') != std::string::npos) std::erase(page, '\x1b');
  PageSanitiser sanitiser(page);
  PageEdits& edits = sanitiser.run();
  return edits.changed() ? edits.finish() : std::move(page);
}

}  // namespace vellumine::html
