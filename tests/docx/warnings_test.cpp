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

// Items not shown are told apart by what they are, and counted apart from what the reading survived.
TEST(Warnings, ItemsNotShownHaveALinePerThingAndACount) {
  Warnings w;
  w.add(WarningKind::itemNotShown, "chart");
  w.add(WarningKind::malformedNumber, "9x");
  w.add(WarningKind::itemNotShown, "diagram");
  w.add(WarningKind::itemNotShown, "chart");
  w.add(WarningKind::pictureNotConverted, "word/media/image1.emf");
  EXPECT_EQ(w.itemsNotShown(), 4);
  EXPECT_EQ(w.count(WarningKind::itemNotShown), 3);
  const std::vector<std::string> items = {"2 charts not shown", "1 diagram not shown",
                                          "1 picture could not be converted (word/media/image1.emf)"};
  EXPECT_EQ(w.lines(WarningLines::itemsNotShown), items);
  EXPECT_EQ(w.lines(WarningLines::survived), std::vector<std::string>{"malformed number \"9x\" ignored"});
  EXPECT_EQ(w.lines().size(), 4u);
}

TEST(Warnings, NothingRecordedSaysNothing) {
  Warnings w;
  EXPECT_TRUE(w.empty());
  EXPECT_TRUE(w.lines().empty());
  EXPECT_EQ(w.itemsNotShown(), 0);
}

}  // namespace
}  // namespace vellumine::docx
