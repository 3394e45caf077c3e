// The HTML tokenizer: a page's bytes cut into the tokens a browser's tokenizer makes of them (text,
// start and end tags with their attributes, comments, doctypes), as byte ranges into the page, so
// that a caller can delete ranges and copy the rest unchanged.  It never decodes or copies.
#pragma once
#include <cstddef>
#include <string_view>
#include <vector>

namespace vellumine::html {

enum class TokenKind : unsigned char {
  Text,
  StartTag,
  EndTag,
  Comment,     // also the bogus comments: "<?...>", "<!x...>", "</1...>"
  Doctype,
  Dropped,     // bytes a browser reads without making a token: "</>", a tag cut off by the end
  EndOfInput,
};

// How the bytes after a start tag are read.  Browsers' tree builders choose it by the element
// (title and textarea RcData, style and friends RawText, script ScriptData, plaintext PlainText);
// so does the caller here, right after the start tag.
enum class ContentModel : unsigned char { Markup, RcData, RawText, ScriptData, PlainText };

struct Attribute {
  std::size_t nameBegin = 0, nameEnd = 0;
  std::size_t valueBegin = 0, valueEnd = 0;  // without the quotes; both nameEnd when there is no value
  std::size_t end = 0;                       // past the closing quote, the value or the name
};

struct Token {
  TokenKind kind = TokenKind::EndOfInput;
  std::size_t begin = 0, end = 0;
  std::size_t nameBegin = 0, nameEnd = 0;  // tags only: the name as written
  bool selfClosing = false;
  std::vector<Attribute> attributes;      // tags only, in order, duplicates included
};

class Tokenizer {
 public:
  explicit Tokenizer(std::string_view text) : text_(text) {}

  // Reads the next token into token (its attribute list is reused).  EndOfInput at the end.
  void next(Token& token);

  // Reads what follows the start tag just returned as model: one Text token up to the end tag
  // named endTagName (in lower case), then markup again.
  void setContentModel(ContentModel model, std::string_view endTagName);

  std::string_view text() const { return text_; }

 private:
  void readMarkup(Token& token);
  void readTag(Token& token, TokenKind kind, std::size_t nameBegin);
  bool readAttributes(Token& token, std::size_t p);
  void readComment(Token& token, std::size_t begin);
  void finishAt(Token& token, TokenKind kind, std::size_t begin, std::size_t end);
  std::size_t findTextEnd(std::size_t from) const;
  std::size_t findContentEnd(std::size_t from) const;
  std::size_t findScriptEnd(std::size_t from) const;
  bool isEndTagAt(std::size_t p) const;

  std::string_view text_;
  std::size_t pos_ = 0;
  ContentModel model_ = ContentModel::Markup;
  std::string_view endTagName_;
};

inline std::string_view tagName(std::string_view text, const Token& token) {
  return text.substr(token.nameBegin, token.nameEnd - token.nameBegin);
}
inline std::string_view attributeName(std::string_view text, const Attribute& a) {
  return text.substr(a.nameBegin, a.nameEnd - a.nameBegin);
}
inline std::string_view attributeValue(std::string_view text, const Attribute& a) {
  return text.substr(a.valueBegin, a.valueEnd - a.valueBegin);
}

// Tab, line feed, form feed, carriage return and space: the white space of the tokenizer (never
// the vertical tab, which belongs to names and values).
constexpr bool isHtmlSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r'; }

}  // namespace vellumine::html
