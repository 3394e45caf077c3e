// Generic families of faces: a table of the faces documents commonly name, then what the
// document's font table says of a face (pitch, family, PANOSE digits), then words in the name.
// Known faces come before the font table because CJK faces are written as fixed-pitch "modern"
// there although they are drawn as ordinary serif or sans text.
#include "docx/font_families.h"

#include <array>
#include <optional>
#include <string>
#include <unordered_map>

#include "text/chartype.h"

namespace vellumine::docx {
namespace {

struct KnownFace {
  std::string_view name;
  GenericFamily family;
};

constexpr GenericFamily kSerif = GenericFamily::serif;
constexpr GenericFamily kSans = GenericFamily::sansSerif;
constexpr GenericFamily kMono = GenericFamily::monospace;
constexpr GenericFamily kCursive = GenericFamily::cursive;
constexpr GenericFamily kFantasy = GenericFamily::fantasy;

constexpr KnownFace kKnownFaces[] = {
    // Office's theme and body faces and their metric twins.
    {"Calibri", kSans}, {"Calibri Light", kSans}, {"Cambria", kSerif}, {"Cambria Math", kSerif},
    {"Aptos", kSans}, {"Aptos Display", kSans}, {"Aptos Narrow", kSans}, {"Aptos Mono", kMono},
    {"Aptos Serif", kSerif}, {"Carlito", kSans}, {"Caladea", kSerif}, {"Candara", kSans},
    {"Constantia", kSerif}, {"Corbel", kSans}, {"Consolas", kMono}, {"Segoe UI", kSans},
    {"Segoe UI Light", kSans}, {"Segoe UI Semibold", kSans}, {"Segoe Print", kCursive},
    {"Segoe Script", kCursive}, {"Segoe UI Symbol", kSans}, {"Segoe UI Emoji", kSans},
    // The classic faces.
    {"Arial", kSans}, {"Arial Narrow", kSans}, {"Arial Black", kSans}, {"Arial Unicode MS", kSans},
    {"Helvetica", kSans}, {"Helvetica Neue", kSans}, {"Verdana", kSans}, {"Tahoma", kSans},
    {"Trebuchet MS", kSans}, {"Century Gothic", kSans}, {"Franklin Gothic Book", kSans},
    {"Franklin Gothic Medium", kSans}, {"Gill Sans MT", kSans}, {"Lucida Sans", kSans},
    {"Lucida Sans Unicode", kSans}, {"Microsoft Sans Serif", kSans}, {"MS Sans Serif", kSans},
    {"Liberation Sans", kSans}, {"DejaVu Sans", kSans}, {"Open Sans", kSans}, {"Roboto", kSans},
    {"Lato", kSans}, {"Montserrat", kSans}, {"Times New Roman", kSerif}, {"Times", kSerif},
    {"Georgia", kSerif}, {"Garamond", kSerif}, {"Book Antiqua", kSerif}, {"Palatino Linotype", kSerif},
    {"Bookman Old Style", kSerif}, {"Century", kSerif}, {"Century Schoolbook", kSerif},
    {"Liberation Serif", kSerif}, {"DejaVu Serif", kSerif}, {"Courier New", kMono}, {"Courier", kMono},
    {"Lucida Console", kMono}, {"Liberation Mono", kMono}, {"DejaVu Sans Mono", kMono},
    {"Comic Sans MS", kCursive}, {"Brush Script MT", kCursive}, {"Monotype Corsiva", kCursive},
    {"Impact", kFantasy},
    // Symbol faces: whatever stands in for them, the characters are mapped to Unicode first.
    {"Symbol", kSerif}, {"Wingdings", kFantasy}, {"Wingdings 2", kFantasy}, {"Wingdings 3", kFantasy},
    {"Webdings", kFantasy},
    // East-Asian faces (font tables call many of them fixed-pitch "modern").
    {"MS Mincho", kSerif}, {"MS PMincho", kSerif}, {"MS Gothic", kSans}, {"MS PGothic", kSans},
    {"MS UI Gothic", kSans}, {"Yu Mincho", kSerif}, {"Yu Gothic", kSans}, {"Yu Gothic UI", kSans},
    {"Meiryo", kSans}, {"Meiryo UI", kSans}, {"SimSun", kSerif}, {"NSimSun", kSerif}, {"SimHei", kSans},
    {"DengXian", kSans}, {"Microsoft YaHei", kSans}, {"Microsoft JhengHei", kSans}, {"PMingLiU", kSerif},
    {"MingLiU", kSerif}, {"KaiTi", kSerif}, {"FangSong", kSerif}, {"Malgun Gothic", kSans},
    {"Batang", kSerif}, {"Gulim", kSans}, {"Dotum", kSans},
    // Complex-script faces.
    {"Arial Unicode", kSans}, {"Traditional Arabic", kSerif},
};

// Native names of east-Asian faces, as Word writes them in Japanese, Chinese and Korean documents.
constexpr KnownFace kNativeFaces[] = {
    {"\xEF\xBC\xAD\xEF\xBC\xB3 \xE6\x98\x8E\xE6\x9C\x9D", kSerif},            // ＭＳ 明朝
    {"\xEF\xBC\xAD\xEF\xBC\xB3 \xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF", kSans},  // ＭＳ ゴシック
    {"\xEF\xBC\xAD\xEF\xBC\xB3 \xEF\xBC\xB0\xE6\x98\x8E\xE6\x9C\x9D", kSerif},  // ＭＳ Ｐ明朝
    {"\xEF\xBC\xAD\xEF\xBC\xB3 \xEF\xBC\xB0\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF", kSans},  // ＭＳ Ｐゴシック
    {"\xE6\xB8\xB8\xE6\x98\x8E\xE6\x9C\x9D", kSerif},                           // 游明朝
    {"\xE6\xB8\xB8\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF", kSans},    // 游ゴシック
    {"\xE3\x83\xA1\xE3\x82\xA4\xE3\x83\xAA\xE3\x82\xAA", kSans},                // メイリオ
    {"\xE5\xAE\x8B\xE4\xBD\x93", kSerif},                                       // 宋体
    {"\xE9\xBB\x91\xE4\xBD\x93", kSans},                                        // 黑体
    {"\xE7\xAD\x89\xE7\xBA\xBF", kSans},                                        // 等线
    {"\xE5\xBE\xAE\xE8\xBD\xAF\xE9\x9B\x85\xE9\xBB\x91", kSans},                // 微软雅黑
    {"\xE6\x96\xB0\xE7\xB4\xB0\xE6\x98\x8E\xE9\xAB\x94", kSerif},               // 新細明體
    {"\xEB\xA7\x91\xEC\x9D\x80 \xEA\xB3\xA0\xEB\x94\x95", kSans},               // 맑은 고딕
    {"\xEB\xB0\x94\xED\x83\x95", kSerif},                                       // 바탕
};

struct NameWord {
  std::string_view word;
  GenericFamily family;
};

// Checked in order: "Mono" before "Sans" ("Noto Sans Mono"), "Sans" before "Serif" ("Microsoft
// Sans Serif").
constexpr NameWord kNameWords[] = {
    {"Mono", kMono}, {"Courier", kMono}, {"Console", kMono}, {"Code", kMono}, {"Typewriter", kMono},
    {"Sans", kSans}, {"Gothic", kSans}, {"Grotesk", kSans}, {"Arial", kSans}, {"Helvetica", kSans},
    {"Serif", kSerif}, {"Times", kSerif}, {"Roman", kSerif}, {"Mincho", kSerif}, {"Ming", kSerif},
    {"Song", kSerif}, {"Script", kCursive}, {"Hand", kCursive}, {"Brush", kCursive}, {"Symbol", kSerif},
};

bool containsCaseless(std::string_view text, std::string_view word) {
  if (word.size() > text.size()) return false;
  for (std::size_t at = 0; at + word.size() <= text.size(); ++at) {
    if (EqualsCaselessAt(text, at, word)) return true;
  }
  return false;
}

std::string lowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(AsciiLower(static_cast<unsigned char>(c)));
  return lower;
}

// Both tables by their names in lower case, built once: a face is looked up for every distinct
// run format of a document, so the lookup is a hash, not a walk over the tables.
const std::unordered_map<std::string, GenericFamily>& knownFaces() {
  static const std::unordered_map<std::string, GenericFamily> faces = [] {
    std::unordered_map<std::string, GenericFamily> map;
    for (const KnownFace& known : kKnownFaces) map.emplace(lowerAscii(known.name), known.family);
    for (const KnownFace& known : kNativeFaces) map.emplace(lowerAscii(known.name), known.family);
    return map;
  }();
  return faces;
}

std::optional<GenericFamily> knownFamily(std::string_view face) {
  const auto& faces = knownFaces();
  const auto it = faces.find(lowerAscii(face));
  if (it == faces.end()) return std::nullopt;
  return it->second;
}

// PANOSE: the first digit pair is the kind (2 text, 3 hand-written, 4 decorative, 5 symbol), the
// second the serif style (11-15 sans), the fourth the proportion (9 monospaced).
std::optional<GenericFamily> panoseFamily(std::string_view panose) {
  if (panose.size() < 8) return std::nullopt;
  auto digitPair = [&](std::size_t index) {
    const int high = AsciiHexValue(static_cast<unsigned char>(panose[index * 2]));
    const int low = AsciiHexValue(static_cast<unsigned char>(panose[index * 2 + 1]));
    return high < 0 || low < 0 ? -1 : high * 16 + low;
  };
  const int kind = digitPair(0), serifStyle = digitPair(1), proportion = digitPair(3);
  if (kind == 3) return kCursive;
  if (kind == 4) return kFantasy;
  if (kind != 2) return std::nullopt;
  if (proportion == 9) return kMono;
  if (serifStyle >= 11 && serifStyle <= 15) return kSans;
  if (serifStyle >= 2 && serifStyle <= 10) return kSerif;
  return std::nullopt;
}

std::optional<GenericFamily> fontTableFamily(const FontTable& fonts, std::string_view face) {
  const auto it = fonts.byName.find(std::string(face));
  if (it == fonts.byName.end()) return std::nullopt;
  const FontInfo& info = it->second;
  if (info.pitch == FontPitch::fixed) return kMono;
  switch (info.family) {
    case FontFamily::roman: return kSerif;
    case FontFamily::swiss: return kSans;
    // Word files faces of even stroke as "modern": monospaced ones, and some proportional ones
    // whose pitch then says variable.
    case FontFamily::modern: return info.pitch == FontPitch::variable ? kSans : kMono;
    case FontFamily::script: return kCursive;
    case FontFamily::decorative: return kFantasy;
    case FontFamily::auto_: break;
  }
  return panoseFamily(info.panose);
}

std::optional<GenericFamily> nameFamily(std::string_view face) {
  for (const NameWord& row : kNameWords) {
    if (containsCaseless(face, row.word)) return row.family;
  }
  return std::nullopt;
}

}  // namespace

GenericFamily genericFamily(const FontTable& fonts, std::string_view face) {
  if (auto family = knownFamily(face)) return *family;
  if (auto family = fontTableFamily(fonts, face)) return *family;
  if (auto family = nameFamily(face)) return *family;
  return kSans;
}

}  // namespace vellumine::docx
