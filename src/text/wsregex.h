// TWSRegEx: the regular-expression component every converter pass runs through.  It wraps PCRE2
// (8-bit, no UTF mode, ASCII character tables) and adds lazy compilation, 1-based match positions,
// iteration over successive matches, replacement templates with group references and case
// conversion, whole-subject replace and replace-one-match-and-continue.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "text/textpos.h"

namespace vellumine {

// A pattern PCRE2 refuses, an empty pattern, or a query without a current match.
class ERegExError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The option set, one bit per option in this order.
enum TWSRegExOption : std::uint32_t {
  preCaseLess = 1u << 0,
  preMultiLine = 1u << 1,
  preSingleLine = 1u << 2,
  preExtended = 1u << 3,
  preAnchored = 1u << 4,
  preDollarEndOnly = 1u << 5,
  preExtra = 1u << 6,
  preUnGreedy = 1u << 7,
};
using TWSRegExOptions = std::uint32_t;

// Execution flags; a new component has only NotEmpty set, so no pattern ever yields an empty match.
enum TWSRegExExecFlag : std::uint32_t {
  NotBOL = 1u << 0,
  NotEOL = 1u << 1,
  NotEmpty = 1u << 2,
};
using TWSRegExExecFlags = std::uint32_t;

class TWSRegEx {
 public:
  using MatchEvent = std::function<void(TWSRegEx& sender)>;
  using ReplaceEvent = std::function<void(TWSRegEx& sender, std::string& replaceWith)>;

  TWSRegEx();
  explicit TWSRegEx(TWSRegExOptions options);
  ~TWSRegEx();
  TWSRegEx(const TWSRegEx&) = delete;
  TWSRegEx& operator=(const TWSRegEx&) = delete;

  TWSRegExOptions Options() const;
  void SetOptions(TWSRegExOptions options);  // a different set drops the compiled pattern
  TWSRegExExecFlags ExecFlags() const;
  void SetExecFlags(TWSRegExExecFlags flags);
  const std::string& Pattern() const;
  void SetPattern(std::string_view pattern);  // the same text keeps the compiled form
  std::string Replacement;
  MatchEvent OnMatch;
  ReplaceEvent OnReplace;

  void Compile();
  void SetSubject(std::string subject);
  const std::string& Subject() const;

  bool Match();
  bool MatchNext();

  // Queries on the current match; all positions are 1-based.
  std::string MatchedText() const;
  TextPos MatchOffset() const;
  TextPos MatchLength() const;
  TextPos MatchStart() const;
  TextPos MatchEnd() const;
  int SubmatchCount() const;
  std::string Submatch(int i) const;
  TextPos SubmatchOffset(int i) const;
  TextPos SubmatchLength(int i) const;
  int GroupIndex(std::string_view name);

  // The template expanded for the current match: group references, escapes, case conversion.
  std::string ExpandReplacement(std::string_view templ) const;

  std::string Replace(std::string_view s, std::string_view templ);
  std::string ReplaceMatch(std::string_view templ);
  std::vector<std::string> MatchAll(std::string_view s);

  // Replace every match in text in place, as Replace does, without keeping a copy of the result
  // as the subject (nothing continues a search on a subject that a replace produced).
  void ReplaceAllIn(std::string& text, std::string_view templ);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace vellumine
