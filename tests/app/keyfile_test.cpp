#include "app/keyfile.h"

#include <string>

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace vellumine {
namespace {

constexpr std::string_view kGroup = "Default Applications";
constexpr std::string_view kKey = "text/x-demo";

struct SetCase {
  std::string_view name;
  std::string_view text;
  std::string_view expected;  // after setting kKey to "new.desktop;" in kGroup
};

const SetCase kSetCases[] = {
    {"EmptyTextGetsGroupAndKey", "", "[Default Applications]\ntext/x-demo=new.desktop;\n"},
    {"KeyReplacedInPlace", "[Default Applications]\na/b=x.desktop\ntext/x-demo=old.desktop;\nc/d=y.desktop\n",
     "[Default Applications]\na/b=x.desktop\ntext/x-demo=new.desktop;\nc/d=y.desktop\n"},
    {"SpacedKeyReplacedOtherLinesUntouched",
     "# mine\n[Default Applications]\n  text/x-demo = old.desktop  \n  a/b =  x.desktop\n",
     "# mine\n[Default Applications]\ntext/x-demo=new.desktop;\n  a/b =  x.desktop\n"},
    {"MissingKeyGoesBelowTheHeader",
     "[Added Associations]\ntext/x-demo=z.desktop;\n\n[Default Applications]\na/b=x.desktop\n",
     "[Added Associations]\ntext/x-demo=z.desktop;\n\n"
     "[Default Applications]\ntext/x-demo=new.desktop;\na/b=x.desktop\n"},
    {"KeyOfAnotherGroupLeftAlone", "[Added Associations]\ntext/x-demo=z.desktop;\n",
     "[Added Associations]\ntext/x-demo=z.desktop;\n[Default Applications]\ntext/x-demo=new.desktop;\n"},
    {"CrLfEndingsKept", "[Default Applications]\r\na/b=x.desktop\r\ntext/x-demo=old\r\n",
     "[Default Applications]\r\na/b=x.desktop\r\ntext/x-demo=new.desktop;\r\n"},
    {"MissingFinalBreakKept", "[Default Applications]\ntext/x-demo=old",
     "[Default Applications]\ntext/x-demo=new.desktop;"},
    {"HeaderWithoutBreakGetsOne", "[Default Applications]",
     "[Default Applications]\ntext/x-demo=new.desktop;"},
    {"CommentedKeyIsNoKey", "[Default Applications]\n#text/x-demo=old\n",
     "[Default Applications]\ntext/x-demo=new.desktop;\n#text/x-demo=old\n"},
    {"LongerKeyIsNoMatch", "[Default Applications]\ntext/x-demo2=old\n",
     "[Default Applications]\ntext/x-demo=new.desktop;\ntext/x-demo2=old\n"},
    {"OnlyTheFirstGroupOfTheName",
     "[Default Applications]\na=1\n[Other]\n[Default Applications]\ntext/x-demo=old\n",
     "[Default Applications]\ntext/x-demo=new.desktop;\na=1\n[Other]\n"
     "[Default Applications]\ntext/x-demo=old\n"},
    {"TextWithoutFinalBreakBeforeNewGroup", "[Other]\na=1",
     "[Other]\na=1\n[Default Applications]\ntext/x-demo=new.desktop;\n"},
};

class KeyfileSet : public ::testing::TestWithParam<SetCase> {};

TEST_P(KeyfileSet, OnlyTheKeysLineChanges) {
  const SetCase& c = GetParam();
  std::string changed = setKeyFileValue(c.text, kGroup, kKey, "new.desktop;");
  EXPECT_SAME_TEXT(changed, c.expected);
  EXPECT_EQ(keyFileValue(changed, kGroup, kKey), "new.desktop;");
}

INSTANTIATE_TEST_SUITE_P(Keyfile, KeyfileSet, ::testing::ValuesIn(kSetCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Keyfile, ValueFoundOnlyInItsGroup) {
  constexpr std::string_view text =
      "[Added Associations]\ntext/x-demo=z.desktop;\n"
      "[Default Applications]\r\n a/b = x.desktop \r\ntext/x-demo=\n";
  EXPECT_EQ(keyFileValue(text, kGroup, "a/b"), "x.desktop");
  EXPECT_EQ(keyFileValue(text, kGroup, kKey), "");
  EXPECT_EQ(keyFileValue(text, "Added Associations", kKey), "z.desktop;");
  EXPECT_EQ(keyFileValue(text, kGroup, "c/d"), std::nullopt);
  EXPECT_EQ(keyFileValue(text, "Removed Associations", kKey), std::nullopt);
  EXPECT_EQ(keyFileValue("text/x-demo=outside any group\n", kGroup, kKey), std::nullopt);
}

}  // namespace
}  // namespace vellumine
