// The escapes of the page writer.  One table tells which bytes need care; runs of plain bytes are
// appended whole, so a long text costs one pass.  UTF-8 is checked sequence by sequence (no
// overlong forms, no surrogates, nothing past U+10FFFF).
#include "render/html_escape.h"

#include <array>
#include <cstdint>

#include "text/chartype.h"

namespace vellumine::render {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
constexpr char kHexDigits[] = "0123456789ABCDEF";

// Bytes that plain text may carry as they are: printable ASCII but & < > " '.
constexpr std::array<bool, 256> buildPlainTable() {
  std::array<bool, 256> plain{};
  for (int c = 0x20; c < 0x7F; ++c) plain[static_cast<std::size_t>(c)] = true;
  for (char c : {'&', '<', '>', '"', '\''}) plain[static_cast<unsigned char>(c)] = false;
  plain['\t'] = true;
  return plain;
}
constexpr std::array<bool, 256> kPlain = buildPlainTable();

// The length of the valid UTF-8 sequence at text[at] (a lead byte >= 0x80), 0 when it is not one.
std::size_t utf8SequenceLength(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[at + k]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // overlong
    if (lead == 0xED) high = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;   // overlong
    if (lead == 0xF4) high = 0x8F;  // past U+10FFFF
  } else {
    return 0;
  }
  if (text.size() - at < length) return 0;
  if (byte(1) < low || byte(1) > high) return 0;
  for (std::size_t k = 2; k < length; ++k) {
    if (byte(k) < 0x80 || byte(k) > 0xBF) return 0;
  }
  return length;
}

bool isC1Control(std::string_view text, std::size_t at, std::size_t length) {
  return length == 2 && static_cast<unsigned char>(text[at]) == 0xC2 &&
         static_cast<unsigned char>(text[at + 1]) < 0xA0;
}

void appendEscapedText(std::string& out, std::string_view text, bool quotes) {
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t plainEnd = at;
    while (plainEnd < text.size() && kPlain[static_cast<unsigned char>(text[plainEnd])]) ++plainEnd;
    out.append(text, at, plainEnd - at);
    at = plainEnd;
    if (at == text.size()) break;
    const unsigned char ch = static_cast<unsigned char>(text[at]);
    if (ch >= 0x80) {
      const std::size_t length = utf8SequenceLength(text, at);
      if (length == 0) {
        out += kReplacement;
        ++at;
      } else {
        if (!isC1Control(text, at, length)) out.append(text, at, length);
        at += length;
      }
      continue;
    }
    switch (ch) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += quotes ? "&quot;" : "\""; break;
      case '\'': out += quotes ? "&#39;" : "'"; break;
      case '\n':
      case '\r': out += ' '; break;
      default: break;  // other control characters are left out
    }
    ++at;
  }
}

void appendHexByte(std::string& out, unsigned char byte) {
  out += kHexDigits[byte >> 4];
  out += kHexDigits[byte & 0x0F];
}

}  // namespace

void appendHtmlText(std::string& out, std::string_view text) { appendEscapedText(out, text, false); }

void appendHtmlAttribute(std::string& out, std::string_view value) { appendEscapedText(out, value, true); }

void appendCssString(std::string& out, std::string_view value) {
  out += '"';
  std::size_t at = 0;
  while (at < value.size()) {
    const unsigned char ch = static_cast<unsigned char>(value[at]);
    if (IsAsciiLetter(ch) || IsAsciiDigit(ch) || ch == ' ' || ch == '-' || ch == '_' || ch == '.' || ch == ',') {
      out += static_cast<char>(ch);
      ++at;
    } else if (ch >= 0x80) {
      const std::size_t length = utf8SequenceLength(value, at);
      if (length == 0) {
        out += "\\FFFD ";
        ++at;
      } else {
        if (!isC1Control(value, at, length)) out.append(value, at, length);
        at += length;
      }
    } else {
      if (!IsAsciiControl(ch)) {
        out += '\\';
        appendHexByte(out, ch);
        out += ' ';
      }
      ++at;
    }
  }
  out += '"';
}

void appendUrlPath(std::string& out, std::string_view path) {
  for (char c : path) {
    const unsigned char ch = static_cast<unsigned char>(c);
    if (IsAsciiLetter(ch) || IsAsciiDigit(ch) || ch == '-' || ch == '.' || ch == '_' || ch == '~' || ch == '/') {
      out += c;
    } else {
      out += '%';
      appendHexByte(out, ch);
    }
  }
}

void appendIdText(std::string& out, std::string_view name) {
  for (char c : name) {
    const unsigned char ch = static_cast<unsigned char>(c);
    if (IsAsciiLetter(ch) || IsAsciiDigit(ch) || ch == '-' || ch == '_') {
      out += c;
    } else {
      out += '~';
      appendHexByte(out, ch);
    }
  }
}

}  // namespace vellumine::render
