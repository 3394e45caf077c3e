// The sanitiser: every hostile row is active before and inert after (judged by Gumbo's tree), and
// a table of exact results for what stays byte for byte and how removals cut.
#include "html/html_sanitiser.h"

#include <gtest/gtest.h>

#include "support/active_content.h"
#include "support/hostile_markup.h"
#include "support/test_support.h"

namespace vellumine::html {
namespace {

using namespace std::string_view_literals;
using vellumine::test::findActiveContent;

// The head the converter writes, which must come through untouched.
constexpr std::string_view kHead =
    "<html>\r\n<head><title></title>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\"/>\r\n"
    "<style>\r\np{margin-top:0px;font-family:'Times New Roman'}\r\n.tab{margin-left:3em}</style></head>"
    "<body><div id=\"page\">\r\n<p>";
constexpr std::string_view kTail = "</p>\r\n</div></body></html>";

std::string pageWith(std::string_view markup) { return std::string(kHead) + std::string(markup) + std::string(kTail); }

class HostileRows : public testing::TestWithParam<vellumine::test::HostileMarkup> {};

TEST_P(HostileRows, AreActiveBeforeAndInertAfter) {
  const std::string page = pageWith(GetParam().markup);
  ASSERT_FALSE(findActiveContent(page).empty()) << "the row is not hostile as it stands";
  const std::string safe = sanitisePage(page);
  for (const std::string& finding : findActiveContent(safe)) ADD_FAILURE() << finding << "\nin: " << safe;
  EXPECT_EQ(safe.substr(0, kHead.size()), kHead);
  EXPECT_EQ(sanitisePage(safe), safe) << "a second pass removes more";
}

INSTANTIATE_TEST_SUITE_P(Rows, HostileRows, testing::ValuesIn(vellumine::test::hostileMarkup()),
                         [](const auto& info) { return std::string(info.param.name); });

struct ExactCase {
  std::string_view name, input, expected;
};

const ExactCase kExactCases[] = {
    // What a converted page holds stays byte for byte.
    {"ConvertedMarkupStays",
     "<p style=\"font-size:27px;color:#FF0000\"><a name=\"_Toc1\"/><a href=\"#_Toc1\">x</a>"
     "<a href=\"http://example.org/\" target=\"_blank\">y</a><a href=\"\">z</a>"
     "<img src=\"media/image1.png\" width=\"10\" height=\"10\" /><img src=\"\" align=center /></p>",
     "<p style=\"font-size:27px;color:#FF0000\"><a name=\"_Toc1\"/><a href=\"#_Toc1\">x</a>"
     "<a href=\"http://example.org/\" target=\"_blank\">y</a><a href=\"\">z</a>"
     "<img src=\"media/image1.png\" width=\"10\" height=\"10\" /><img src=\"\" align=center /></p>"},
    {"EmbeddedRasterImageStays", "<img src=\"data:image/png;base64,iVBORw0KGgo=\">",
     "<img src=\"data:image/png;base64,iVBORw0KGgo=\">"},
    {"WordElementsAndNamespacedAttributesStay", "<m:oMath><v:shape o:spid=\"x\" path=\"m0,0\">a</v:shape></m:oMath>",
     "<m:oMath><v:shape o:spid=\"x\" path=\"m0,0\">a</v:shape></m:oMath>"},
    {"MailLinkWithAllowedFieldsStays", "<a href=\"mailto:a@example.org?subject=Hi&amp;body=x&amp;cc=b&amp;BCC=c\">",
     "<a href=\"mailto:a@example.org?subject=Hi&amp;body=x&amp;cc=b&amp;BCC=c\">"},
    // How removals cut.
    {"AttributeGoesWithTheSpaceBeforeIt", "<img src=x onerror=y alt=z>", "<img src=x alt=z>"},
    {"LastAttributeGoesWithTheSpaceBeforeIt", "<img src=x onerror=\"y\">", "<img src=x>"},
    {"AttributeBeforeASlashLeavesTheSpace", "<img src=x onerror=\"y\"/>", "<img src=x />"},
    {"AttributeJoinedToTheNextGoesAlone", "<img src=\"x\"onerror=\"y\"alt=z>", "<img src=\"x\"alt=z>"},
    {"RemovedAttributesGoAsOneRun", "<img src=x onerror=y onload=z alt=w>", "<img src=x alt=w>"},
    {"BareNameNeverMeetsAnEqualsSign", "<a x onclick=\"y\"=z>", "<a x>"},
    {"ScriptGoesWithItsText", "a<script>if(a<b)x()</script>b", "ab"},
    {"StrayLessThanGoesWithARemovedTag", "<<script>x</script>img src=x onerror=y>", "img src=x onerror=y>"},
    {"FormTagsGoTheirContentStays", "<form action=x>a<input name=b></form>", "a<input name=b>"},
    {"PlaintextTagGoesWhatFollowsIsMarkup", "<plaintext><b onclick=x>a", "<b>a"},
    {"FramesGo", "<frameset onload=x><frame src=y></frameset>", ""},
    {"SubtreeGoesWithNestedCopies", "<svg><svg><g/></svg>x</svg>y<svg/>z", "yz"},
    {"UnclosedSubtreeTakesTheRest", "a<math><mi>x", "a"},
    {"CommentsGo", "a<!-- b -->c<?x?>d", "acd"},
    {"TagCutOffAtTheEndGoes", "a<img src=x onerror=\"y", "a"},
    {"EscByteGoes", "a\x1b$Bb", "a$Bb"},
    {"StyleDeclarationsInTheHeadGo", "<head><style>p{a:b;c:url(x)}</style></head>", "<head><style>p{a:b;}</style></head>"},
    {"StyleSheetWithALessThanGoesWhole", "<head><style>p{a:b}<img src=x onerror=y></style></head>", "<head></head>"},
    {"StyleInTheBodyGoes", "<head></head><body><style>p{a:b}</style>x", "<head></head><body>x"},
    {"StyleAfterHeadTextGoes", "<head>x<style>p{a:b}</style>", "<head>x"},
    {"TitleWithALessThanGoes", "<head><title>a<b</title></head>", "<head></head>"},
    {"MetaRefreshGoes", "<head><meta http-equiv=refresh content=0><meta charset=utf-8></head>",
     "<head><meta charset=utf-8></head>"},
    // Objects, applets and embeds go whole.
    {"ObjectGoesWithWhatItHolds", "a<object dxaOrig=\"1\"><o:OLEObject Type=\"Embed\"/></object>b", "ab"},
    {"NestedObjectsGoAsOne", "a<object><OBJECT></object>b</object>c<object/>d</object>e", "ace"},
    {"AppletGoesWithItsParamsEmbedWithItsTag", "a<applet code=x><param name=y>b</applet>c<embed src=x>d</embed>e",
     "acde"},
    {"UnclosedObjectTakesTheRest", "a<object data=x><p>b", "a"},
    // Mail links lose the fields a mail program must not be given, with one separator each.
    {"MailFieldAfterAKeptOneGoes", "<a href=\"mailto:a@example.org?subject=Hi&amp;attach=/etc/passwd&amp;body=x\">",
     "<a href=\"mailto:a@example.org?subject=Hi&amp;body=x\">"},
    {"MailFieldsBeforeTheFirstKeptOneGoAfterTheQuestionMark",
     "<a href=\"mailto:a@example.org?attach=x&attachment=y&subject=Hi\">", "<a href=\"mailto:a@example.org?subject=Hi\">"},
    {"MailLinkWithOnlyRefusedFieldsKeepsItsAddress", "<a href=mailto:a@example.org?ATTACH=x&amp;Attachment=y>",
     "<a href=mailto:a@example.org>"},
    {"MailFieldNameInReferencesGoes", "<a href=\"mailto:a?subject=Hi&#38;&#x61;tt&#97;ch=x\">",
     "<a href=\"mailto:a?subject=Hi\">"},
    {"MailFieldNamePercentEncodedGoes", "<a href=\"mailto:a?%61%54tach=x&amp;%73ubject=Hi\">",
     "<a href=\"mailto:a?%73ubject=Hi\">"},
    {"MailFieldAfterASecondQuestionMarkGoes", "<a href=\"mailto:a?subject=Hi?attach=x\">", "<a href=\"mailto:a?subject=Hi\">"},
    {"MailFieldWithoutAValueGoes", "<a href=\"mailto:a?attach&amp;body=x&amp;attach\">", "<a href=\"mailto:a?body=x\">"},
    {"MailFieldAfterAnAddressWithoutQuestionMarkGoes", "<a href=\"mailto:a&amp;attach=x\">", "<a href=\"mailto:a\">"},
    {"MailSeparatorWrittenAsAReferenceGoesBeforeTheKeptField",
     "<a href=\"mailto:a&#x3f;attach=x&amp;bcc=b\">", "<a href=\"mailto:a&amp;bcc=b\">"},
    {"MailLinkInCapitalsWithTabsInItsScheme", "<a href=\"\tMAI&#9;LTO:A?SUBJECT=x&AMP;ATTACH=y\">",
     "<a href=\"\tMAI&#9;LTO:A?SUBJECT=x\">"},
    {"MailFieldsOfCiteAndAreaGoToo", "<q cite=\"mailto:a?attach=x\"><area href=\"mailto:a?attach=x\">",
     "<q cite=\"mailto:a\"><area href=\"mailto:a\">"},
    {"NulInATagNameIsAnotherElement", "<scr\0ipt>x</script>"sv, "<scr\0ipt>x"sv},
};

class HtmlSanitiser : public testing::TestWithParam<ExactCase> {};
TEST_P(HtmlSanitiser, KeepsOrCutsExactly) {
  EXPECT_SAME_TEXT(sanitisePage(std::string(GetParam().input)), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Cases, HtmlSanitiser, testing::ValuesIn(kExactCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vellumine::html
