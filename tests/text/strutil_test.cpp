#include "text/strutil.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "text/wsregex.h"

namespace vellumine {
namespace {

struct CutCase {
  const char* name;
  std::string (*cut)(std::string_view, TextPos, TextPos);
  const char* s;
  TextPos a, b;
  const char* expected;
};

// Lets test listings show the case instead of its bytes.
void PrintTo(const CutCase& c, std::ostream* os) { *os << c.name; }

std::string left(std::string_view s, TextPos n, TextPos) { return StrLeft(s, n); }
std::string right(std::string_view s, TextPos n, TextPos) { return StrRight(s, n); }
std::string from(std::string_view s, TextPos p, TextPos) { return StrFrom(s, p); }

const CutCase kCutCases[] = {
    {"LeftTwo", left, "abcd", 2, 0, "ab"},
    {"LeftPastEnd", left, "ab", 5, 0, "ab"},
    {"LeftZero", left, "ab", 0, 0, ""},
    {"RightTwo", right, "abcd", 2, 0, "cd"},
    {"RightPastLengthIsWhole", right, "ab", 9, 0, "ab"},
    {"RightNegative", right, "ab", -1, 0, ""},
    {"MidMiddle", StrMid, "abcdef", 2, 3, "bcd"},
    {"MidCountZeroToEnd", StrMid, "abcdef", 3, 0, "cdef"},
    {"MidStartBelowOneKeepsCount", StrMid, "abcdef", -1, 2, "ab"},
    {"MidCountPastEndStops", StrMid, "abc", 2, 10, "bc"},
    {"MidStartPastEnd", StrMid, "abc", 4, 1, ""},
    {"MidNegativeCount", StrMid, "abc", 1, -2, ""},
    {"FromThree", from, "abcd", 3, 0, "cd"},
    {"FromZero", from, "abcd", 0, 0, "abcd"},
    {"FromPastEnd", from, "abcd", 5, 0, ""},
};

class StrUtilCut : public ::testing::TestWithParam<CutCase> {};
TEST_P(StrUtilCut, FollowsTheCopyRules) {
  const CutCase& c = GetParam();
  EXPECT_EQ(c.cut(c.s, c.a, c.b), c.expected);
}
INSTANTIATE_TEST_SUITE_P(Cases, StrUtilCut, ::testing::ValuesIn(kCutCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct PosCase {
  const char* name;
  TextPos actual;
  TextPos expected;
};

// Lets test listings show the case instead of its bytes.
void PrintTo(const PosCase& c, std::ostream* os) { *os << c.name; }

const PosCase kPosCases[] = {
    {"PosInFirst", PosIn("abcabc", "bc"), 2},
    {"PosInAbsent", PosIn("abc", "x"), 0},
    {"PosInNeedleLongerThanText", PosIn("ab", "abc"), 0},
    {"PosFromSkipsEarlier", PosFrom("abcabc", "abc", 2, false), 4},
    {"PosFromIgnoreCase", PosFrom("ABC", "b", 1, true), 2},
    {"PosFromCaseSensitive", PosFrom("ABC", "b", 1, false), 0},
    {"PosFromPastEnd", PosFrom("abc", "c", 4, false), 0},
    {"PosFromAtLastByte", PosFrom("abc", "c", 3, false), 3},
    {"PosFromOccurrenceMustFit", PosFrom("abc", "cd", 1, false), 0},
    {"PosFromIgnoreCaseFoldsAsciiOnly", PosFrom("x\xC3\x89", "\xC3\xA9", 1, true), 0},
    {"PosWithinBeforeLimit", PosWithin("a;b;c", ";", 1, false, 4), 2},
    {"PosWithinLimitTooSmall", PosWithin("a;b;c", ";", 1, false, 2), 0},
    {"PosWithinMustEndBeforeLimit", PosWithin("ab<p>", "<p>", 1, false, 5), 0},
    {"PosWithinEndsJustBeforeLimit", PosWithin("ab<p>", "<p>", 1, false, 6), 3},
    {"PosWithinIgnoreCase", PosWithin("ab<P>", "<p>", 1, true, 6), 3},
    // An occurrence on the last byte lies before a limit past the end and must be found.
    {"PosWithinLastByte", PosWithin("abc", "c", 1, false, 4), 3},
    {"PosLastFromEnd", PosLast("abcabc", "abc", 0, false), 4},
    {"PosLastStartAtOrBefore", PosLast("abcabc", "abc", 3, false), 1},
    {"PosLastMayExtendBeyondFrom", PosLast("abcabc", "abc", 4, false), 4},
    {"PosLastIgnoreCase", PosLast("aBcAbC", "abc", 0, true), 4},
    {"PosLastAbsent", PosLast("abc", "x", 0, false), 0},
    {"PosFirstOfPicksEarliest", PosFirstOf("x<table><p>", "<p>", "<table", 1, "</table"), 2},
    {"PosFirstOfThirdNeedle", PosFirstOf("x</table>", "<p>", "<table", 1, "</table"), 2},
    {"PosFirstOfFromSkips", PosFirstOf("<p><p>", "<p>", "<table", 2, "</table"), 4},
    {"PosFirstOfNone", PosFirstOf("abc", "<p>", "<table", 1, "</table"), 0},
    {"PosFirstOfDifferentFirstBytes", PosFirstOf("abXcd", "cd", "X", 1, "zz"), 3},
    {"PosFirstOfEarlierPositionWinsOverNeedleOrder", PosFirstOf("x<tr>", "<tr", "<", 1, "x"), 1},
};

class StrUtilPos : public ::testing::TestWithParam<PosCase> {};
TEST_P(StrUtilPos, FindsTheDescribedPosition) { EXPECT_EQ(GetParam().actual, GetParam().expected); }
INSTANTIATE_TEST_SUITE_P(Cases, StrUtilPos, ::testing::ValuesIn(kPosCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct TextCase {
  const char* name;
  std::string actual;
  const char* expected;
};

// Lets test listings show the case instead of its bytes.
void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

std::string replacedInPlace(std::string text, std::string_view oldText, std::string_view newText,
                            bool ignoreCase = false) {
  ReplaceAllInPlace(text, oldText, newText, ignoreCase);
  return text;
}

const TextCase kTextCases[] = {
    {"BetweenFound", TextBetween("<a>x</a>", "<a>", "</a>"), "x"},
    {"BetweenCloseMissing", TextBetween("<a>x", "<a>", "</a>"), ""},
    {"BetweenCloseRightAfterOpen", TextBetween("<a></a>", "<a>", "</a>"), ""},
    {"BetweenOpenMissing", TextBetween("x</a>", "<a>", "</a>"), ""},
    {"BetweenIgnoreCase", TextBetween("<A>x</A>", "<a>", "</a>", true), "x"},
    {"BetweenFirstCloseAfterOpen", TextBetween("</a><a>x</a>y</a>", "<a>", "</a>"), "x"},
    {"SpanOfWholeElement", SpanOf("x<b r=\"1\"/>y", "<b", "/>"), "<b r=\"1\"/>"},
    {"SpanOfCloseMissing", SpanOf("<b r=\"1\">", "<b", "/>"), ""},
    {"SpanOfCloseMustFollowOpen", SpanOf("/><b>", "<b", "/>"), ""},
    {"SpanOfFromSkipsEarlier", SpanOfFrom("<b1/><b2/>", "<b", "/>", 2), "<b2/>"},
    {"ReplaceIgnoreCase", ReplaceAllText("Abcab", "AB", "x", true), "xcx"},
    {"ReplaceCaseSensitiveNoHit", ReplaceAllText("Abcab", "AB", "x", false), "Abcab"},
    {"ReplaceNonOverlapping", ReplaceAllText("aaa", "aa", "b"), "ba"},
    {"ReplaceKeepsCaseOutsideHits", ReplaceAllText("XaY", "A", "-", true), "X-Y"},
    {"ReplaceDeletes", ReplaceAllText("a,b,c", ",", ""), "abc"},
    {"ReplaceGrows", ReplaceAllText("a,b", ",", "<br/>"), "a<br/>b"},
    {"ReplaceEmptyOldNeverOccurs", ReplaceAllText("abc", "", "x"), "abc"},
    {"InPlaceNonOverlapping", replacedInPlace("aaaa", "aa", "b"), "bb"},
    {"InPlaceDeletesAtBothEnds", replacedInPlace("w:aw:bw:", "w:", ""), "ab"},
    {"InPlaceSameLength", replacedInPlace("<tc><tc>x</tc>", "tc>", "td>"), "<td><td>x</td>"},
    {"InPlaceSameLengthNonOverlapping", replacedInPlace("aaaaa", "aa", "ba"), "babaa"},
    {"ViewBetweenFound", std::string(ViewBetween("<a val=\"1\"/>", "val=\"", "\"")), "1"},
    {"ViewBetweenOpenAtTheEnd", std::string(ViewBetween("x<a>", "<a>", "")), ""},
    {"ViewBetweenEmptyValue", std::string(ViewBetween("<a val=\"\"/>", "val=\"", "\"")), ""},
    {"InPlaceShrinksBetweenKeptBytes", replacedInPlace("x><rowspan=1><rowspan", "><rowspan", " rowspan"),
     "x rowspan=1 rowspan"},
    {"InPlaceGrows", replacedInPlace("a,b,", ",", "<br/>"), "a<br/>b<br/>"},
    {"InPlaceIsCaseSensitive", replacedInPlace("W:w:", "w:", ""), "W:"},
    {"InPlaceIgnoringCase", replacedInPlace("a CLASS=x b class=X", " class=x", "", true), "a b"},
    {"JoinEmpty", JoinList({}, ", "), ""},
    {"JoinTwo", JoinList({"a", "b"}, ", "), "a, b"},
    {"JoinArrayConcatenates", JoinArray({"a", "", "c"}, ""), "ac"},
    {"JoinKeepsEmptyItems", JoinList({"", ""}, ";"), ";"},
    {"TrimBlanksAtBothEndsOnly", std::string(TrimBlanks(" \t\r\n1 2\v\f ")), "1 2"},
    {"TrimBlanksLeavesOtherBytes", std::string(TrimBlanks("\xA0x\x85")), "\xA0x\x85"},
    {"TrimBlanksOfBlanksIsEmpty", std::string(TrimBlanks(" \n ")), ""},
};

class StrUtilText : public ::testing::TestWithParam<TextCase> {};
TEST_P(StrUtilText, GivesTheDescribedText) { EXPECT_EQ(GetParam().actual, GetParam().expected); }
INSTANTIATE_TEST_SUITE_P(Cases, StrUtilText, ::testing::ValuesIn(kTextCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct SplitCase {
  const char* name;
  const char* s;
  const char* sep;
  std::vector<std::string> expected;
};

// Lets test listings show the case instead of its bytes.
void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.name; }

const SplitCase kSplitCases[] = {
    {"NoSeparatorGivesOneItem", "a,b", ";", {"a,b"}},
    {"EmptyTextGivesOneEmptyItem", "", ",", {""}},
    {"EmptyItemsKept", "a,,b,", ",", {"a", "", "b", ""}},
    {"LongSeparator", "a<br>b", "<br>", {"a", "b"}},
    {"LeadingSeparator", ",a", ",", {"", "a"}},
};

class StrUtilSplit : public ::testing::TestWithParam<SplitCase> {};
TEST_P(StrUtilSplit, CutsAtEverySeparator) {
  EXPECT_EQ(SplitText(GetParam().s, GetParam().sep), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Cases, StrUtilSplit, ::testing::ValuesIn(kSplitCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct MergeCase {
  const char* name;
  const char* input;
  const char* expected;
};

// Lets test listings show the case instead of its bytes.
void PrintTo(const MergeCase& c, std::ostream* os) { *os << c.name; }

const MergeCase kMergeCases[] = {
    {"TwoIdentical", "<span style=x>a</span><span style=x>b</span>", "<span style=x>ab</span>"},
    {"AcrossLineBreaks", "<span a>x</span>\r\n<span a>y</span><span b>z</span>",
     "<span a>xy</span><span b>z</span>"},
    {"ThreeInARow", "<span a>1</span><span a>2</span>\t<span a>3</span>!", "<span a>123</span>!"},
    {"DifferentTagsStay", "<span a>1</span><span b>2</span>", "<span a>1</span><span b>2</span>"},
    {"SpaceBetweenStops", "<span a>1</span> <span a>2</span>", "<span a>1</span> <span a>2</span>"},
    {"ClosingTagFollowing", "<b><span a>1</span></b><span a>2</span>", "<b><span a>1</span></b><span a>2</span>"},
    {"SeparateRunsMergeLater", "<span a>1</span><i/><span b>2</span><span b>3</span>",
     "<span a>1</span><i/><span b>23</span>"},
    // An opening tag without ">" once made the scan restart at the beginning for ever.
    {"UnclosedOpeningTagLeftAlone", "x<span a", "x<span a"},
    {"ElementWithoutCloseLeftAlone", "<span a>1<span a>2", "<span a>1<span a>2"},
    {"TextWithoutSpans", "plain", "plain"},
    {"EndsRightAfterClose", "<span a>1</span>", "<span a>1</span>"},
    {"EndsWithLoneAngle", "<span a>1</span><", "<span a>1</span><"},
};

class StrUtilMerge : public ::testing::TestWithParam<MergeCase> {};
TEST_P(StrUtilMerge, JoinsNeighboursWithTheSameOpeningTag) {
  EXPECT_EQ(MergeAdjacentElements(GetParam().input, "span"), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Cases, StrUtilMerge, ::testing::ValuesIn(kMergeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StrUtil, AppendRangeWritesAtFillAndGrows) {
  std::string buffer(4, '\0');
  TextPos fill = 1;
  AppendRange(buffer, fill, "abcdef", 2, 4);
  EXPECT_EQ(fill, 4);
  AppendRange(buffer, fill, "xyz", 1, 3);  // passes the room: grows
  EXPECT_EQ(fill, 7);
  EXPECT_GE(static_cast<TextPos>(buffer.size()), fill);
  AppendRange(buffer, fill, "xyz", 3, 2);  // last before first: nothing
  buffer.resize(static_cast<std::size_t>(fill - 1));
  EXPECT_EQ(buffer, "bcdxyz");
}

TEST(StrUtil, RegexShorthandsRewriteText) {
  TWSRegEx rx(preCaseLess | preSingleLine);
  std::string text = "<P>a</p><p>b</p>";
  RegexReplaceAll(rx, text, "<p>(.*?)</p>", "[$1]");
  EXPECT_EQ(text, "[a][b]");
  RegexDeleteAll(rx, text, "\\[|\\]");
  EXPECT_EQ(text, "ab");
}

}  // namespace
}  // namespace vellumine
