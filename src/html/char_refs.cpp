// Character references in attribute values: "&#106;", "&#x6A", "&colon;", "&amp" and the rest,
// with the legacy rule that a reference without ';' followed by '=' or a letter or digit stays as
// written.  One left-to-right pass; a reference reads at most 32 name bytes ahead.
#include "html/char_refs.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "text/chartype.h"

namespace vellumine::html {

namespace {

struct NamedReference {
  std::string_view name;   // without '&' and ';'
  std::string_view value;  // UTF-8
  bool semicolonOptional;  // a legacy name, decoded without ';' too
};

// Generated from the HTML named character reference table: every name whose value holds an ASCII
// character, and every legacy name.  Sorted by name (byte order) for the binary search.
constexpr NamedReference kNamedReferences[] = {
    {"AElig", "\xc3\x86", true},
    {"AMP", "&", true},
    {"Aacute", "\xc3\x81", true},
    {"Acirc", "\xc3\x82", true},
    {"Agrave", "\xc3\x80", true},
    {"Aring", "\xc3\x85", true},
    {"Atilde", "\xc3\x83", true},
    {"Auml", "\xc3\x84", true},
    {"COPY", "\xc2\xa9", true},
    {"Ccedil", "\xc3\x87", true},
    {"DiacriticalGrave", "`", false},
    {"ETH", "\xc3\x90", true},
    {"Eacute", "\xc3\x89", true},
    {"Ecirc", "\xc3\x8a", true},
    {"Egrave", "\xc3\x88", true},
    {"Euml", "\xc3\x8b", true},
    {"GT", ">", true},
    {"Hat", "^", false},
    {"Iacute", "\xc3\x8d", true},
    {"Icirc", "\xc3\x8e", true},
    {"Igrave", "\xc3\x8c", true},
    {"Iuml", "\xc3\x8f", true},
    {"LT", "<", true},
    {"NewLine", "\x0a", false},
    {"Ntilde", "\xc3\x91", true},
    {"Oacute", "\xc3\x93", true},
    {"Ocirc", "\xc3\x94", true},
    {"Ograve", "\xc3\x92", true},
    {"Oslash", "\xc3\x98", true},
    {"Otilde", "\xc3\x95", true},
    {"Ouml", "\xc3\x96", true},
    {"QUOT", "\x22", true},
    {"REG", "\xc2\xae", true},
    {"THORN", "\xc3\x9e", true},
    {"Tab", "\x09", false},
    {"Uacute", "\xc3\x9a", true},
    {"Ucirc", "\xc3\x9b", true},
    {"Ugrave", "\xc3\x99", true},
    {"UnderBar", "_", false},
    {"Uuml", "\xc3\x9c", true},
    {"VerticalLine", "|", false},
    {"Yacute", "\xc3\x9d", true},
    {"aacute", "\xc3\xa1", true},
    {"acirc", "\xc3\xa2", true},
    {"acute", "\xc2\xb4", true},
    {"aelig", "\xc3\xa6", true},
    {"agrave", "\xc3\xa0", true},
    {"amp", "&", true},
    {"apos", "'", false},
    {"aring", "\xc3\xa5", true},
    {"ast", "*", false},
    {"atilde", "\xc3\xa3", true},
    {"auml", "\xc3\xa4", true},
    {"bne", "=\xe2\x83\xa5", false},
    {"brvbar", "\xc2\xa6", true},
    {"bsol", "\x5c", false},
    {"ccedil", "\xc3\xa7", true},
    {"cedil", "\xc2\xb8", true},
    {"cent", "\xc2\xa2", true},
    {"colon", ":", false},
    {"comma", ",", false},
    {"commat", "@", false},
    {"copy", "\xc2\xa9", true},
    {"curren", "\xc2\xa4", true},
    {"deg", "\xc2\xb0", true},
    {"divide", "\xc3\xb7", true},
    {"dollar", "$", false},
    {"eacute", "\xc3\xa9", true},
    {"ecirc", "\xc3\xaa", true},
    {"egrave", "\xc3\xa8", true},
    {"equals", "=", false},
    {"eth", "\xc3\xb0", true},
    {"euml", "\xc3\xab", true},
    {"excl", "!", false},
    {"fjlig", "fj", false},
    {"frac12", "\xc2\xbd", true},
    {"frac14", "\xc2\xbc", true},
    {"frac34", "\xc2\xbe", true},
    {"grave", "`", false},
    {"gt", ">", true},
    {"iacute", "\xc3\xad", true},
    {"icirc", "\xc3\xae", true},
    {"iexcl", "\xc2\xa1", true},
    {"igrave", "\xc3\xac", true},
    {"iquest", "\xc2\xbf", true},
    {"iuml", "\xc3\xaf", true},
    {"laquo", "\xc2\xab", true},
    {"lbrace", "{", false},
    {"lbrack", "[", false},
    {"lcub", "{", false},
    {"lowbar", "_", false},
    {"lpar", "(", false},
    {"lsqb", "[", false},
    {"lt", "<", true},
    {"macr", "\xc2\xaf", true},
    {"micro", "\xc2\xb5", true},
    {"midast", "*", false},
    {"middot", "\xc2\xb7", true},
    {"nbsp", "\xc2\xa0", true},
    {"not", "\xc2\xac", true},
    {"ntilde", "\xc3\xb1", true},
    {"num", "#", false},
    {"nvgt", ">\xe2\x83\x92", false},
    {"nvlt", "<\xe2\x83\x92", false},
    {"oacute", "\xc3\xb3", true},
    {"ocirc", "\xc3\xb4", true},
    {"ograve", "\xc3\xb2", true},
    {"ordf", "\xc2\xaa", true},
    {"ordm", "\xc2\xba", true},
    {"oslash", "\xc3\xb8", true},
    {"otilde", "\xc3\xb5", true},
    {"ouml", "\xc3\xb6", true},
    {"para", "\xc2\xb6", true},
    {"percnt", "%", false},
    {"period", ".", false},
    {"plus", "+", false},
    {"plusmn", "\xc2\xb1", true},
    {"pound", "\xc2\xa3", true},
    {"quest", "\x3f", false},
    {"quot", "\x22", true},
    {"raquo", "\xc2\xbb", true},
    {"rbrace", "}", false},
    {"rbrack", "]", false},
    {"rcub", "}", false},
    {"reg", "\xc2\xae", true},
    {"rpar", ")", false},
    {"rsqb", "]", false},
    {"sect", "\xc2\xa7", true},
    {"semi", ";", false},
    {"shy", "\xc2\xad", true},
    {"sol", "/", false},
    {"sup1", "\xc2\xb9", true},
    {"sup2", "\xc2\xb2", true},
    {"sup3", "\xc2\xb3", true},
    {"szlig", "\xc3\x9f", true},
    {"thorn", "\xc3\xbe", true},
    {"times", "\xc3\x97", true},
    {"uacute", "\xc3\xba", true},
    {"ucirc", "\xc3\xbb", true},
    {"ugrave", "\xc3\xb9", true},
    {"uml", "\xc2\xa8", true},
    {"uuml", "\xc3\xbc", true},
    {"verbar", "|", false},
    {"vert", "|", false},
    {"yacute", "\xc3\xbd", true},
    {"yen", "\xc2\xa5", true},
    {"yuml", "\xc3\xbf", true},
};

constexpr std::size_t kLongestName = 32;  // the longest name of the full table

const NamedReference* findName(std::string_view name) {
  const auto* end = std::end(kNamedReferences);
  const auto* hit = std::lower_bound(std::begin(kNamedReferences), end, name,
                                     [](const NamedReference& r, std::string_view n) { return r.name < n; });
  return hit != end && hit->name == name ? hit : nullptr;
}

// What browsers put for the C1 code points 0x80-0x9F written as numeric references (windows-1252).
constexpr std::array<std::uint16_t, 32> kC1Replacements = {
    0x20AC, 0x81,   0x201A, 0x192,  0x201E, 0x2026, 0x2020, 0x2021, 0x2C6,  0x2030, 0x160,
    0x2039, 0x152,  0x8D,   0x17D,  0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x2DC,  0x2122, 0x161,  0x203A, 0x153,  0x9D,   0x17E,  0x178};

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

void appendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

void appendCodePoint(std::string& out, std::uint32_t cp) {
  if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    out += kReplacementCharacter;
  } else if (cp >= 0x80 && cp <= 0x9F) {
    appendUtf8(out, kC1Replacements[cp - 0x80]);
  } else {
    appendUtf8(out, cp);
  }
}

int digitValue(char c, bool hex) {
  const auto u = static_cast<unsigned char>(c);
  if (IsAsciiDigit(u)) return c - '0';
  if (hex) return AsciiHexValue(u);
  return -1;
}

// "&#..." at raw[at]: appends the character and returns the position after the reference, or at
// when there are no digits (then the bytes are text).
std::size_t decodeNumeric(std::string_view raw, std::size_t at, std::string& out) {
  std::size_t p = at + 2;
  const bool hex = p < raw.size() && (raw[p] == 'x' || raw[p] == 'X');
  if (hex) ++p;
  const std::size_t digits = p;
  std::uint32_t cp = 0;
  for (int d; p < raw.size() && (d = digitValue(raw[p], hex)) >= 0; ++p) {
    cp = std::min<std::uint32_t>(cp * (hex ? 16 : 10) + static_cast<std::uint32_t>(d), 0x110000);
  }
  if (p == digits) return at;
  if (p < raw.size() && raw[p] == ';') ++p;
  appendCodePoint(out, cp);
  return p;
}

// "&name" at raw[at]: the longest name of the table that the text starts with, as browsers match.
std::size_t decodeNamed(std::string_view raw, std::size_t at, std::string& out) {
  std::size_t runEnd = at + 1;
  while (runEnd < raw.size() && runEnd - at - 1 < kLongestName && IsAsciiLetter(static_cast<unsigned char>(raw[runEnd]))) ++runEnd;
  while (runEnd < raw.size() && runEnd - at - 1 < kLongestName && IsAsciiDigit(static_cast<unsigned char>(raw[runEnd]))) ++runEnd;
  const std::string_view run = raw.substr(at + 1, runEnd - at - 1);
  if (runEnd < raw.size() && raw[runEnd] == ';') {
    if (const NamedReference* r = findName(run)) {
      out += r->value;
      return runEnd + 1;
    }
  }
  for (std::size_t length = run.size(); length >= 2; --length) {
    const NamedReference* r = findName(run.substr(0, length));
    if (r == nullptr || !r->semicolonOptional) continue;
    const std::size_t after = at + 1 + length;
    const unsigned char next = after < raw.size() ? static_cast<unsigned char>(raw[after]) : ' ';
    if (next == '=' || IsAsciiLetter(next) || IsAsciiDigit(next)) return at;  // "&notit=", "&ampx"
    out += r->value;
    return after;
  }
  return at;
}

// Appends raw's decoded bytes to buffer and, when asked, the raw start of each.
void decodeInto(std::string_view raw, std::string& buffer, std::vector<std::size_t>* rawStart) {
  for (std::size_t p = 0; p < raw.size();) {
    const std::size_t pieceStart = p;
    const char c = raw[p];
    std::size_t after = p;
    if (c == '&' && p + 1 < raw.size()) {
      after = raw[p + 1] == '#' ? decodeNumeric(raw, p, buffer) : decodeNamed(raw, p, buffer);
    }
    if (after != p) {
      p = after;
    } else if (c == '\0') {
      buffer += kReplacementCharacter;
      ++p;
    } else {
      buffer += c;
      ++p;
    }
    if (rawStart != nullptr) rawStart->resize(buffer.size(), pieceStart);
  }
  if (rawStart != nullptr) rawStart->push_back(raw.size());
}

}  // namespace

std::string_view decodeAttributeValue(std::string_view raw, std::string& buffer) {
  // Two byte searches are much faster than find_first_of, which tries each byte of the set.
  if (raw.find('&') == std::string_view::npos && raw.find('\0') == std::string_view::npos) return raw;
  buffer.clear();
  buffer.reserve(raw.size());
  decodeInto(raw, buffer, nullptr);
  return buffer;
}

void decodeAttributeValueMapped(std::string_view raw, std::string& buffer, std::vector<std::size_t>& rawStart) {
  buffer.clear();
  buffer.reserve(raw.size());
  rawStart.clear();
  rawStart.reserve(raw.size() + 1);
  decodeInto(raw, buffer, &rawStart);
}

}  // namespace vellumine::html
