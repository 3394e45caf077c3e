#include "html/token_reading.h"

#include "text/chartype.h"

namespace vellumine::html::test {

ContentModel browserContentModel(std::string_view name, bool scripting) {
  if (EqualsCaseless(name, "title") || EqualsCaseless(name, "textarea")) return ContentModel::RcData;
  if (EqualsCaseless(name, "script")) return ContentModel::ScriptData;
  if (EqualsCaseless(name, "plaintext")) return ContentModel::PlainText;
  for (std::string_view raw : {"style", "xmp", "iframe", "noembed", "noframes"}) {
    if (EqualsCaseless(name, raw)) return ContentModel::RawText;
  }
  return scripting && EqualsCaseless(name, "noscript") ? ContentModel::RawText : ContentModel::Markup;
}

void readTokens(std::string_view text, bool scripting, const std::function<void(const Token&)>& visit) {
  Tokenizer tokenizer(text);
  Token token;
  std::string lowerName;
  for (tokenizer.next(token); token.kind != TokenKind::EndOfInput; tokenizer.next(token)) {
    visit(token);
    if (token.kind != TokenKind::StartTag) continue;
    const ContentModel model = browserContentModel(tagName(text, token), scripting);
    if (model == ContentModel::Markup) continue;
    lowerName.clear();
    for (char c : tagName(text, token)) lowerName += (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
    tokenizer.setContentModel(model, lowerName);
  }
}

std::string describeTokens(std::string_view text) {
  std::string out;
  readTokens(text, true, [&](const Token& t) {
    if (!out.empty()) out += ' ';
    const std::string_view bytes = text.substr(t.begin, t.end - t.begin);
    switch (t.kind) {
      case TokenKind::Text: out += "t(" + std::string(bytes) + ")"; break;
      case TokenKind::Comment: out += "c(" + std::string(bytes) + ")"; break;
      case TokenKind::Doctype: out += "d(" + std::string(bytes) + ")"; break;
      case TokenKind::Dropped: out += "x(" + std::string(bytes) + ")"; break;
      case TokenKind::StartTag:
      case TokenKind::EndTag:
        out += t.kind == TokenKind::StartTag ? "<" : "</";
        out += tagName(text, t);
        for (const Attribute& a : t.attributes) {
          out += " " + std::string(attributeName(text, a));
          if (a.valueEnd > a.nameEnd) out += "=[" + std::string(attributeValue(text, a)) + "]";
        }
        out += t.selfClosing ? "/>" : ">";
        break;
      case TokenKind::EndOfInput: break;
    }
  });
  return out;
}

}  // namespace vellumine::html::test
