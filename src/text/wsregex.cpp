// TWSRegEx: patterns and subjects in, 1-based matches and rewritten subjects out.  Compiles with
// PCRE2 (8-bit, no UTF, our own ASCII character tables, JIT where available), keeps a small
// per-instance cache of compiled patterns, expands replacement templates and builds every
// whole-subject replacement in one left-to-right pass.
#include "text/wsregex.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_map>

#include "text/chartype.h"

namespace vellumine {

namespace {

constexpr const char* kNoPatternMessage =
    "TWSRegEx.Compile() - Please specify a regular expression in RegEx first";
constexpr const char* kNoMatchMessage = "REQUIRE: There must be a successful match first";
constexpr const char* kIndexMessage = "REQUIRE: Index <= SubmatchCount";

// 100 start/end pairs (300 offsets in the old interface): a match whose groups do not fit
// counts as no match.
constexpr int kMaxPairs = 100;
// The converter cycles through a few dozen patterns per conversion; beyond this many distinct
// patterns the cache is simply emptied, which bounds its memory.
constexpr std::size_t kMaxCachedPatterns = 128;
// The JIT stack is reserved up to this size and grows on demand; a match that needs more (a lazy
// group repeated over a whole 16 MB list) is run again by the interpreter, which keeps its
// backtracking state on the heap.
constexpr std::size_t kJitStackStart = 32 * 1024;
constexpr std::size_t kJitStackMax = 64 * 1024 * 1024;
// The library's default match limit (10 million steps) would end a legitimate lazy ".*?" that
// runs over more than about 10 MB; the limit grows with the subject so that matching stays
// bounded (a few steps per byte) without refusing large documents.
constexpr std::uint64_t kBaseMatchLimit = 10'000'000;
constexpr std::uint64_t kMatchStepsPerByte = 8;

// PCRE2 table layout: lower case, case flip, ten class bitmaps, character types.
constexpr std::size_t kLowerCaseOffset = 0;
constexpr std::size_t kFlipCaseOffset = 256;
constexpr std::size_t kClassBitsOffset = 512;
constexpr std::size_t kCharTypesOffset = 512 + 320;
constexpr std::size_t kTablesLength = kCharTypesOffset + 256;  // 1088
enum ClassBitmap : std::size_t {
  kBitsSpace = 0, kBitsXDigit = 32, kBitsDigit = 64, kBitsUpper = 96, kBitsLower = 128,
  kBitsWord = 160, kBitsGraph = 192, kBitsPrint = 224, kBitsPunct = 256, kBitsCntrl = 288,
};
enum CharType : std::uint8_t {
  kTypeSpace = 0x01, kTypeLetter = 0x02, kTypeLowerLetter = 0x04, kTypeDigit = 0x08, kTypeWord = 0x10,
};

using Tables = std::array<std::uint8_t, kTablesLength>;

void setClassBit(Tables& t, std::size_t bitmap, unsigned c) {
  t[kClassBitsOffset + bitmap + c / 8] |= static_cast<std::uint8_t>(1u << (c & 7));
}

// The character tables come from chartype's ASCII classification, never from the locale, so
// bytes 128-255 (UTF-8 pieces) are no letters, take no part in case folding and are no word bytes.
Tables buildCharacterTables() {
  Tables t{};
  for (unsigned c = 0; c < 256; ++c) {
    auto b = static_cast<unsigned char>(c);
    bool word = IsAsciiLetter(b) || IsAsciiDigit(b) || b == '_';
    t[kLowerCaseOffset + c] = AsciiLower(b);
    t[kFlipCaseOffset + c] = IsAsciiLower(b) ? AsciiUpper(b) : AsciiLower(b);
    if (IsAsciiSpace(b)) setClassBit(t, kBitsSpace, c);
    if (IsAsciiHexDigit(b)) setClassBit(t, kBitsXDigit, c);
    if (IsAsciiDigit(b)) setClassBit(t, kBitsDigit, c);
    if (IsAsciiUpper(b)) setClassBit(t, kBitsUpper, c);
    if (IsAsciiLower(b)) setClassBit(t, kBitsLower, c);
    if (word) setClassBit(t, kBitsWord, c);
    if (!IsAsciiControl(b) && b != ' ') setClassBit(t, kBitsGraph, c);
    if (!IsAsciiControl(b)) setClassBit(t, kBitsPrint, c);
    if (IsAsciiPunct(b)) setClassBit(t, kBitsPunct, c);
    if (IsAsciiControl(b)) setClassBit(t, kBitsCntrl, c);
    std::uint8_t type = 0;
    if (IsAsciiSpace(b) && b != 0x0B) type |= kTypeSpace;  // \s leaves out the vertical tab
    if (IsAsciiLetter(b)) type |= kTypeLetter;
    if (IsAsciiLower(b)) type |= kTypeLowerLetter;
    if (IsAsciiDigit(b)) type |= kTypeDigit;
    if (word) type |= kTypeWord;
    t[kCharTypesOffset + c] = type;
  }
  return t;
}

// Immutable and shared by every instance; compiled patterns keep a pointer to it.
const Tables& characterTables() {
  static const Tables tables = buildCharacterTables();
  return tables;
}

std::uint32_t compileOptionsFor(TWSRegExOptions o) {
  std::uint32_t r = 0;
  if (o & preCaseLess) r |= PCRE2_CASELESS;
  if (o & preMultiLine) r |= PCRE2_MULTILINE;
  if (o & preSingleLine) r |= PCRE2_DOTALL;
  if (o & preExtended) r |= PCRE2_EXTENDED;
  if (o & preAnchored) r |= PCRE2_ANCHORED;
  if (o & preDollarEndOnly) r |= PCRE2_DOLLAR_ENDONLY;
  if (o & preUnGreedy) r |= PCRE2_UNGREEDY;
  return r;
}

// "Extra" meant: an unknown escape such as \y is an error.  PCRE2 does that by default, so the
// option adds nothing; without it an unknown escape is the literal letter, as patterns written
// for the older library expect.
std::uint32_t extraCompileOptionsFor(TWSRegExOptions o) {
  return (o & preExtra) ? 0u : PCRE2_EXTRA_BAD_ESCAPE_IS_LITERAL;
}

std::uint32_t matchOptionsFor(TWSRegExExecFlags f) {
  std::uint32_t r = 0;
  if (f & NotBOL) r |= PCRE2_NOTBOL;
  if (f & NotEOL) r |= PCRE2_NOTEOL;
  if (f & NotEmpty) r |= PCRE2_NOTEMPTY;
  return r;
}

struct CodeDeleter {
  void operator()(pcre2_code* code) const { pcre2_code_free(code); }
};
using CodePtr = std::unique_ptr<pcre2_code, CodeDeleter>;

std::string cacheKey(std::string_view pattern, TWSRegExOptions options) {
  std::string key(sizeof options, '\0');
  std::memcpy(key.data(), &options, sizeof options);
  key.append(pattern);
  return key;
}

// Case conversions of an inserted group text (ASCII only).
enum class CaseConversion { None, Lower, Upper, First, Initials };

CaseConversion conversionFor(char letter) {
  switch (letter) {
    case 'L': case 'l': return CaseConversion::Lower;
    case 'U': case 'u': return CaseConversion::Upper;
    case 'F': case 'f': return CaseConversion::First;
    case 'I': case 'i': return CaseConversion::Initials;
    default: return CaseConversion::None;
  }
}

// Bytes after which the next letter of an "initial capitals" conversion is capitalised.  The
// apostrophe is not one of them, so "o'neil" becomes "O'neil".
bool isInitialsSeparator(unsigned char c) {
  if (c < 32) return true;
  constexpr std::string_view kSeparators = " !\"#$%&()*+,-.<?[{";
  return kSeparators.find(static_cast<char>(c)) != std::string_view::npos;
}

void appendConverted(std::string& out, std::string_view text, CaseConversion conversion) {
  std::size_t first = out.size();
  if (conversion == CaseConversion::None) {
    out.append(text);
    return;
  }
  for (char ch : text) {
    auto c = static_cast<unsigned char>(ch);
    out.push_back(static_cast<char>(conversion == CaseConversion::Upper ? AsciiUpper(c) : AsciiLower(c)));
  }
  if (conversion == CaseConversion::First && out.size() > first) {
    out[first] = static_cast<char>(AsciiUpper(static_cast<unsigned char>(out[first])));
  } else if (conversion == CaseConversion::Initials) {
    bool capitaliseNext = true;
    for (std::size_t k = first; k < out.size(); ++k) {
      auto c = static_cast<unsigned char>(out[k]);
      if (isInitialsSeparator(c)) {
        capitaliseNext = true;
      } else if (capitaliseNext && c != '\'') {
        out[k] = static_cast<char>(AsciiUpper(c));
        capitaliseNext = false;
      }
    }
  }
}

bool isNameStart(char c) { return IsAsciiLetter(static_cast<unsigned char>(c)) || c == '_'; }
bool isNameChar(char c) { return isNameStart(c) || IsAsciiDigit(static_cast<unsigned char>(c)); }
bool isDigit(char c) { return IsAsciiDigit(static_cast<unsigned char>(c)); }

std::size_t skipName(std::string_view t, std::size_t k) {
  while (k < t.size() && isNameChar(t[k])) ++k;
  return k;
}

}  // namespace

struct TWSRegEx::Impl {
  explicit Impl(TWSRegEx& o) : owner(o) {
    compileContext = pcre2_compile_context_create(nullptr);
    matchContext = pcre2_match_context_create(nullptr);
    matchData = pcre2_match_data_create(kMaxPairs, nullptr);
    jitStack = pcre2_jit_stack_create(kJitStackStart, kJitStackMax, nullptr);
    if (!compileContext || !matchContext || !matchData) {
      release();
      throw std::bad_alloc();
    }
    pcre2_set_character_tables(compileContext, characterTables().data());
    if (jitStack) pcre2_jit_stack_assign(matchContext, nullptr, jitStack);
  }
  ~Impl() { release(); }
  Impl(const Impl&) = delete;
  Impl& operator=(const Impl&) = delete;

  void release() {
    cache.clear();
    pcre2_match_data_free(matchData);
    pcre2_jit_stack_free(jitStack);
    pcre2_match_context_free(matchContext);
    pcre2_compile_context_free(compileContext);
  }

  TWSRegEx& owner;
  TWSRegExOptions options = 0;
  TWSRegExExecFlags execFlags = NotEmpty;
  std::string pattern;
  pcre2_code* code = nullptr;  // owned by cache
  std::unordered_map<std::string, CodePtr> cache;
  pcre2_compile_context* compileContext = nullptr;
  pcre2_match_context* matchContext = nullptr;
  pcre2_match_data* matchData = nullptr;
  pcre2_jit_stack* jitStack = nullptr;

  std::string subject;
  TextPos searchPos = 1;
  int pairCount = 0;
  std::array<TextPos, 2 * kMaxPairs> offsets{};  // 1-based; 0 for a group that took no part

  void clearMatch() {
    std::fill_n(offsets.begin(), 2 * std::max(pairCount, 1), TextPos{0});
    pairCount = 0;
  }

  void dropCompiled() {
    code = nullptr;
    clearMatch();
  }

  void compile() {
    if (pattern.empty()) throw ERegExError(kNoPatternMessage);
    code = nullptr;
    std::string key = cacheKey(pattern, options);
    if (auto it = cache.find(key); it != cache.end()) {
      code = it->second.get();
      return;
    }
    pcre2_set_compile_extra_options(compileContext, extraCompileOptionsFor(options));
    int errorCode = 0;
    PCRE2_SIZE errorOffset = 0;
    CodePtr compiled(pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                                   compileOptionsFor(options), &errorCode, &errorOffset,
                                   compileContext));
    // The message is the pattern itself: the converter's patterns are fixed texts, and the
    // pattern names the failing pass better than the library's error text would.
    if (!compiled) throw ERegExError(pattern);
    pcre2_jit_compile(compiled.get(), PCRE2_JIT_COMPLETE);  // interpreted when the JIT is missing
    if (cache.size() >= kMaxCachedPatterns) cache.clear();
    code = compiled.get();
    cache.emplace(std::move(key), std::move(compiled));
  }

  void compileIfNeeded() {
    if (!code) compile();
  }

  // Runs the pattern from a 0-based offset; a library error, a match limit reached or groups
  // that do not fit the match data all count as no match.
  bool execute(std::size_t startOffset) {
    clearMatch();
    std::uint64_t limit = kBaseMatchLimit + kMatchStepsPerByte * (subject.size() - startOffset);
    pcre2_set_match_limit(matchContext, static_cast<std::uint32_t>(std::min<std::uint64_t>(limit, UINT32_MAX)));
    auto run = [&](std::uint32_t extraOptions) {
      return pcre2_match(code, reinterpret_cast<PCRE2_SPTR>(subject.data()), subject.size(), startOffset,
                         matchOptionsFor(execFlags) | extraOptions, matchData, matchContext);
    };
    int rc = run(0);
    if (rc == PCRE2_ERROR_JIT_STACKLIMIT) rc = run(PCRE2_NO_JIT);
    if (rc <= 0) return false;
    const PCRE2_SIZE* ov = pcre2_get_ovector_pointer(matchData);
    if (ov[0] > ov[1]) return false;  // \K in a lookahead can end a match before its start
    for (int k = 0; k < 2 * rc; ++k) {
      offsets[static_cast<std::size_t>(k)] = ov[k] == PCRE2_UNSET ? 0 : static_cast<TextPos>(ov[k]) + 1;
    }
    pairCount = rc;
    searchPos = offsets[1];
    if (offsets[1] == offsets[0]) ++searchPos;  // an empty match must not be found again
    if (owner.OnMatch) owner.OnMatch(owner);
    return true;
  }

  void requireMatch() const {
    if (pairCount <= 0) throw ERegExError(kNoMatchMessage);
  }

  int submatchCount() const { return pairCount - 1; }

  std::string_view submatchView(int i) const {
    if (i < 0 || i > submatchCount()) return {};
    TextPos start = offsets[2 * static_cast<std::size_t>(i)];
    TextPos end = offsets[2 * static_cast<std::size_t>(i) + 1];
    if (start == 0) return {};
    return std::string_view(subject).substr(static_cast<std::size_t>(start - 1),
                                            static_cast<std::size_t>(end - start));
  }

  int groupNumber(const std::string& name) const {
    if (!code) return -1;
    return pcre2_substring_number_from_name(code, reinterpret_cast<PCRE2_SPTR>(name.c_str()));
  }

  void appendGroup(std::string& out, long long group, CaseConversion conversion) const {
    if (group < 0 || group > submatchCount()) return;  // a reference to a missing group vanishes
    appendConverted(out, submatchView(static_cast<int>(group)), conversion);
  }

  // A digit reference at t[k]: one digit, or two when the two-digit group exists.
  std::size_t appendDigitReference(std::string_view t, std::size_t k, std::string& out,
                                   CaseConversion conversion) const {
    int group = t[k] - '0';
    if (k + 1 < t.size() && isDigit(t[k + 1])) {
      int twoDigits = group * 10 + (t[k + 1] - '0');
      if (twoDigits <= submatchCount()) {
        appendGroup(out, twoDigits, conversion);
        return k + 2;
      }
    }
    appendGroup(out, group, conversion);
    return k + 1;
  }

  // t[j] is "$" and not the template's last byte; returns the index after what it consumed.
  std::size_t expandDollar(std::string_view t, std::size_t j, std::string& out) const {
    char next = t[j + 1];
    if (next == '$') {
      out.push_back('$');
      return j + 2;
    }
    if (isDigit(next)) return appendDigitReference(t, j + 1, out, CaseConversion::None);
    if (next == '{') {
      std::size_t k = j + 2;
      if (k < t.size() && isDigit(t[k])) {
        long long group = 0;
        for (; k < t.size() && isDigit(t[k]); ++k) group = std::min(group * 10 + (t[k] - '0'), 1000000LL);
        if (k < t.size() && t[k] == '}') {
          appendGroup(out, group, CaseConversion::None);
          return k + 1;
        }
      } else if (k < t.size() && isNameStart(t[k])) {
        std::size_t end = skipName(t, k);
        if (end < t.size() && t[end] == '}') {
          int group = groupNumber(std::string(t.substr(k, end - k)));
          if (group > 0) {
            appendGroup(out, group, CaseConversion::None);
            return end + 1;
          }
        }
      }
    }
    out.push_back('$');
    return j + 1;
  }

  // t[j] is a backslash and not the template's last byte.
  std::size_t expandBackslash(std::string_view t, std::size_t j, std::string& out) const {
    char next = t[j + 1];
    if (next == '$' || next == '\\') {
      out.push_back(next);
      return j + 2;
    }
    if (isDigit(next)) return appendDigitReference(t, j + 1, out, CaseConversion::None);
    CaseConversion conversion = conversionFor(next);
    if (conversion != CaseConversion::None) {
      if (j + 2 < t.size() && isDigit(t[j + 2])) return appendDigitReference(t, j + 2, out, conversion);
    } else if (next == 'g' || next == 'G') {
      if (j + 3 < t.size() && t[j + 2] == '<' && isNameStart(t[j + 3])) {
        std::size_t end = skipName(t, j + 3);
        if (end < t.size() && t[end] == '>') {
          int group = groupNumber(std::string(t.substr(j + 3, end - j - 3)));
          if (group > 0) appendGroup(out, group, CaseConversion::None);
          return end + 1;  // an unknown name is deleted with its reference
        }
        out.append(t.substr(j, end - j));
        return end;
      }
      out.append(t.substr(j, 2));
      return j + 2;
    }
    out.push_back('\\');
    return j + 1;
  }

  void appendExpansion(std::string_view t, std::string& out) const {
    std::size_t j = 0;
    // The last byte never starts a reference and always stays literal.
    while (j + 1 < t.size()) {
      if (t[j] == '$') {
        j = expandDollar(t, j, out);
      } else if (t[j] == '\\') {
        j = expandBackslash(t, j, out);
      } else {
        out.push_back(t[j]);
        ++j;
      }
    }
    if (j < t.size()) out.append(t.substr(j));
  }

  // Every match of the subject replaced by the template, built once from left to right; false
  // (out untouched) when nothing matched.  A template without "$" is inserted as it stands.
  bool buildReplaced(std::string_view templ, std::string& out) {
    compileIfNeeded();
    if (subject.empty() || !execute(0)) return false;
    bool expand = templ.find('$') != std::string_view::npos;
    out.clear();
    out.reserve(subject.size() + subject.size() / 8 + 64);
    std::size_t copyFrom = 0;
    do {
      auto start = static_cast<std::size_t>(offsets[0] - 1);
      out.append(subject, copyFrom, start - copyFrom);
      if (expand) {
        appendExpansion(templ, out);
      } else {
        out.append(templ);
      }
      copyFrom = static_cast<std::size_t>(offsets[1] - 1);
    } while (static_cast<TextPos>(subject.size()) >= searchPos &&
             execute(static_cast<std::size_t>(searchPos - 1)));
    out.append(subject, copyFrom);
    clearMatch();
    return true;
  }

  void resetSubject(std::string s) {
    subject = std::move(s);
    searchPos = 1;
    clearMatch();
  }
};

TWSRegEx::TWSRegEx() : impl_(std::make_unique<Impl>(*this)) {}
TWSRegEx::TWSRegEx(TWSRegExOptions options) : TWSRegEx() { impl_->options = options; }
TWSRegEx::~TWSRegEx() = default;

TWSRegExOptions TWSRegEx::Options() const { return impl_->options; }
void TWSRegEx::SetOptions(TWSRegExOptions options) {
  if (options == impl_->options) return;
  impl_->options = options;
  impl_->dropCompiled();
}
TWSRegExExecFlags TWSRegEx::ExecFlags() const { return impl_->execFlags; }
void TWSRegEx::SetExecFlags(TWSRegExExecFlags flags) { impl_->execFlags = flags; }
const std::string& TWSRegEx::Pattern() const { return impl_->pattern; }
void TWSRegEx::SetPattern(std::string_view pattern) {
  if (pattern == impl_->pattern) return;
  impl_->pattern.assign(pattern);
  impl_->dropCompiled();
}

void TWSRegEx::Compile() { impl_->compile(); }
void TWSRegEx::SetSubject(std::string subject) { impl_->resetSubject(std::move(subject)); }
const std::string& TWSRegEx::Subject() const { return impl_->subject; }

// Always from the start of the subject, whatever an earlier iteration left behind.
bool TWSRegEx::Match() {
  impl_->compileIfNeeded();
  if (impl_->subject.empty()) {
    impl_->clearMatch();
    return false;
  }
  return impl_->execute(0);
}

bool TWSRegEx::MatchNext() {
  impl_->compileIfNeeded();
  if (static_cast<TextPos>(impl_->subject.size()) < impl_->searchPos) {
    impl_->clearMatch();
    return false;
  }
  return impl_->execute(static_cast<std::size_t>(impl_->searchPos - 1));
}

std::string TWSRegEx::MatchedText() const {
  impl_->requireMatch();
  return std::string(impl_->submatchView(0));
}
TextPos TWSRegEx::MatchOffset() const {
  impl_->requireMatch();
  return impl_->offsets[0];
}
TextPos TWSRegEx::MatchLength() const {
  impl_->requireMatch();
  return impl_->offsets[1] - impl_->offsets[0];
}
TextPos TWSRegEx::MatchStart() const { return impl_->offsets[0]; }
TextPos TWSRegEx::MatchEnd() const { return impl_->offsets[1]; }
int TWSRegEx::SubmatchCount() const {
  impl_->requireMatch();
  return impl_->submatchCount();
}
std::string TWSRegEx::Submatch(int i) const {
  impl_->requireMatch();
  return std::string(impl_->submatchView(i));
}
TextPos TWSRegEx::SubmatchOffset(int i) const {
  impl_->requireMatch();
  if (i < 0 || i > impl_->submatchCount()) throw ERegExError(kIndexMessage);
  return impl_->offsets[2 * static_cast<std::size_t>(i)];
}
TextPos TWSRegEx::SubmatchLength(int i) const {
  impl_->requireMatch();
  if (i < 0 || i > impl_->submatchCount()) throw ERegExError(kIndexMessage);
  auto k = 2 * static_cast<std::size_t>(i);
  return impl_->offsets[k + 1] - impl_->offsets[k];
}
int TWSRegEx::GroupIndex(std::string_view name) {
  impl_->compileIfNeeded();
  return impl_->groupNumber(std::string(name));
}

std::string TWSRegEx::ExpandReplacement(std::string_view templ) const {
  impl_->requireMatch();
  std::string out;
  out.reserve(templ.size() + 32);
  impl_->appendExpansion(templ, out);
  return out;
}

std::string TWSRegEx::Replace(std::string_view s, std::string_view templ) {
  impl_->resetSubject(std::string(s));
  Replacement.assign(templ);
  std::string out;
  if (!impl_->buildReplaced(templ, out)) return impl_->subject;
  impl_->resetSubject(std::move(out));
  return impl_->subject;
}

void TWSRegEx::ReplaceAllIn(std::string& text, std::string_view templ) {
  Replacement.assign(templ);
  impl_->resetSubject(std::move(text));
  std::string out;
  bool replaced = false;
  try {
    replaced = impl_->buildReplaced(templ, out);
  } catch (...) {
    text = std::move(impl_->subject);  // the caller's text survives a refused pattern
    impl_->resetSubject({});
    throw;
  }
  text = replaced ? std::move(out) : std::move(impl_->subject);
  impl_->resetSubject({});
}

std::string TWSRegEx::ReplaceMatch(std::string_view templ) {
  impl_->requireMatch();
  Replacement.assign(templ);
  std::string with = ExpandReplacement(templ);
  if (OnReplace) OnReplace(*this, with);
  auto start = static_cast<std::size_t>(impl_->offsets[0] - 1);
  auto length = static_cast<std::size_t>(impl_->offsets[1] - impl_->offsets[0]);
  impl_->subject.replace(start, length, with);
  impl_->searchPos += static_cast<TextPos>(with.size()) - static_cast<TextPos>(length);
  impl_->clearMatch();
  return impl_->subject;
}

std::vector<std::string> TWSRegEx::MatchAll(std::string_view s) {
  SetSubject(std::string(s));
  std::vector<std::string> list;
  while (MatchNext()) list.emplace_back(impl_->submatchView(0));
  impl_->searchPos = 1;
  return list;
}

}  // namespace vellumine
