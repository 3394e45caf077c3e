// Finds the body's children in a part's bytes with a small scan of its markup: start and end tags
// (quoted attribute values may hold '>'), empty-element tags, comments, CDATA sections, processing
// instructions and a DOCTYPE are told apart and the depth counted.  One pass, no recursion.
#include "docx/part_slices.h"

#include <bit>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif


namespace vellumine::docx {

namespace {

std::string_view localNameOf(std::string_view name) {
  const std::size_t colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

bool isNameEnd(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '/' || c == '>'; }

// The position after the first occurrence of what at or after from, or npos.
std::size_t after(std::string_view text, std::size_t from, std::string_view what) {
  const std::size_t at = text.find(what, from);
  return at == std::string_view::npos ? at : at + what.size();
}

// One markup construct starting at a '<'.
struct Tag {
  enum Kind { start, end, empty, other } kind;
  std::size_t next;  // the position after it; npos when the part ends inside it
};

// The first byte at or after at that is one of a, b, c, or end.  Sixteen bytes a step where the
// processor has SSE2 (every x86-64): most of a part's bytes are inside tags and pass here.
const char* findAny(const char* at, const char* end, char a, char b, char c) {
#if defined(__SSE2__)
  const __m128i wantA = _mm_set1_epi8(a);
  const __m128i wantB = _mm_set1_epi8(b);
  const __m128i wantC = _mm_set1_epi8(c);
  while (end - at >= 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    const __m128i hits = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, wantA), _mm_cmpeq_epi8(bytes, wantB)),
                                      _mm_cmpeq_epi8(bytes, wantC));
    if (const int mask = _mm_movemask_epi8(hits)) return at + std::countr_zero(static_cast<unsigned>(mask));
    at += 16;
  }
#endif
  while (at < end && *at != a && *at != b && *at != c) ++at;
  return at;
}

// The '>' that ends the start or end tag whose content begins at from, skipping quoted values
// (which may hold '>'); npos when the part ends first.
std::size_t tagEnd(std::string_view text, std::size_t from) {
  const char* at = text.data() + from;
  const char* end = text.data() + text.size();
  for (;;) {
    at = findAny(at, end, '>', '"', '\'');
    if (at == end) return std::string_view::npos;
    if (*at == '>') return static_cast<std::size_t>(at - text.data());
    const char quote = *at;
    at = findAny(at + 1, end, quote, quote, quote);
    if (at == end) return std::string_view::npos;
    ++at;
  }
}

// A DOCTYPE may hold an internal subset in brackets, with '>' inside it.
std::size_t doctypeEnd(std::string_view text, std::size_t from) {
  int brackets = 0;
  for (std::size_t i = from; i < text.size(); ++i) {
    if (text[i] == '[') ++brackets;
    if (text[i] == ']' && brackets > 0) --brackets;
    if (text[i] == '>' && brackets == 0) return i + 1;
  }
  return std::string_view::npos;
}

Tag readTag(std::string_view text, std::size_t at) {
  const char second = at + 1 < text.size() ? text[at + 1] : '\0';
  if (second == '!' || second == '?') {
    const std::string_view rest = text.substr(at, 9);
    if (rest.substr(0, 4) == "<!--") return {Tag::other, after(text, at + 4, "-->")};
    if (rest == "<![CDATA[") return {Tag::other, after(text, at + 9, "]]>")};
    if (second == '?') return {Tag::other, after(text, at + 2, "?>")};
    return {Tag::other, doctypeEnd(text, at + 2)};
  }
  const std::size_t close = tagEnd(text, at + 1);
  if (close == std::string_view::npos) return {Tag::other, close};
  if (second == '/') return {Tag::end, close + 1};
  return {text[close - 1] == '/' ? Tag::empty : Tag::start, close + 1};
}

// The name of the start tag at at.
std::string_view tagName(std::string_view text, std::size_t at) {
  std::size_t end = at + 1;
  while (end < text.size() && !isNameEnd(text[end])) ++end;
  return text.substr(at + 1, end - at - 1);
}

bool isWideEncoding(std::string_view part) {
  if (part.size() < 2) return false;
  const auto b0 = static_cast<unsigned char>(part[0]);
  const auto b1 = static_cast<unsigned char>(part[1]);
  return (b0 == 0xFF && b1 == 0xFE) || (b0 == 0xFE && b1 == 0xFF) || b0 == 0 || b1 == 0;
}

class Slicer {
 public:
  Slicer(std::string_view part, std::size_t sliceBytes) : part_(part), sliceBytes_(sliceBytes) {}

  std::optional<PartSlices> run() {
    std::size_t at = 0;
    while (!done_) {
      const char* end = part_.data() + part_.size();
      at = static_cast<std::size_t>(findAny(part_.data() + at, end, '<', '<', '<') - part_.data());
      if (at == part_.size()) break;
      const Tag tag = readTag(part_, at);
      if (tag.next == std::string_view::npos) break;
      onTag(tag, at);
      at = tag.next;
    }
    if (bodyStart_ == 0) return std::nullopt;
    slices_.truncated = !done_;
    slices_.ranges.push_back({sliceStart_, done_ ? bodyEnd_ : part_.size()});
    slices_.head = part_.substr(0, bodyStart_);
    slices_.tail = "</" + std::string(bodyName_) + "></" + std::string(rootName_) + ">";
    return std::move(slices_);
  }

 private:
  void onTag(const Tag& tag, std::size_t at) {
    if (tag.kind == Tag::other) return;
    if (tag.kind == Tag::end) {
      --depth_;
      if (bodyStart_ != 0 && depth_ == 1) {  // the body's end tag
        bodyEnd_ = at;
        done_ = true;
      }
      return;
    }
    if (depth_ == 0 && rootName_.empty()) rootName_ = tagName(part_, at);
    if (depth_ == 1 && bodyStart_ == 0 && localNameOf(tagName(part_, at)) == "body") {
      if (tag.kind == Tag::empty) {
        done_ = true;  // an empty body: nothing to slice
        return;
      }
      bodyName_ = tagName(part_, at);
      bodyStart_ = tag.next;
      sliceStart_ = tag.next;
    } else if (depth_ == 2 && bodyStart_ != 0 && at - sliceStart_ >= sliceBytes_) {
      slices_.ranges.push_back({sliceStart_, at});  // a child of the body starts a new slice
      sliceStart_ = at;
    }
    if (tag.kind == Tag::start) ++depth_;
  }

  std::string_view part_;
  std::size_t sliceBytes_;
  PartSlices slices_;
  std::string_view rootName_, bodyName_;
  std::size_t bodyStart_ = 0, bodyEnd_ = 0, sliceStart_ = 0;
  long depth_ = 0;
  bool done_ = false;
};

}  // namespace

std::optional<PartSlices> slicePart(std::string_view part, std::size_t sliceBytes) {
  if (isWideEncoding(part)) return std::nullopt;
  return Slicer(part, sliceBytes).run();
}

}  // namespace vellumine::docx
