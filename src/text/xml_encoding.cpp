// Reading an XML part's encoding as an XML parser does: a byte order mark first, then how the
// declaration's "<?" is written (UTF-16, UTF-32, EBCDIC), then the declaration's encoding name in
// an ASCII-compatible part.  What is not UTF-8 already goes through convertToUtf8, and the
// declaration that named it is rewritten to name UTF-8, so no later reader converts it again.
#include "text/xml_encoding.h"

#include <algorithm>
#include <optional>

#include "text/chartype.h"
#include "text/convert_to_utf8.h"
#include "text/encoding.h"

namespace vellumine {

namespace {

using namespace std::string_view_literals;

// A part whose first bytes say how it is stored.  Longer byte order marks come before the shorter
// ones they start with; an empty converter name is EBCDIC, which is refused.
struct Signature {
  std::string_view start;
  std::string_view converter;
  std::size_t unitBytes;
  std::size_t byteOrderMark;
};

constexpr Signature kSignatures[] = {
    {"\x00\x00\xFE\xFF"sv, "UTF-32BE", 4, 4},
    {"\xFF\xFE\x00\x00"sv, "UTF-32LE", 4, 4},
    {"\xFE\xFF"sv, "UTF-16BE", 2, 2},
    {"\xFF\xFE"sv, "UTF-16LE", 2, 2},
    {"\x00\x00\x00<"sv, "UTF-32BE", 4, 0},
    {"<\x00\x00\x00"sv, "UTF-32LE", 4, 0},
    {"\x00<\x00?"sv, "UTF-16BE", 2, 0},
    {"<\x00?\x00"sv, "UTF-16LE", 2, 0},
    {"\x4C\x6F\xA7\x94"sv, ""sv, 1, 0},  // "<?xm" in EBCDIC
};

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The names browsers and XML writers use for UTF-8.
constexpr std::string_view kUtf8Labels[] = {"utf-8",         "utf8",          "unicode-1-1-utf-8",
                                            "unicode11utf8", "unicode20utf8", "x-unicode20utf8"};

// Labels that writers use for a smaller standard encoding while they write its Windows superset
// (glibc's SHIFT_JIS even reads 0x5C as a yen sign, where Windows has a backslash).
struct Superset {
  std::string_view label;
  std::string_view converter;
};

constexpr Superset kSupersets[] = {
    {"shift_jis", "CP932"},   {"shift-jis", "CP932"},        {"sjis", "CP932"},
    {"x-sjis", "CP932"},      {"ms_kanji", "CP932"},         {"csshiftjis", "CP932"},
    {"windows-31j", "CP932"}, {"ms932", "CP932"},            {"gb2312", "GBK"},
    {"csgb2312", "GBK"},      {"gb_2312-80", "GBK"},         {"chinese", "GBK"},
    {"iso-ir-58", "GBK"},     {"x-gbk", "GBK"},              {"big5", "BIG5-HKSCS"},
    {"csbig5", "BIG5-HKSCS"}, {"cn-big5", "BIG5-HKSCS"},     {"x-x-big5", "BIG5-HKSCS"},
    {"euc-kr", "CP949"},      {"ks_c_5601-1987", "CP949"},   {"windows-949", "CP949"},
    {"iso-8859-1", "WINDOWS-1252"}, {"iso_8859-1", "WINDOWS-1252"}, {"latin1", "WINDOWS-1252"},
};

// A declaration longer than this is not looked for: its end is searched for in these bytes only.
constexpr std::size_t kLongestDeclaration = 1024;
// An encoding name longer than this names nothing iconv knows.
constexpr std::size_t kLongestEncodingName = 64;

struct ValueRange {
  std::size_t begin, end;
};

bool isXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The value of the encoding pseudo-attribute of the declaration that starts text at `at`
// ("<?xml version="1.0" encoding="..."?>"); nullopt when there is no well-formed one.
std::optional<ValueRange> findDeclaredEncoding(std::string_view text, std::size_t at) {
  constexpr std::string_view kOpen = "<?xml";
  if (text.substr(at, kOpen.size()) != kOpen) return std::nullopt;
  std::size_t p = at + kOpen.size();
  const std::size_t end = text.substr(0, at + kLongestDeclaration).find("?>", p);
  if (end == std::string_view::npos || p == end || !isXmlSpace(text[p])) return std::nullopt;
  auto skipSpace = [&] {
    while (p < end && isXmlSpace(text[p])) ++p;
  };
  while (true) {
    skipSpace();
    const std::size_t nameBegin = p;
    while (p < end && IsAsciiLetter(static_cast<unsigned char>(text[p]))) ++p;
    const std::string_view name = text.substr(nameBegin, p - nameBegin);
    skipSpace();
    if (name.empty() || p >= end || text[p] != '=') return std::nullopt;
    ++p;
    skipSpace();
    if (p >= end || (text[p] != '"' && text[p] != '\'')) return std::nullopt;
    const std::size_t close = text.find(text[p], p + 1);
    if (close == std::string_view::npos || close > end) return std::nullopt;
    if (name == "encoding") return ValueRange{p + 1, close};
    p = close + 1;
  }
}

// EncName of the XML grammar, [A-Za-z] ([A-Za-z0-9._] | '-')*, and short: nothing else reaches
// iconv (no "//" suffixes, no paths).
bool isEncodingName(std::string_view name) {
  if (name.empty() || name.size() > kLongestEncodingName || !IsAsciiLetter(static_cast<unsigned char>(name[0])))
    return false;
  return std::all_of(name.begin(), name.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return IsAsciiLetter(u) || IsAsciiDigit(u) || c == '.' || c == '_' || c == '-';
  });
}

bool isUtf8Label(std::string_view name) {
  return std::any_of(std::begin(kUtf8Labels), std::end(kUtf8Labels),
                     [&](std::string_view label) { return EqualsCaseless(name, label); });
}

std::string converterFor(std::string_view label) {
  for (const Superset& s : kSupersets) {
    if (EqualsCaseless(label, s.label)) return std::string(s.converter);
  }
  return std::string(label);
}

// text with the declaration's encoding value (at range) replaced by "UTF-8".
std::string namingUtf8(std::string text, ValueRange range) {
  return text.replace(range.begin, range.end - range.begin, "UTF-8");
}

// Converted text: its declaration, if it names an encoding, names UTF-8 now.
std::string declaredUtf8(std::string text) {
  const std::optional<ValueRange> range = findDeclaredEncoding(text, 0);
  return range ? namingUtf8(std::move(text), *range) : std::move(text);
}

// The part converted from the encoding its declaration names; nullopt when iconv knows no such
// encoding, or when that encoding does not read the declaration as it is written (a part in
// ASCII-compatible bytes that claims UTF-16 or EBCDIC is not in it).
std::optional<std::string> convertDeclared(std::string_view part, std::string_view label, std::size_t declarationEnd) {
  if (!isEncodingName(label)) return std::nullopt;
  const std::string converter = converterFor(label);
  const std::string_view declaration = part.substr(0, declarationEnd);
  const std::optional<std::string> readBack = convertToUtf8(declaration, converter);
  if (!readBack || *readBack != declaration) return std::nullopt;
  return convertToUtf8(part, converter);
}

}  // namespace

std::string xmlPartToUtf8(std::string bytes) {
  const std::string_view part = bytes;
  for (const Signature& signature : kSignatures) {
    if (part.substr(0, signature.start.size()) != signature.start) continue;
    if (signature.converter.empty()) throw EEncodingError(std::string(kEbcdicPartMessage));
    std::optional<std::string> text =
        convertToUtf8(part.substr(signature.byteOrderMark), std::string(signature.converter), signature.unitBytes);
    if (text) return declaredUtf8(std::move(*text));
    break;  // a C library without UTF-16: read as the bytes stand
  }
  const bool utf8Mark = part.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark;
  const std::optional<ValueRange> label = findDeclaredEncoding(part, utf8Mark ? kUtf8ByteOrderMark.size() : 0);
  if (!label) return ValidUtf8(std::move(bytes));
  const std::string_view name = part.substr(label->begin, label->end - label->begin);
  if (isUtf8Label(name)) return ValidUtf8(std::move(bytes));
  // A UTF-8 byte order mark outweighs the declaration.
  if (!utf8Mark) {
    const std::size_t declarationEnd = part.find("?>", label->end) + 2;
    if (std::optional<std::string> text = convertDeclared(part, name, declarationEnd)) return declaredUtf8(std::move(*text));
  }
  return ValidUtf8(namingUtf8(std::move(bytes), *label));
}

}  // namespace vellumine
