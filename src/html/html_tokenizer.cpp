// The tokenizer's states, grouped by what they read: text up to a '<' that opens markup, tags and
// their attributes, comments, and the content of raw-text elements up to their end tag.  Every
// state moves forward only (lookahead is bounded by a tag name), so a page is read in one pass.
#include "html/html_tokenizer.h"

#include <cstring>

#include "text/chartype.h"

namespace vellumine::html {

namespace {

constexpr std::size_t kNotFound = std::string_view::npos;

std::size_t findByte(std::string_view text, char byte, std::size_t from) {
  if (from >= text.size()) return kNotFound;
  const void* hit = std::memchr(text.data() + from, byte, text.size() - from);
  return hit == nullptr ? kNotFound : static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
}

bool isLetter(char c) { return IsAsciiLetter(static_cast<unsigned char>(c)); }

bool endsTagName(char c) { return isHtmlSpace(c) || c == '/' || c == '>'; }

bool endsAttributeName(char c) { return isHtmlSpace(c) || c == '/' || c == '>' || c == '='; }

// The letters from p on (script data's "temporary buffer" reads letters only).
std::size_t lettersEnd(std::string_view text, std::size_t p) {
  while (p < text.size() && isLetter(text[p])) ++p;
  return p;
}

// "script" written from p on and closed by white space, '/' or '>': the word that switches script
// data into and out of its double-escaped state.
bool scriptWordAt(std::string_view text, std::size_t p, std::size_t wordEnd) {
  return wordEnd < text.size() && endsTagName(text[wordEnd]) && EqualsCaseless(text.substr(p, wordEnd - p), "script");
}

}  // namespace

void Tokenizer::setContentModel(ContentModel model, std::string_view endTagName) {
  model_ = model;
  endTagName_ = endTagName;
}

void Tokenizer::finishAt(Token& token, TokenKind kind, std::size_t begin, std::size_t end) {
  token.kind = kind;
  token.begin = begin;
  token.end = end;
  pos_ = end;
}

void Tokenizer::next(Token& token) {
  token.attributes.clear();
  token.selfClosing = false;
  token.nameBegin = token.nameEnd = 0;
  if (model_ != ContentModel::Markup) {
    const std::size_t end = model_ == ContentModel::PlainText ? text_.size() : findContentEnd(pos_);
    model_ = ContentModel::Markup;
    if (end > pos_) {
      finishAt(token, TokenKind::Text, pos_, end);
      return;
    }
  }
  if (pos_ >= text_.size()) {
    finishAt(token, TokenKind::EndOfInput, text_.size(), text_.size());
    return;
  }
  const std::size_t textEnd = findTextEnd(pos_);
  if (textEnd > pos_) {
    finishAt(token, TokenKind::Text, pos_, textEnd);
    return;
  }
  readMarkup(token);
}

// Text runs to the first '<' that a browser reads as markup; any other '<' ("<3", "< b", a '<'
// at the end) is text.
std::size_t Tokenizer::findTextEnd(std::size_t from) const {
  for (std::size_t lt = findByte(text_, '<', from); lt != kNotFound; lt = findByte(text_, '<', lt + 1)) {
    if (lt + 1 >= text_.size()) return text_.size();
    const char c = text_[lt + 1];
    if (isLetter(c) || c == '!' || c == '?') return lt;
    if (c == '/' && lt + 2 < text_.size()) return lt;  // "</" at the very end is text
  }
  return text_.size();
}

void Tokenizer::readMarkup(Token& token) {
  const std::size_t lt = pos_;
  const char c = text_[lt + 1];
  if (isLetter(c)) return readTag(token, TokenKind::StartTag, lt + 1);
  if (c == '/') {
    const char d = text_[lt + 2];
    if (isLetter(d)) return readTag(token, TokenKind::EndTag, lt + 2);
    if (d == '>') return finishAt(token, TokenKind::Dropped, lt, lt + 3);
  } else if (c == '!') {
    if (text_.compare(lt + 2, 2, "--") == 0) return readComment(token, lt);
    if (EqualsCaselessAt(text_, lt + 2, "doctype")) {
      // Even a '>' inside a quoted identifier ends a doctype.
      const std::size_t gt = findByte(text_, '>', lt + 9);
      return finishAt(token, TokenKind::Doctype, lt, gt == kNotFound ? text_.size() : gt + 1);
    }
  }
  // A bogus comment ("<?", "<!" not followed by "--" or a doctype, "</" with a non-letter) runs to
  // the first '>'; "<![CDATA[" is one too outside SVG and MathML.
  const std::size_t gt = findByte(text_, '>', lt + 2);
  finishAt(token, TokenKind::Comment, lt, gt == kNotFound ? text_.size() : gt + 1);
}

void Tokenizer::readTag(Token& token, TokenKind kind, std::size_t nameBegin) {
  const std::size_t lt = pos_;
  std::size_t p = nameBegin;
  while (p < text_.size() && !endsTagName(text_[p])) ++p;
  token.nameBegin = nameBegin;
  token.nameEnd = p;
  token.kind = kind;
  token.begin = lt;
  if (!readAttributes(token, p)) {
    // The input ends inside the tag: browsers drop the tag.
    token.attributes.clear();
    token.selfClosing = false;
    finishAt(token, TokenKind::Dropped, lt, text_.size());
  }
}

// The attribute states from "before attribute name" to the tag's '>'; false when the input ends
// first.  Sets token.end and the position after the tag.
bool Tokenizer::readAttributes(Token& token, std::size_t p) {
  const std::size_t n = text_.size();
  while (true) {
    while (p < n && isHtmlSpace(text_[p])) ++p;
    if (p >= n) return false;
    if (text_[p] == '>') break;
    if (text_[p] == '/') {
      // The self-closing start tag state: "/>" closes, any other '/' is skipped.
      if (p + 1 >= n) return false;
      if (text_[p + 1] == '>') {
        token.selfClosing = true;
        ++p;
        break;
      }
      ++p;
      continue;
    }
    Attribute a;
    a.nameBegin = p;
    if (text_[p] == '=') ++p;  // a '=' where a name starts belongs to the name
    while (p < n && !endsAttributeName(text_[p])) ++p;
    a.nameEnd = a.valueBegin = a.valueEnd = a.end = p;
    while (p < n && isHtmlSpace(text_[p])) ++p;
    if (p < n && text_[p] == '=') {
      ++p;
      while (p < n && isHtmlSpace(text_[p])) ++p;
      if (p >= n) return false;
      const char quote = text_[p];
      if (quote == '"' || quote == '\'') {
        const std::size_t close = findByte(text_, quote, p + 1);
        if (close == kNotFound) return false;
        a.valueBegin = p + 1;
        a.valueEnd = close;
        p = a.end = close + 1;
      } else if (quote == '>') {
        a.valueBegin = a.valueEnd = a.end = p;  // "name=>": an empty value
      } else {
        a.valueBegin = p;
        while (p < n && !isHtmlSpace(text_[p]) && text_[p] != '>') ++p;
        a.valueEnd = a.end = p;
      }
    }
    token.attributes.push_back(a);
  }
  token.end = pos_ = p + 1;
  return true;
}

// "<!--" up to "-->", "--!>", or the abrupt "<!-->" and "<!--->"; to the end when unclosed.
void Tokenizer::readComment(Token& token, std::size_t begin) {
  enum class State { Start, StartDash, Comment, EndDash, End, EndBang };
  const std::size_t n = text_.size();
  State state = State::Start;
  std::size_t p = begin + 4;
  for (; p < n; ++p) {
    const char c = text_[p];
    switch (state) {
      case State::Start:
      case State::StartDash:
        if (c == '>') return finishAt(token, TokenKind::Comment, begin, p + 1);
        state = c != '-' ? State::Comment : state == State::Start ? State::StartDash : State::End;
        break;
      case State::Comment: {
        const std::size_t dash = findByte(text_, '-', p);
        if (dash == kNotFound) return finishAt(token, TokenKind::Comment, begin, n);
        p = dash;
        state = State::EndDash;
        break;
      }
      case State::EndDash:
        state = c == '-' ? State::End : State::Comment;
        break;
      case State::End:
        if (c == '>') return finishAt(token, TokenKind::Comment, begin, p + 1);
        state = c == '!' ? State::EndBang : c == '-' ? State::End : State::Comment;
        break;
      case State::EndBang:
        if (c == '>') return finishAt(token, TokenKind::Comment, begin, p + 1);
        state = c == '-' ? State::EndDash : State::Comment;
        break;
    }
  }
  finishAt(token, TokenKind::Comment, begin, n);
}

// "</" + the element's name + white space, '/' or '>': the only end tag that closes raw text.
bool Tokenizer::isEndTagAt(std::size_t p) const {
  const std::size_t nameAt = p + 2;
  const std::size_t after = nameAt + endTagName_.size();
  return text_[p] == '<' && after < text_.size() && text_[p + 1] == '/' && endsTagName(text_[after]) &&
         EqualsCaseless(text_.substr(nameAt, endTagName_.size()), endTagName_);
}

std::size_t Tokenizer::findContentEnd(std::size_t from) const {
  if (model_ == ContentModel::ScriptData) return findScriptEnd(from);
  for (std::size_t lt = findByte(text_, '<', from); lt != kNotFound; lt = findByte(text_, '<', lt + 1)) {
    if (isEndTagAt(lt)) return lt;
  }
  return text_.size();
}

// Script data with its escaped ("<!--") and double-escaped ("<!--<script>") states: in the
// double-escaped state even "</script>" does not end the script.
std::size_t Tokenizer::findScriptEnd(std::size_t from) const {
  enum class State { Data, Escaped, EscapedDash, EscapedDashDash, Double, DoubleDash, DoubleDashDash };
  const std::size_t n = text_.size();
  State state = State::Data;
  std::size_t p = from;
  while (p < n) {
    const char c = text_[p];
    switch (state) {
      case State::Data: {
        const std::size_t lt = findByte(text_, '<', p);
        if (lt == kNotFound) return n;
        if (isEndTagAt(lt)) return lt;
        if (text_.compare(lt + 1, 3, "!--") == 0) {
          state = State::EscapedDashDash;
          p = lt + 4;
        } else {
          p = lt + 1;
        }
        continue;
      }
      case State::Escaped:
      case State::EscapedDash:
      case State::EscapedDashDash:
        if (c == '<') {
          if (isEndTagAt(p)) return p;
          const std::size_t wordEnd = lettersEnd(text_, p + 1);
          if (scriptWordAt(text_, p + 1, wordEnd)) {
            state = State::Double;
            p = wordEnd + 1;
            continue;
          }
          state = State::Escaped;
          p = wordEnd > p + 1 ? wordEnd : p + 1;
          continue;
        }
        if (c == '-') {
          state = state == State::Escaped ? State::EscapedDash : State::EscapedDashDash;
        } else if (c == '>' && state == State::EscapedDashDash) {
          state = State::Data;
        } else {
          state = State::Escaped;
        }
        break;
      case State::Double:
      case State::DoubleDash:
      case State::DoubleDashDash:
        if (c == '<') {
          if (p + 1 < n && text_[p + 1] == '/') {
            const std::size_t wordEnd = lettersEnd(text_, p + 2);
            if (scriptWordAt(text_, p + 2, wordEnd)) {
              state = State::Escaped;
              p = wordEnd + 1;
              continue;
            }
          }
          state = State::Double;
        } else if (c == '-') {
          state = state == State::Double ? State::DoubleDash : State::DoubleDashDash;
        } else if (c == '>' && state == State::DoubleDashDash) {
          state = State::Data;
        } else {
          state = State::Double;
        }
        break;
    }
    ++p;
  }
  return n;
}

}  // namespace vellumine::html
