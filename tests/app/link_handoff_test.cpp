// Which link targets the viewer hands to the desktop at once, after asking, or never.
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

}  // namespace
}  // namespace vellumine
