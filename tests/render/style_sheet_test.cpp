// The style sheet's classes: one per distinct look, named in order of first use, so a long
// document gets a short sheet.
#include "render/style_sheet.h"

#include <deque>

#include <gtest/gtest.h>

namespace vellumine::render {
namespace {

std::string name(ClassName c) {
  std::string out;
  appendClassName(out, c);
  return out;
}

TEST(StyleSheet, EqualFormatsAtDifferentAddressesShareOneClass) {
  StyleSheet sheet;
  std::deque<docx::RunFormat> formats(3);
  formats[1].bold = true;  // formats[0] and formats[2] are equal
  EXPECT_EQ(name(sheet.runClass(formats[0])), "r1");
  EXPECT_EQ(name(sheet.runClass(formats[1])), "r2");
  EXPECT_EQ(name(sheet.runClass(formats[2])), "r1");
  EXPECT_EQ(sheet.rules(), ".r1{font-size:10pt;}\n.r2{font-size:10pt;font-weight:bold;}\n");
}

TEST(StyleSheet, EachKindCountsOnItsOwn) {
  StyleSheet sheet;
  const docx::RunFormat run;
  const docx::ParagraphFormat paragraph;
  const docx::CellFormat cell;
  EXPECT_EQ(name(sheet.runClass(run)), "r1");
  EXPECT_EQ(name(sheet.paragraphClass(paragraph)), "p1");
  EXPECT_EQ(name(sheet.cellClass(cell)), "c1");
  EXPECT_EQ(name(sheet.cellClass(cell)), "c1");
}

TEST(StyleSheet, ManyRunsOfFewLooksMakeFewRules) {
  StyleSheet sheet;
  std::deque<docx::RunFormat> formats;
  for (int k = 0; k < 10000; ++k) {
    formats.emplace_back().size = 20 + 2 * (k % 3);
    sheet.runClass(formats.back());
  }
  EXPECT_EQ(std::count(sheet.rules().begin(), sheet.rules().end(), '\n'), 3);
}

TEST(StyleSheet, BorderedParagraphsGetTheRulesThatJoinThem) {
  StyleSheet sheet;
  docx::ParagraphFormat boxed;
  boxed.borders.top = docx::ResolvedBorder{docx::BorderStyle::single, 4, 0, 0};
  sheet.paragraphClass(boxed);
  const std::string& rules = sheet.rules();
  EXPECT_NE(rules.find("\n.p1.vm-jt{margin-top:0;border-top:none;padding-top:0px;}\n"), std::string::npos) << rules;
  EXPECT_NE(rules.find("\n.p1.vm-jb{border-bottom:none;margin-bottom:0;padding-bottom:0px;}\n"), std::string::npos)
      << rules;
}

}  // namespace
}  // namespace vellumine::render
