// Name prefixes rewritten in one left-to-right pass over the markup: text between tags is jumped
// over with memchr, a tag is walked byte by byte (a table tells the bytes that matter) with its
// quoted values passed over, and comments, CDATA sections and processing instructions are copied
// as they stand.  Blanks that end a tag go in the same walk.  Every rewrite is no longer than what
// it replaces, so the part is compacted in place.
#include "convert/word_prefix.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace vellumine {

namespace {

constexpr std::size_t npos = std::string_view::npos;

constexpr std::array<std::string_view, 2> kMainNamespaces{
    "\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"",
    "\"http://purl.oclc.org/ooxml/wordprocessingml/main\""};

// Markup whose content is never a name: its opener and closer.
struct OpaqueSection {
  std::string_view open, close;
};
constexpr std::array<OpaqueSection, 3> kOpaqueSections{
    OpaqueSection{"<!--", "-->"}, OpaqueSection{"<![CDATA[", "]]>"}, OpaqueSection{"<?", "?>"}};

// What a byte means to the walk through a tag.  NUL stops the walk too: the string's own
// terminator stands after its last byte, so the inner loops need no bound of their own.
enum ByteClass : unsigned char { kNameByte, kStop, kQuote, kBlank };

constexpr std::array<ByteClass, 256> makeByteClasses() {
  std::array<ByteClass, 256> classes{};
  classes['\0'] = kStop;
  classes['<'] = kStop;
  classes['>'] = kStop;
  classes['"'] = kQuote;
  classes['\''] = kQuote;
  for (unsigned char blank : {' ', '\t', '\r', '\n'}) classes[blank] = kBlank;
  return classes;
}
constexpr std::array<ByteClass, 256> kByteClasses = makeByteClasses();

ByteClass classOf(char ch) { return kByteClasses[static_cast<unsigned char>(ch)]; }

// Writes the part over itself: bytes before a rewritten prefix are moved down only when a rewrite
// has made room, so a part without the prefix is read and never written.
class PrefixRewriter {
 public:
  PrefixRewriter(std::string& part, std::string_view from, std::string_view to)
      : part_(part), data_(part.data()), size_(part.size()), from_(from), to_(to) {}

  void run() {
    std::size_t at = 0;
    while (at < size_) {
      if (data_[at] != '<') {  // text: on to the next tag (between most tags there is none)
        const void* lt = std::memchr(data_ + at, '<', size_ - at);
        if (lt == nullptr) break;
        at = static_cast<const char*>(lt) - data_;
      }
      const std::size_t afterSection = skipOpaqueSection(at);
      at = afterSection != npos ? afterSection : walkTag(at);
    }
    finish();
  }

 private:
  // The end of the comment, CDATA section or processing instruction at at; npos when none is there.
  std::size_t skipOpaqueSection(std::size_t at) const {
    if (at + 1 >= size_ || (data_[at + 1] != '!' && data_[at + 1] != '?')) return npos;
    const std::string_view text(data_, size_);
    for (const OpaqueSection& section : kOpaqueSections) {
      if (text.compare(at, section.open.size(), section.open) != 0) continue;
      const std::size_t close = text.find(section.close, at + section.open.size());
      return close == npos ? size_ : close + section.close.size();
    }
    return npos;
  }

  // Walks the tag starting at lt; returns where the text after it starts.  A "<" ends the tag
  // wherever it stands, inside a quoted value too: that tag never closed.
  std::size_t walkTag(std::size_t lt) {
    std::size_t at = lt + 1;
    if (data_[at] == '/') ++at;  // data_[size_] is the terminator, so at most one past the end
    at = rewriteAt(at);
    for (;;) {
      while (classOf(data_[at]) == kNameByte) ++at;
      if (at >= size_) return size_;
      const char ch = data_[at];
      switch (classOf(ch)) {
        case kStop:
          if (ch == '>') return at + 1;
          if (ch == '<') return at;
          ++at;  // a NUL inside the part
          break;
        case kQuote:
          at = valueEnd(at + 1, ch);
          if (at >= size_ || data_[at] == '<') return at;
          ++at;
          break;
        case kBlank:
          at = afterBlanks(at);
          break;
        case kNameByte:
          break;
      }
    }
  }

  // Past the blanks that start at at: when they end the tag ("<w:b />", "<w:p >", a line break
  // before "/>" as some writers put it) they are dropped, so that every reader and pattern sees the
  // tag as Word writes it; otherwise the name that follows them is rewritten.
  std::size_t afterBlanks(std::size_t at) {
    std::size_t after = at + 1;
    while (classOf(data_[after]) == kBlank) ++after;  // the terminator stops it at the end
    const bool endsTag = data_[after] == '>' || (data_[after] == '/' && data_[after + 1] == '>');
    if (!endsTag) return rewriteAt(after);
    moveDown(read_, at);
    read_ = after;
    return after;
  }

  // The closing quote of a value that starts at at, or the "<" that cuts it short.
  std::size_t valueEnd(std::size_t at, char quote) const {
    while (at < size_ && data_[at] != quote && data_[at] != '<') ++at;
    return at;
  }

  // Rewrites the prefix when a name starting at at carries it; returns where the walk goes on.
  std::size_t rewriteAt(std::size_t at) {
    if (size_ - at < from_.size() || data_[at] != from_[0] ||
        std::memcmp(data_ + at, from_.data(), from_.size()) != 0)
      return at;
    moveDown(read_, at);
    for (char ch : to_) data_[write_++] = ch;
    read_ = at + from_.size();
    return read_;
  }

  // Moves the bytes from begin up to end down to the write position.  Between two prefixes of a
  // Word part stand a dozen bytes or so, too few to be worth a call of memmove.
  // Once eight or more bytes have gone, eight-byte steps cannot overtake what they read, and the
  // last step's overshoot lands on bytes already moved.
  void moveDown(std::size_t begin, std::size_t end) {
    constexpr std::size_t kStep = 8;
    constexpr std::size_t kShort = 64;
    const std::size_t length = end - begin;
    if (length > kShort || begin - write_ < kStep || end + kStep > size_) {
      std::memmove(data_ + write_, data_ + begin, length);
    } else {
      for (std::size_t k = 0; k < length; k += kStep) {
        std::uint64_t word;
        std::memcpy(&word, data_ + begin + k, kStep);
        std::memcpy(data_ + write_ + k, &word, kStep);
      }
    }
    write_ += length;
  }

  void finish() {
    if (read_ == 0) return;
    moveDown(read_, size_);
    part_.resize(write_);
  }

  std::string& part_;
  char* data_;
  std::size_t size_;
  std::string_view from_, to_;
  std::size_t write_ = 0;
  std::size_t read_ = 0;
};

}  // namespace

std::string wordNamespacePrefix(std::string_view part) {
  for (std::string_view ns : kMainNamespaces) {
    for (std::size_t at = part.find(ns); at != npos; at = part.find(ns, at + 1)) {
      // xmlns:PREFIX= stands right before the quoted namespace.
      if (at == 0 || part[at - 1] != '=') continue;
      const std::size_t nameEnd = at - 1;
      const std::size_t xmlns = part.rfind("xmlns:", nameEnd);
      if (xmlns == npos || nameEnd - xmlns > 64) continue;
      std::string_view prefix = part.substr(xmlns + 6, nameEnd - xmlns - 6);
      if (!prefix.empty() && prefix.find_first_of(" \t\r\n<>\"'") == npos) return std::string(prefix);
    }
  }
  return {};
}

void renameNamePrefix(std::string& part, std::string_view from, std::string_view to) {
  if (from.empty() || to.size() > from.size()) return;
  PrefixRewriter(part, from, to).run();
}

void normaliseWordPrefix(std::string& part) {
  const std::string prefix = wordNamespacePrefix(part);
  if (prefix.empty() || prefix == "w") return;
  renameNamePrefix(part, prefix + ":", "w:");
}

void stripWordPrefix(std::string& part) { renameNamePrefix(part, "w:", ""); }

}  // namespace vellumine
