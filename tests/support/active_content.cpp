// The judge reads Gumbo's tree, so its verdict rests on a parser other than ours and on values
// Gumbo decoded itself; its checks of addresses and style are written apart from src/html and
// are stricter (white space anywhere, any escape in style, is suspect).
#include "support/active_content.h"

#include <gumbo.h>

#include <algorithm>
#include <array>

namespace vellumine::test {

namespace {

constexpr std::array<std::string_view, 22> kForbiddenElements = {
    "applet",  "base",     "bgsound",  "embed",    "fencedframe", "form",   "frame",     "frameset",
    "iframe",  "isindex",  "link",     "noembed",  "noframes",    "noscript", "object",  "param",
    "plaintext", "portal", "script",   "template", "textarea",    "xmp"};

constexpr std::array<std::string_view, 14> kForbiddenAttributes = {
    "srcdoc", "srcset", "imagesrcset", "action",     "formaction", "ping",     "data",
    "codebase", "classid", "archive",  "xlink:href", "xml:base",   "manifest", "attributionsrc"};

constexpr std::array<std::string_view, 13> kLoadingStyle = {
    "url(",        "image(",  "image-set(", "cross-fade(", "element(",  "src(", "expression(",
    "@import",     "behavior", "binding",   "javascript:", "vbscript:", "\\"};

template <std::size_t N>
bool listed(const std::array<std::string_view, N>& list, std::string_view name) {
  return std::find(list.begin(), list.end(), name) != list.end();
}

std::string lowered(std::string_view text, bool dropBlanks) {
  std::string out;
  for (char c : text) {
    if (dropBlanks && static_cast<unsigned char>(c) <= 0x20) continue;
    out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return out;
}

bool startsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// A mail link may hand over subject, body, cc and bcc.  Its fields are split at every '?' and '&'
// and the names compared percent-decoded, the widest reading a mail program may take.
bool mailFieldsAreAllowed(const std::string& link) {
  std::size_t p = link.find_first_of("?&");
  while (p != std::string::npos) {
    const std::size_t next = link.find_first_of("?&", p + 1);
    const std::string field = link.substr(p + 1, next == std::string::npos ? std::string::npos : next - p - 1);
    std::string name;
    for (std::size_t i = 0; i < field.size() && field[i] != '='; ++i) {
      if (field[i] == '%' && i + 2 < field.size() && hexDigit(field[i + 1]) >= 0 && hexDigit(field[i + 2]) >= 0) {
        name += static_cast<char>(hexDigit(field[i + 1]) * 16 + hexDigit(field[i + 2]));
        i += 2;
      } else {
        name += field[i];
      }
    }
    name = lowered(name, false);  // an escape may stand for a capital
    if (name != "subject" && name != "body" && name != "cc" && name != "bcc") return false;
    p = next;
  }
  return true;
}

bool linkIsAllowed(std::string_view value) {
  const std::string v = lowered(value, true);
  if (startsWith(v, "mailto:")) return mailFieldsAreAllowed(v);
  return v.empty() || v[0] == '#' || startsWith(v, "http:") || startsWith(v, "https:");
}

bool sourceIsAllowed(std::string_view value) {
  const std::string v = lowered(value, true);
  for (std::string_view type : {"png", "jpeg", "jpg", "gif", "bmp", "webp"}) {
    if (startsWith(v, "data:image/" + std::string(type) + ";base64,")) return true;
  }
  if (v.empty()) return true;
  const std::size_t pathEnd = std::min(v.find_first_of("/\\?#"), v.size());
  return v[0] != '/' && v[0] != '\\' && v.find(':') >= pathEnd && v.find("..") == std::string::npos &&
         v.find("%2e") == std::string::npos && v.find("%2f") == std::string::npos &&
         v.find("%5c") == std::string::npos && !(v.size() >= 2 && v[1] == '|');
}

bool styleIsInert(std::string_view css) {
  const std::string v = lowered(css, true);
  return std::none_of(kLoadingStyle.begin(), kLoadingStyle.end(),
                      [&](std::string_view s) { return v.find(s) != std::string::npos; });
}

class Judge {
 public:
  std::vector<std::string> findings;

  void visit(const GumboNode* node, bool inHead) {
    if (node->type == GUMBO_NODE_COMMENT) findings.push_back("comment");
    if (node->type != GUMBO_NODE_ELEMENT && node->type != GUMBO_NODE_TEMPLATE && node->type != GUMBO_NODE_DOCUMENT) return;
    const GumboVector* children = &node->v.document.children;
    if (node->type != GUMBO_NODE_DOCUMENT) {
      const GumboElement& e = node->v.element;
      const std::string name = elementName(e);
      inHead = inHead || e.tag == GUMBO_TAG_HEAD;
      judgeElement(e, name, inHead);
      children = &e.children;
    }
    for (unsigned i = 0; i < children->length; ++i) visit(static_cast<const GumboNode*>(children->data[i]), inHead);
  }

 private:
  static std::string elementName(const GumboElement& e) {
    if (e.tag != GUMBO_TAG_UNKNOWN) return gumbo_normalized_tagname(e.tag);
    GumboStringPiece piece = e.original_tag;
    gumbo_tag_from_original_text(&piece);
    return lowered(std::string_view(piece.data, piece.length), false);
  }

  void judgeElement(const GumboElement& e, const std::string& name, bool inHead) {
    if (e.tag_namespace != GUMBO_NAMESPACE_HTML) findings.push_back("foreign element " + name);
    if (listed(kForbiddenElements, name)) findings.push_back("element " + name);
    if ((name == "style" || name == "title") && !inHead) findings.push_back(name + " outside the head");
    if (name == "style" && e.children.length > 0) {
      const auto* text = static_cast<const GumboNode*>(e.children.data[0]);
      if (!styleIsInert(text->v.text.text)) findings.push_back("style sheet that loads");
    }
    for (unsigned i = 0; i < e.attributes.length; ++i) {
      const auto* a = static_cast<const GumboAttribute*>(e.attributes.data[i]);
      judgeAttribute(name, a->name, a->value);
    }
  }

  void judgeAttribute(const std::string& element, std::string_view name, std::string_view value) {
    const std::string on = " on " + element + ": " + std::string(value);
    if (startsWith(name, "on") || listed(kForbiddenAttributes, name)) findings.push_back("attribute " + std::string(name) + on);
    if ((name == "href" || name == "cite" || name == "longdesc" || name == "usemap") && !linkIsAllowed(value))
      findings.push_back("link" + on);
    if ((name == "src" || name == "poster" || name == "background" || name == "lowsrc" || name == "dynsrc") &&
        !sourceIsAllowed(value))
      findings.push_back("source" + on);
    if (name == "style" && !styleIsInert(value)) findings.push_back("style that loads" + on);
    if (element == "meta" && name == "http-equiv" && lowered(value, true) != "content-type")
      findings.push_back("meta http-equiv " + std::string(value));
  }
};

}  // namespace

std::vector<std::string> findActiveContent(std::string_view page) {
  Judge judge;
  if (page.find('\x1b') != std::string_view::npos) judge.findings.push_back("ESC byte (ISO-2022-JP shifts)");
  GumboOutput* output = gumbo_parse_with_options(&kGumboDefaultOptions, page.data(), page.size());
  judge.visit(output->document, false);
  gumbo_destroy_output(&kGumboDefaultOptions, output);
  return judge.findings;
}

}  // namespace vellumine::test
