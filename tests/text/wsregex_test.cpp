#include "text/wsregex.h"

#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

namespace vellumine {
namespace {

// The options every converter pass uses.
TWSRegEx sharedRegex() { return TWSRegEx(preCaseLess | preSingleLine); }

std::string replaceWith(std::string_view pattern, std::string_view subject, std::string_view templ,
                        TWSRegExOptions options = preCaseLess | preSingleLine) {
  TWSRegEx rx(options);
  rx.SetPattern(pattern);
  return rx.Replace(subject, templ);
}

struct TemplateCase {
  const char* name;
  const char* pattern;
  const char* subject;
  const char* templ;
  const char* expected;
};

// Lets test listings show the case instead of its bytes.
void PrintTo(const TemplateCase& c, std::ostream* os) { *os << c.name; }

const TemplateCase kTemplateCases[] = {
    {"LiteralWithoutDollar", "b", "abc", "<br>", "a<br>c"},
    {"BackslashDollarIsExpanded", "b", "abc", "a\\$b", "aa$bc"},
    {"BackslashNWithoutDollarStaysLiteral", "b", "abc", "\\n", "a\\nc"},
    {"BackslashesLiteralWithoutDollar", "b", "abc", "\\\\", "a\\\\c"},
    {"DoubleBackslashWithDollarGivesOne", "b", "abc", "\\\\$$", "a\\$c"},
    {"GroupOne", "<b>(x)</b>", "1<b>x</b>2", "$1", "1x2"},
    {"TwoDigitsBeyondGroupsKeepSecondDigit", "(b)", "abc", "$12", "ab2c"},
    {"TwoDigitGroupWhenItExists", "(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)(l)", "abcdefghijkl", "[$12]", "[l]"},
    {"BracedMissingGroupInsertsNothing", "(b)", "abc", "[${12}]", "a[]c"},
    {"BracedGroupNumber", "(b)", "abc", "[${1}]", "a[b]c"},
    {"LoneDollarStays", "b", "abc", "$", "a$c"},
    {"TrailingDollarStays", "b", "abc", "x$", "ax$c"},
    {"DoubleDollarGivesOne", "b", "abc", "$$", "a$c"},
    {"DoubleDollarBeforeDigitIsNoReference", "(b)", "abc", "$$1", "a$1c"},
    {"DollarBeforeLetterStays", "b", "abc", "$x", "a$xc"},
    {"UnclosedBraceStays", "(b)", "abc", "${1", "a${1c"},
    {"NamedBraced", "(?<mid>b)", "abc", "<${mid}>", "a<b>c"},
    {"UnknownNameBracedStaysLiteral", "(b)", "abc", "${nope}$1", "a${nope}bc"},
    {"BackslashDigit", "(b)", "abc", "[\\1]$", "a[b]$c"},
    {"BackslashGNamed", "(?<mid>b)", "abc", "\\g<mid>$", "ab$c"},
    {"BackslashGUnknownNameDeleted", "(b)", "abc", "[\\g<nope>]$", "a[]$c"},
    {"BackslashGWithoutNameStays", "(b)", "abc", "\\g1$", "a\\g1$c"},
    {"BackslashGUnclosedNameStays", "(b)", "abc", "\\g<ab$", "a\\g<ab$c"},
    {"UpperCase", "(ab cd)", "[ab cd]", "\\U1$", "[AB CD$]"},
    {"FirstCapital", "(aB cD)", "[aB cD]", "\\F1$", "[Ab cd$]"},
    {"InitialCapitals", "(ab cd)", "[ab cd]", "\\I1$", "[Ab Cd$]"},
    {"InitialCapitalsKeepApostrophe", "(o'neil)", "[o'neil]", "\\I1$", "[O'neil$]"},
    {"InitialCapitalsAfterHyphenAndDot", "(x-y.z/w)", "x-y.z/w", "\\i1$", "X-Y.Z/w$"},
    {"LowerCase", "(AbC)", "AbC", "\\L1$", "abc$"},
    {"CaseLetterWithoutDigitStays", "(b)", "abc", "\\U$1", "a\\Ubc"},
    {"CaseConversionLeavesUtf8Alone", "(\\xC3\\xA9t\\xC3\\xA9)", "\xC3\xA9t\xC3\xA9", "\\U1$", "\xC3\xA9T\xC3\xA9$"},
    {"MissingGroupInsertsNothing", "(b)", "abc", "[$2]", "a[]c"},
    {"GroupThatTookNoPartIsEmpty", "(x)?(b)", "abc", "[$1|$2]", "a[|b]c"},
    {"WholeTemplateIsOneReference", "(b)", "abc", "$1", "abc"},
    {"InsertedTextIsNotRescanned", "(\\$1)", "a$1c", "$1$1", "a$1$1c"},
    {"EveryMatchExpandedSeparately", "<(\\w)>", "<a><b>", "[$1]", "[a][b]"},
};

class WSRegExTemplate : public ::testing::TestWithParam<TemplateCase> {};

TEST_P(WSRegExTemplate, ReplaceExpandsAsDescribed) {
  const TemplateCase& c = GetParam();
  EXPECT_EQ(replaceWith(c.pattern, c.subject, c.templ), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, WSRegExTemplate, ::testing::ValuesIn(kTemplateCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WSRegEx, EmptySubjectHasNoMatchAndReplaceReturnsIt) {
  TWSRegEx rx = sharedRegex();
  rx.SetPattern("x*");
  rx.SetSubject("");
  EXPECT_FALSE(rx.Match());
  EXPECT_FALSE(rx.MatchNext());
  EXPECT_EQ(rx.Replace("", "y"), "");
}

TEST(WSRegEx, NotEmptyRefusesEmptyMatches) {
  TWSRegEx rx = sharedRegex();
  rx.SetPattern("x*");
  EXPECT_TRUE(rx.MatchAll("abc").empty());
  EXPECT_EQ(rx.MatchAll("axxb"), std::vector<std::string>{"xx"});
}

TEST(WSRegEx, EmptyMatchesAdvanceWhenAllowed) {
  TWSRegEx rx;
  rx.SetExecFlags(0);
  rx.SetPattern("x*");
  // The search stops once its position passes the end, so no empty match is taken there.
  EXPECT_EQ(rx.Replace("ab", "-"), "-a-b");
}

TEST(WSRegEx, PositionsAreOneBased) {
  TWSRegEx rx = sharedRegex();
  rx.SetPattern("b(c)(x)?");
  rx.SetSubject("abcd");
  ASSERT_TRUE(rx.MatchNext());
  EXPECT_EQ(rx.MatchOffset(), 2);
  EXPECT_EQ(rx.MatchLength(), 2);
  EXPECT_EQ(rx.MatchStart(), 2);
  EXPECT_EQ(rx.MatchEnd(), 4);
  EXPECT_EQ(rx.MatchedText(), "bc");
  EXPECT_EQ(rx.SubmatchCount(), 1);  // group 2 took no part
  EXPECT_EQ(rx.Submatch(1), "c");
  EXPECT_EQ(rx.SubmatchOffset(1), 3);
  EXPECT_EQ(rx.SubmatchLength(1), 1);
  EXPECT_EQ(rx.Submatch(2), "");
}

TEST(WSRegEx, MatchNextVisitsEveryMatchAndMatchRestarts) {
  TWSRegEx rx = sharedRegex();
  rx.SetPattern("a.");
  rx.SetSubject("a1 a2 a3");
  std::vector<TextPos> starts;
  while (rx.MatchNext()) starts.push_back(rx.MatchStart());
  EXPECT_EQ(starts, (std::vector<TextPos>{1, 4, 7}));
  // The last match ended at the very end; Match still searches from the start.
  ASSERT_TRUE(rx.Match());
  EXPECT_EQ(rx.MatchedText(), "a1");
}

TEST(WSRegEx, ReplaceMatchContinuesBehindInsertedText) {
  TWSRegEx rx = sharedRegex();
  rx.SetPattern("<b>(.*?)</b>");
  rx.SetSubject("<b>x</b> and <b>y</b>");
  ASSERT_TRUE(rx.MatchNext());
  EXPECT_EQ(rx.ReplaceMatch("$1"), "x and <b>y</b>");
  EXPECT_THROW(rx.MatchedText(), ERegExError);  // no current match after ReplaceMatch
  ASSERT_TRUE(rx.MatchNext());
  EXPECT_EQ(rx.MatchStart(), 7);
  EXPECT_EQ(rx.ReplaceMatch("[\\U1]"), "x and [Y]");
  EXPECT_FALSE(rx.MatchNext());
}

TEST(WSRegEx, ReplaceMatchPassesTheExpansionThroughOnReplace) {
  TWSRegEx rx = sharedRegex();
  std::string seen;
  rx.OnReplace = [&](TWSRegEx&, std::string& with) {
    seen = with;
    with = "!";
  };
  rx.SetPattern("(b)");
  rx.SetSubject("abc");
  ASSERT_TRUE(rx.MatchNext());
  EXPECT_EQ(rx.ReplaceMatch("<$1>"), "a!c");
  EXPECT_EQ(seen, "<b>");
}

TEST(WSRegEx, OnMatchRunsForEveryMatchOfReplace) {
  TWSRegEx rx = sharedRegex();
  int matches = 0;
  rx.OnMatch = [&](TWSRegEx&) { ++matches; };
  rx.SetPattern("a");
  EXPECT_EQ(rx.Replace("banana", "o"), "bonono");
  EXPECT_EQ(matches, 3);
}

TEST(WSRegEx, ReplaceAllInRewritesInPlaceAndKeepsTextWithoutMatch) {
  TWSRegEx rx = sharedRegex();
  rx.SetPattern("<P>");
  std::string text = "<p>a<p>b";
  rx.ReplaceAllIn(text, "<br>");
  EXPECT_EQ(text, "<br>a<br>b");
  rx.SetPattern("zzz");
  rx.ReplaceAllIn(text, "");
  EXPECT_EQ(text, "<br>a<br>b");
}

TEST(WSRegEx, ReplaceAllInKeepsTheTextWhenThePatternIsRefused) {
  TWSRegEx rx;
  rx.SetPattern("(unclosed");
  std::string text = "keep me";
  EXPECT_THROW(rx.ReplaceAllIn(text, "x"), ERegExError);
  EXPECT_EQ(text, "keep me");
}

TEST(WSRegEx, ReplaceResultBecomesTheSubject) {
  TWSRegEx rx = sharedRegex();
  rx.SetPattern("a");
  EXPECT_EQ(rx.Replace("aXa", "b"), "bXb");
  EXPECT_EQ(rx.Subject(), "bXb");
}

TEST(WSRegEx, MatchAllListsMatchesInOrder) {
  TWSRegEx rx = sharedRegex();
  rx.SetPattern("<(\\w+)>");
  EXPECT_EQ(rx.MatchAll("<a>x<bb>"), (std::vector<std::string>{"<a>", "<bb>"}));
  EXPECT_TRUE(rx.MatchAll("nothing here").empty());
}

TEST(WSRegEx, OptionsAreHonoured) {
  EXPECT_EQ(replaceWith("A", "a", "x", 0), "a");
  EXPECT_EQ(replaceWith("A", "a", "x", preCaseLess), "x");
  EXPECT_EQ(replaceWith("a.b", "a\nb", "x", 0), "a\nb");
  EXPECT_EQ(replaceWith("a.b", "a\nb", "x", preSingleLine), "x");
  EXPECT_EQ(replaceWith("^b", "a\nb", "x", 0), "a\nb");
  EXPECT_EQ(replaceWith("^b", "a\nb", "x", preMultiLine), "a\nx");
  EXPECT_EQ(replaceWith("a b # comment", "ab", "x", preExtended), "x");
  EXPECT_EQ(replaceWith("b", "ab", "x", preAnchored), "ab");
  EXPECT_EQ(replaceWith("a$", "a\n", "x", 0), "x\n");
  EXPECT_EQ(replaceWith("a$", "a\n", "x", preDollarEndOnly), "a\n");
  EXPECT_EQ(replaceWith("a+", "aaa", "x", preUnGreedy), "xxx");
}

TEST(WSRegEx, UnknownEscapeIsLiteralUnlessExtra) {
  EXPECT_EQ(replaceWith("\\y", "xyz", "-", 0), "x-z");
  TWSRegEx rx(preExtra);
  rx.SetPattern("\\y");
  EXPECT_THROW(rx.Match(), ERegExError);
}

TEST(WSRegEx, CharacterTablesLeaveUtf8BytesAlone) {
  // é is C3 A9: neither word bytes nor case-folded, under caseless matching too.
  EXPECT_EQ(replaceWith("\\w+", "a\xC3\xA9z", "_"), "_\xC3\xA9_");
  EXPECT_EQ(replaceWith("\\xE3", "\xC3\xA9", "_"), "\xC3\xA9");
  EXPECT_EQ(replaceWith("\\xC3\\xA9", "\xC3\xA9", "_"), "_");
  EXPECT_EQ(replaceWith("\\bx", "\xC3\xA9x", "_"), "\xC3\xA9_");
  EXPECT_EQ(replaceWith("\\s", "a\xA0" "b", "_"), "a\xA0" "b");
}

TEST(WSRegEx, EmptyPatternIsRefusedWithItsMessage) {
  TWSRegEx rx;
  rx.SetSubject("abc");
  try {
    rx.Match();
    FAIL() << "no exception";
  } catch (const ERegExError& e) {
    EXPECT_STREQ(e.what(), "TWSRegEx.Compile() - Please specify a regular expression in RegEx first");
  }
}

TEST(WSRegEx, RefusedPatternReportsThePatternText) {
  TWSRegEx rx;
  rx.SetPattern("a(b");
  try {
    rx.Compile();
    FAIL() << "no exception";
  } catch (const ERegExError& e) {
    EXPECT_STREQ(e.what(), "a(b");
  }
}

TEST(WSRegEx, QueriesWithoutMatchFail) {
  TWSRegEx rx;
  rx.SetPattern("q");
  rx.SetSubject("abc");
  EXPECT_FALSE(rx.MatchNext());
  for (auto query : {+[](TWSRegEx& r) { (void)r.MatchedText(); }, +[](TWSRegEx& r) { (void)r.MatchOffset(); },
                     +[](TWSRegEx& r) { (void)r.SubmatchCount(); }, +[](TWSRegEx& r) { (void)r.Submatch(0); },
                     +[](TWSRegEx& r) { (void)r.ReplaceMatch("x"); }}) {
    try {
      query(rx);
      ADD_FAILURE() << "no exception";
    } catch (const ERegExError& e) {
      EXPECT_STREQ(e.what(), "REQUIRE: There must be a successful match first");
    }
  }
}

TEST(WSRegEx, SubmatchIndexOutsideGroupsFails) {
  TWSRegEx rx;
  rx.SetPattern("(a)");
  rx.SetSubject("a");
  ASSERT_TRUE(rx.Match());
  EXPECT_EQ(rx.Submatch(5), "");
  for (int index : {-1, 2}) {
    try {
      (void)rx.SubmatchOffset(index);
      ADD_FAILURE() << "no exception for " << index;
    } catch (const ERegExError& e) {
      EXPECT_STREQ(e.what(), "REQUIRE: Index <= SubmatchCount");
    }
    EXPECT_THROW((void)rx.SubmatchLength(index), ERegExError);
  }
}

TEST(WSRegEx, ChangingPatternOrOptionsDropsTheMatch) {
  TWSRegEx rx;
  rx.SetPattern("a");
  rx.SetSubject("a");
  ASSERT_TRUE(rx.Match());
  rx.SetPattern("a");  // the same text keeps compiled form and match
  EXPECT_EQ(rx.MatchedText(), "a");
  rx.SetOptions(0);  // the same set
  EXPECT_EQ(rx.MatchedText(), "a");
  rx.SetOptions(preCaseLess);
  EXPECT_THROW(rx.MatchedText(), ERegExError);
  ASSERT_TRUE(rx.Match());
  rx.SetPattern("b");
  EXPECT_THROW(rx.MatchedText(), ERegExError);
}

TEST(WSRegEx, CachedPatternsKeepTheirOptions) {
  TWSRegEx rx;
  rx.SetPattern("A");
  rx.SetSubject("a");
  EXPECT_FALSE(rx.Match());
  rx.SetOptions(preCaseLess);
  EXPECT_TRUE(rx.Match());
  rx.SetOptions(0);
  EXPECT_FALSE(rx.Match());
  for (int k = 0; k < 300; ++k) {
    rx.SetPattern("p" + std::to_string(k));
    rx.Compile();
  }
  rx.SetPattern("A");
  EXPECT_FALSE(rx.Match());
}

TEST(WSRegEx, GroupIndexFindsNamedGroups) {
  TWSRegEx rx;
  rx.SetPattern("(x)(?<name>y)");
  EXPECT_EQ(rx.GroupIndex("name"), 2);
  EXPECT_LE(rx.GroupIndex("other"), 0);
}

TEST(WSRegEx, TooManyGroupsCountAsNoMatch) {
  std::string pattern;
  for (int k = 0; k < 120; ++k) pattern += "(a)";
  TWSRegEx rx;
  rx.SetPattern(pattern);
  rx.SetSubject(std::string(120, 'a'));
  EXPECT_FALSE(rx.Match());
}

TEST(WSRegEx, CatastrophicBacktrackingEndsAsNoMatch) {
  TWSRegEx rx;
  rx.SetPattern("(a+)+b");
  rx.SetSubject(std::string(40, 'a') + "!b");
  EXPECT_FALSE(rx.Match());
}

TEST(WSRegEx, ExpandReplacementNeedsAMatch) {
  TWSRegEx rx;
  rx.SetPattern("(a)");
  EXPECT_THROW(rx.ExpandReplacement("$1"), ERegExError);
  rx.SetSubject("a");
  ASSERT_TRUE(rx.Match());
  EXPECT_EQ(rx.ExpandReplacement("<$1>"), "<a>");
  EXPECT_EQ(rx.ExpandReplacement("<b>"), "<b>");
}

}  // namespace
}  // namespace vellumine
