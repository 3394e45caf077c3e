// One scan over the style text that cuts it where a browser's CSS parser does (';' outside
// brackets, '{' and '}'), and reads each piece as the parser would see its names: comments and
// white space gone, escapes ("\75 rl") decoded, letters folded.  A piece whose reading holds a
// loading or running construct is unsafe, and so is one with a comment whose own reading holds
// one: a browser that reads the page in another encoding may not see the comment (css_policy.h).
#include "html/css_policy.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "text/chartype.h"

namespace vellumine::html {

namespace {

constexpr std::array<std::string_view, 12> kUnsafeReadings = {
    "url(",    "image(",   "image-set(", "cross-fade(", "element(",  "src(",
    "expression(", "@import", "behavior", "binding",    "javascript:", "vbscript:"};

// Appended for a decoded escape that is not ASCII: it can complete no name that matters here.
constexpr char kOtherCharacter = '\x80';

bool isCssNewline(char c) { return c == '\n' || c == '\r' || c == '\f'; }

bool holdsUnsafeReading(std::string_view reading) {
  for (std::string_view needle : kUnsafeReadings) {
    if (reading.find(needle) != std::string_view::npos) return true;
  }
  return false;
}
bool isCssSpace(char c) { return c == ' ' || c == '\t' || isCssNewline(c); }

class StyleScan {
 public:
  StyleScan(std::string_view css, bool declarationsOnly, std::vector<ByteRange>* unsafe)
      : css_(css), declarationsOnly_(declarationsOnly), unsafe_(unsafe) {}

  // False when the text is not well formed (or, for declarations only, on the first unsafe one).
  bool run();

 private:
  bool readComment();
  bool readString();
  bool readEscape();
  std::size_t decodeEscape(std::size_t at, std::string& reading) const;
  bool openBlock();
  bool closeBlock();
  void endPiece(std::size_t end);
  bool pieceIsUnsafe() const;
  static void readInto(std::string& reading, char c) {
    if (!isCssSpace(c)) reading += static_cast<char>(AsciiLower(static_cast<unsigned char>(c)));
  }
  void read(char c) { readInto(reading_, c); }
  void clearPiece() {
    reading_.clear();
    commentUnsafe_ = false;
  }

  std::string_view css_;
  bool declarationsOnly_;
  std::vector<ByteRange>* unsafe_;
  std::size_t p_ = 0;
  std::size_t pieceStart_ = 0;
  std::string reading_;     // the current piece as the parser reads its names
  std::string commentReading_;
  bool commentUnsafe_ = false;  // a comment of the current piece reads as unsafe
  int brackets_ = 0;        // open ( and [
  int depth_ = 0;           // open {
  int droppedRuleDepth_ = -1;  // the depth of a rule that goes whole (its prelude was unsafe)
  std::size_t droppedRuleStart_ = 0;
  bool sawUnsafe_ = false;
};

bool StyleScan::run() {
  while (p_ < css_.size()) {
    const char c = css_[p_];
    bool ok = true;
    if (c == '/' && p_ + 1 < css_.size() && css_[p_ + 1] == '*') {
      ok = readComment();
    } else if (c == '"' || c == '\'') {
      ok = readString();
    } else if (c == '\\') {
      ok = readEscape();
    } else if (c == '{') {
      ok = openBlock();
    } else if (c == '}') {
      ok = closeBlock();
    } else if (c == ';' && brackets_ == 0) {
      endPiece(p_ + 1);
      ++p_;
    } else {
      if (c == '(' || c == '[') ++brackets_;
      if ((c == ')' || c == ']') && --brackets_ < 0) return false;
      read(c);
      ++p_;
    }
    if (!ok || (declarationsOnly_ && sawUnsafe_)) return false;
  }
  if (brackets_ != 0 || depth_ != 0) return false;
  endPiece(css_.size());
  return !(declarationsOnly_ && sawUnsafe_);
}

bool StyleScan::readComment() {
  const std::size_t close = css_.find("*/", p_ + 2);
  if (close == std::string_view::npos) return false;
  commentReading_.clear();
  for (std::size_t i = p_ + 2; i < close;) {
    if (css_[i] == '\\') {
      i = std::min(decodeEscape(i, commentReading_), close);
    } else {
      readInto(commentReading_, css_[i++]);
    }
  }
  if (holdsUnsafeReading(commentReading_)) commentUnsafe_ = true;
  p_ = close + 2;
  return true;
}

// A string's content is read too: "url(" inside quotes is harmless, but counting it costs a
// declaration at worst, and it keeps the reading simple.
bool StyleScan::readString() {
  const char quote = css_[p_];
  for (std::size_t i = p_ + 1; i < css_.size(); ++i) {
    const char c = css_[i];
    if (c == quote) {
      p_ = i + 1;
      return true;
    }
    if (isCssNewline(c)) return false;  // a string broken by a line end
    if (c == '\\') {
      ++i;
      if (i < css_.size() && !isCssNewline(css_[i])) read(css_[i]);
      continue;
    }
    read(c);
  }
  return false;
}

bool StyleScan::readEscape() {
  if (p_ + 1 >= css_.size() || isCssNewline(css_[p_ + 1])) return false;
  p_ = decodeEscape(p_, reading_);
  return true;
}

// "\75", "\000075 ", "\u" at `at`: reads the character the escape stands for; returns the
// position after it.
std::size_t StyleScan::decodeEscape(std::size_t at, std::string& reading) const {
  std::size_t i = at + 1;
  if (i >= css_.size()) return i;
  std::uint32_t cp = 0;
  std::size_t digits = 0;
  while (i < css_.size() && digits < 6 && IsAsciiHexDigit(static_cast<unsigned char>(css_[i]))) {
    cp = cp * 16 + static_cast<std::uint32_t>(AsciiHexValue(static_cast<unsigned char>(css_[i])));
    ++i;
    ++digits;
  }
  if (digits == 0) {
    readInto(reading, css_[i]);
    return i + 1;
  }
  if (i < css_.size() && isCssSpace(css_[i])) ++i;  // one white space ends a hex escape
  if (cp > 0x20 && cp < 0x80) {
    readInto(reading, static_cast<char>(cp));
  } else if (cp >= 0x80) {
    reading += kOtherCharacter;
  }
  return i;
}

bool StyleScan::openBlock() {
  if (brackets_ != 0 || declarationsOnly_) return false;
  if (droppedRuleDepth_ < 0 && pieceIsUnsafe()) {
    droppedRuleDepth_ = depth_;
    droppedRuleStart_ = pieceStart_;
  }
  ++depth_;
  ++p_;
  pieceStart_ = p_;
  clearPiece();
  return true;
}

bool StyleScan::closeBlock() {
  if (brackets_ != 0 || depth_ == 0) return false;
  endPiece(p_);  // the block's last declaration needs no ';'
  --depth_;
  ++p_;
  if (droppedRuleDepth_ == depth_) {
    unsafe_->push_back({droppedRuleStart_, p_});
    droppedRuleDepth_ = -1;
  }
  pieceStart_ = p_;
  return true;
}

void StyleScan::endPiece(std::size_t end) {
  if (droppedRuleDepth_ < 0 && pieceIsUnsafe()) {
    sawUnsafe_ = true;
    if (unsafe_ != nullptr) unsafe_->push_back({pieceStart_, end});
  }
  pieceStart_ = end;
  clearPiece();
}

bool StyleScan::pieceIsUnsafe() const { return commentUnsafe_ || holdsUnsafeReading(reading_); }

// The bytes a legacy multibyte encoding may take as the second half of a character, among those
// the style checks give a meaning.
bool isStructuralTrailByte(char c) { return c == '\\' || c == '[' || c == ']' || c == '{' || c == '}'; }

}  // namespace

bool mayLoad(std::string_view css) {
  return css.find('(') != std::string_view::npos || css.find('@') != std::string_view::npos;
}

bool isInertDeclarations(std::string_view css) {
  if (!mayLoad(css)) return true;
  return StyleScan(css, true, nullptr).run();
}

bool findUnsafeStyleRanges(std::string_view css, std::vector<ByteRange>& unsafe) {
  return StyleScan(css, false, &unsafe).run();
}

bool styleReadsOtherwiseInLegacyEncodings(std::string_view css) {
  for (std::size_t i = 1; i < css.size(); ++i) {
    if (static_cast<unsigned char>(css[i - 1]) >= 0x80 && isStructuralTrailByte(css[i])) return true;
  }
  return false;
}

}  // namespace vellumine::html
