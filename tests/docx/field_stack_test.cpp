// What a field's instruction says: its type and argument, and for HYPERLINK the address, anchor
// and tooltip.  (Which inlines fields show is the story reader's test.)
#include "docx/field_stack.h"

#include <string>

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace vellumine::docx {
namespace {

struct InstructionCase {
  std::string name;
  std::string instruction;
  std::string type, argument;
};

void PrintTo(const InstructionCase& row, std::ostream* out) { *out << row.name; }

const InstructionCase kInstructionCases[] = {
    {"TypeIsUpperCased", " page ", "PAGE", ""},
    {"ArgumentIsTrimmed", "  mergefield  Name \\* MERGEFORMAT ", "MERGEFIELD", "Name \\* MERGEFORMAT"},
    {"BlanksOfAnyKindSeparate", "REF\t_Ref1\n\\h", "REF", "_Ref1\n\\h"},
    {"EmptyInstruction", "   ", "", ""},
    {"NonAsciiKeptAsWritten", "SEQ Abb\xC3\xBC", "SEQ", "Abb\xC3\xBC"},
};

class FieldInstructions : public testing::TestWithParam<InstructionCase> {};

TEST_P(FieldInstructions, SayTypeAndArgument) {
  const Field field = fieldFromInstruction(GetParam().instruction);
  EXPECT_EQ(field.type, GetParam().type);
  EXPECT_EQ(field.argument, GetParam().argument);
}

INSTANTIATE_TEST_SUITE_P(Cases, FieldInstructions, testing::ValuesIn(kInstructionCases), test::caseName);

struct HyperlinkCase {
  std::string name;
  std::string argument;
  std::string url, anchor, tooltip;
};

void PrintTo(const HyperlinkCase& row, std::ostream* out) { *out << row.name; }

const HyperlinkCase kHyperlinkCases[] = {
    {"QuotedAddress", "\"https://a.b/c d\"", "https://a.b/c d", "", ""},
    {"BareAddress", "https://a.b/c", "https://a.b/c", "", ""},
    {"AnchorOnly", "\\l \"_Toc12\"", "", "_Toc12", ""},
    {"EverySwitch", "\"https://x.y\" \\t \"_blank\" \\o \"the tip\" \\l \"part\" \\n", "https://x.y", "part", "the tip"},
    {"TargetFrameIsNotTheAddress", "\\t \"_top\" \"https://z\"", "https://z", "", ""},
    {"UnclosedQuoteRunsToTheEnd", "\"https://open", "https://open", "", ""},
    {"EmptyArgument", "", "", "", ""},
};

class HyperlinkFields : public testing::TestWithParam<HyperlinkCase> {};

TEST_P(HyperlinkFields, GiveTheirTarget) {
  const Link link = linkFromHyperlinkField(GetParam().argument);
  EXPECT_EQ(link.url, GetParam().url);
  EXPECT_EQ(link.anchor, GetParam().anchor);
  EXPECT_EQ(link.tooltip, GetParam().tooltip);
}

INSTANTIATE_TEST_SUITE_P(Cases, HyperlinkFields, testing::ValuesIn(kHyperlinkCases), test::caseName);

}  // namespace
}  // namespace vellumine::docx
