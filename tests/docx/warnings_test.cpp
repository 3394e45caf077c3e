// Warnings: one line per kind, in the order the kinds first occurred, the first detail kept.
#include "docx/warnings.h"

#include <gtest/gtest.h>

namespace vellumine::docx {
namespace {

TEST(Warnings, OneLinePerKindWithTheFirstDetailAndACount) {
  Warnings w;
  w.add(WarningKind::malformedNumber, "9x");
  w.add(WarningKind::missingPart, "word/numbering.xml");
  w.add(WarningKind::malformedNumber, "abc");
  w.add(WarningKind::malformedNumber, "");
  EXPECT_EQ(w.count(WarningKind::malformedNumber), 3);
  EXPECT_EQ(w.count(WarningKind::malformedXml), 0);
  const std::vector<std::string> expected = {"malformed number \"9x\" ignored (3 times)",
                                             "missing part word/numbering.xml"};
  EXPECT_EQ(w.lines(), expected);
}

TEST(Warnings, ALongDetailIsCut) {
  Warnings w;
  w.add(WarningKind::malformedNumber, std::string(100000, '7'));
  const std::vector<std::string> lines = w.lines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], "malformed number \"" + std::string(80, '7') + "...\" ignored");
}

TEST(Warnings, NothingRecordedSaysNothing) {
  Warnings w;
  EXPECT_TRUE(w.empty());
  EXPECT_TRUE(w.lines().empty());
}

}  // namespace
}  // namespace vellumine::docx
