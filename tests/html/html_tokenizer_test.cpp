// The tokenizer on the states that decide where a tag, a value, a comment or raw text ends.
#include "html/html_tokenizer.h"

#include <gtest/gtest.h>

#include "html/token_reading.h"

namespace vellumine::html {
namespace {

using namespace std::string_view_literals;

struct TokenCase {
  std::string_view name, input, expected;
};
std::string caseName(const testing::TestParamInfo<TokenCase>& info) { return std::string(info.param.name); }

const TokenCase kTokenCases[] = {
    {"TextAndTags", "a<p>b</p>", "t(a) <p> t(b) </p>"},
    {"LessThanThatOpensNothingIsText", "1 < 2 <3 <", "t(1 < 2 <3 <)"},
    {"NamesKeepTheirCase", "<DiV ClAsS=x>", "<DiV ClAsS=[x]>"},
    {"ValuesQuotedUnquotedAndMissing", "<a b=\"1 2\" c='3' d=4 e f = 5>", "<a b=[1 2] c=[3] d=[4] e f=[5]>"},
    {"UnquotedValueTakesSlashesAndQuotes", "<a b=x/y\"z c>", "<a b=[x/y\"z] c>"},
    {"SlashBetweenAttributesSeparates", "<img/src=x/onerror=y>", "<img src=[x/onerror=y]>"},
    {"QuotedValueNeedsNoSpaceAfter", "<a b=\"1\"c=\"2\">", "<a b=[1] c=[2]>"},
    {"EqualsSignStartsAName", "<a =b>", "<a =b>"},
    {"QuoteInANameIsPartOfIt", "<a \"b=c>", "<a \"b=[c]>"},
    {"EmptyValueBeforeTheEnd", "<a b=>", "<a b=[]>"},
    {"SelfClosing", "<br/><br / >", "<br/> <br>"},
    {"FormFeedSeparatesVerticalTabDoesNot", "<a\fb\vc>", "<a b\vc>"},
    {"NulStaysInTheName", "<scr\0ipt>"sv, "<scr\0ipt>"sv},
    {"TagCutOffByTheEndIsDropped", "x<a href=\"y", "t(x) x(<a href=\"y)"},
    {"EmptyEndTagIsDropped", "</>x", "x(</>) t(x)"},
    {"LoneEndTagOpenAtTheEndIsText", "x</", "t(x</)"},
    {"CommentEndsAtTheFirstClose", "<!--a-->b-->", "c(<!--a-->) t(b-->)"},
    {"CommentClosedWithBang", "<!--a--!>b", "c(<!--a--!>) t(b)"},
    {"AbruptComments", "<!--><!--->x", "c(<!-->) c(<!--->) t(x)"},
    {"DashesBeforeTheClose", "<!-- a ---->x", "c(<!-- a ---->) t(x)"},
    {"UnclosedCommentRunsToTheEnd", "<!-- a", "c(<!-- a)"},
    {"BogusCommentsEndAtTheFirstGt", "<?a>b<!x>c</1>d<![CDATA[e]]>", "c(<?a>) t(b) c(<!x>) t(c) c(</1>) t(d) c(<![CDATA[e]]>)"},
    {"DoctypeEndsAtTheFirstGtEvenInQuotes", "<!DOCTYPE html PUBLIC \"a>b\">", "d(<!DOCTYPE html PUBLIC \"a>) t(b\">)"},
    {"RcDataEndsOnlyAtItsEndTag", "<title><b></titlex></TITLE >x", "<title> t(<b></titlex>) </TITLE> t(x)"},
    {"RawTextNeedsADelimiterAfterTheName", "<style>a</style", "<style> t(a</style)"},
    {"ScriptEndTag", "<script>a</script>b", "<script> t(a) </script> t(b)"},
    {"EscapedScriptEndsAtEndTag", "<script><!--</script>x", "<script> t(<!--) </script> t(x)"},
    {"DoubleEscapedScriptSkipsAnEndTag", "<script><!--<script></script>a</script>x", "<script> t(<!--<script></script>a) </script> t(x)"},
    {"EscapeClosedBeforeTheInnerScript", "<script><!-- --><script></script>x", "<script> t(<!-- --><script>) </script> t(x)"},
    {"PlaintextNeverEnds", "<plaintext></plaintext><b>", "<plaintext> t(</plaintext><b>)"},
};

class HtmlTokenizer : public testing::TestWithParam<TokenCase> {};
TEST_P(HtmlTokenizer, CutsTheTextAsBrowsersDo) {
  EXPECT_EQ(test::describeTokens(GetParam().input), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Cases, HtmlTokenizer, testing::ValuesIn(kTokenCases), caseName);

}  // namespace
}  // namespace vellumine::html
