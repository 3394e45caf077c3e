// The two escapes the converter needs, each for the one place its text goes: element content
// (names, initials and dates of comments, custom note marks) and double-quoted attribute values
// (link addresses, image sources).  Ampersands are left alone: the document's own entities stay.
#include "text/markup_escape.h"

namespace vellumine {

void appendEscaped(std::string& out, std::string_view text) {
  for (char ch : text) {
    if (ch == '<') {
      out += "&lt;";
    } else if (ch == '>') {
      out += "&gt;";
    } else {
      out += ch;
    }
  }
}

void appendQuotedValue(std::string& out, std::string_view value) {
  for (char ch : value) {
    if (ch == '"') {
      out += "&quot;";
    } else {
      out += ch;
    }
  }
}

}  // namespace vellumine
