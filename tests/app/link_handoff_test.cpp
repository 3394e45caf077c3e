// Which link targets the viewer hands to the desktop at once, after asking, or never, and what a
// mail link still holds when it is handed over.
#include "app/link_handoff.h"

#include <gtest/gtest.h>

namespace vellumine {
namespace {

TEST(LinkHandOff, WebAndMailAtOnceFilesAfterAskingTheRestNever) {
  const std::pair<std::string_view, LinkHandOff> cases[] = {
      {"http", LinkHandOff::OpenAtOnce},   {"HTTPS", LinkHandOff::OpenAtOnce}, {"mailto", LinkHandOff::OpenAtOnce},
      {"file", LinkHandOff::AskFirst},     {"Ftp", LinkHandOff::AskFirst},     {"javascript", LinkHandOff::Refuse},
      {"data", LinkHandOff::Refuse},       {"smb", LinkHandOff::Refuse},       {"", LinkHandOff::Refuse},
  };
  for (const auto& [scheme, expected] : cases) EXPECT_EQ(linkHandOff(scheme), expected) << scheme;
}

struct HandOverCase {
  std::string_view name, url, handed;
};

const HandOverCase kHandOverCases[] = {
    {"AddressAloneStays", "mailto:ann@example.org", "mailto:ann@example.org"},
    {"AllowedFieldsStayInOrder", "mailto:ann@example.org?subject=Hi%20there&body=a%0Ab&cc=bo@example.org&bcc=cy@x",
     "mailto:ann@example.org?subject=Hi%20there&body=a%0Ab&cc=bo@example.org&bcc=cy@x"},
    {"AttachGoes", "mailto:ann@example.org?subject=Hi&attach=/etc/passwd", "mailto:ann@example.org?subject=Hi"},
    {"AttachmentBeforeAKeptFieldGoes", "mailto:ann@example.org?attachment=~/.ssh/id_rsa&body=x",
     "mailto:ann@example.org?body=x"},
    {"PercentEncodedNameGoes", "mailto:ann@example.org?%61ttach=/etc/passwd&%62ody=x", "mailto:ann@example.org?%62ody=x"},
    {"NameInCapitalsGoes", "MAILTO:ANN@EXAMPLE.ORG?SUBJECT=HI&ATTACH=/ETC/PASSWD", "MAILTO:ANN@EXAMPLE.ORG?SUBJECT=HI"},
    {"FieldAfterASecondQuestionMarkGoes", "mailto:ann@example.org?subject=Hi?attach=/etc/passwd&body=x",
     "mailto:ann@example.org?subject=Hi&body=x"},
    {"FieldWithoutAValueGoes", "mailto:ann@example.org?attach&subject=Hi&attach", "mailto:ann@example.org?subject=Hi"},
    {"EmptyFieldsGo", "mailto:ann@example.org?&&subject=Hi&&", "mailto:ann@example.org?subject=Hi"},
    {"OnlyRefusedFieldsLeaveTheAddress", "mailto:ann@example.org?Attach=a&X-Attach=b", "mailto:ann@example.org"},
    {"FieldAfterAnAddressWithoutQuestionMarkGoes", "mailto:ann@example.org&attach=/etc/passwd", "mailto:ann@example.org"},
    {"FieldInTheFragmentGoes", "mailto:ann@example.org?subject=Hi#&attach=/etc/passwd",
     "mailto:ann@example.org?subject=Hi#"},
    {"NameLongerThanAnyAllowedGoes", "mailto:a?subjectsubject=x&%73%75%62%6A%65%63%74=y", "mailto:a?%73%75%62%6A%65%63%74=y"},
    {"WebLinkStaysAsItIs", "https://example.org/?attach=x&y=z", "https://example.org/?attach=x&y=z"},
    {"FileLinkStaysAsItIs", "file:///tmp/a?attach=x", "file:///tmp/a?attach=x"},
};

class HandOver : public testing::TestWithParam<HandOverCase> {};

TEST_P(HandOver, MailLinksKeepOnlyTheirAddressAndAllowedFields) {
  EXPECT_EQ(linkToHandOver(GetParam().url), GetParam().handed);
}

INSTANTIATE_TEST_SUITE_P(Links, HandOver, testing::ValuesIn(kHandOverCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vellumine
