// List counters over a document: continuing across interruptions, levels restarting below the level
// that advances, instances sharing an abstract list's counters unless they override a start,
// legal numbering, numbering through paragraph styles, removed and missing numbering, skipped
// levels; bullets in symbol faces; stories and tables.
#include "docx/list_labels.h"

#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/model_builder.h"
#include "support/test_support.h"

namespace vellumine::docx {
namespace {

// The lists every counter case can use.
//   abstract 10: "%1." decimal, "(%2)" lowerLetter, "%1.%2.%3" decimal; instances 1 and 2 plain,
//     3 with a start override of 5 on level 0, 5 with level 0 replaced by "%1)" upperLetter;
//   abstract 20: "%1." upperRoman, "%1.%2" decimal with w:isLgl; instance 4;
//   abstract 30: "%1." decimal, "%2." lowerLetter never restarting; instance 7;
//   instance 6 names a missing abstract list.
// Styles: ListPara (numId 1, no level), Heading2 (numId 4, level 1), Normal.
void addLists(test::ModelBuilder& b) {
  b.addLevel(10, 0, NumberFormat::decimal, "%1.");
  b.addLevel(10, 1, NumberFormat::lowerLetter, "(%2)");
  b.addLevel(10, 2, NumberFormat::decimal, "%1.%2.%3");
  b.addList(1, 10);
  b.addList(2, 10);
  b.addList(3, 10).overrides[0].startOverride = 5;
  ListLevel replaced;
  replaced.present = true;
  replaced.format = NumberFormat::upperLetter;
  replaced.text = "%1)";
  b.addList(5, 10).overrides[0].level = std::make_shared<const ListLevel>(replaced);
  b.addLevel(20, 0, NumberFormat::upperRoman, "%1.");
  b.addLevel(20, 1, NumberFormat::decimal, "%1.%2").legal = true;
  b.addList(4, 20);
  b.addLevel(30, 0, NumberFormat::decimal, "%1.");
  b.addLevel(30, 1, NumberFormat::lowerLetter, "%2.").restartAfter = 0;
  b.addList(7, 30);
  b.addList(6, 99);
  b.addStyle(StyleType::paragraph, "Normal").isDefault = true;
  b.addStyle(StyleType::paragraph, "ListPara", "Normal").paragraph.numbering.numId = 1;
  Style& heading = b.addStyle(StyleType::paragraph, "Heading2", "Normal");
  heading.paragraph.numbering.numId = 4;
  heading.paragraph.numbering.level = 1;
}

constexpr int kNone = -1;

// One paragraph: its own numId and level (kNone: not written) and its style.
struct Item {
  Item(int numId_ = kNone, int level_ = kNone, std::string style_ = "")
      : numId(numId_), level(level_), style(std::move(style_)) {}
  int numId, level;
  std::string style;
};

struct CounterCase {
  std::string name;
  std::vector<Item> items;
  std::vector<std::string> expected;  // each paragraph's label, "" for none
};

const CounterCase kCounterCases[] = {
    {"ConsecutiveItemsCount", {{1, 0}, {1, 0}, {1, 0}}, {"1.", "2.", "3."}},
    {"InterruptionContinuesTheList", {{1, 0}, {}, {1, 0}}, {"1.", "", "2."}},
    {"LowerLevelRestartsAfterItsParent", {{1, 0}, {1, 1}, {1, 1}, {1, 0}, {1, 1}}, {"1.", "(a)", "(b)", "2.", "(a)"}},
    {"InstancesOfOneListShareCounters", {{1, 0}, {2, 0}, {1, 0}}, {"1.", "2.", "3."}},
    {"StartOverrideGivesItsOwnCounters", {{1, 0}, {1, 0}, {3, 0}, {3, 0}, {1, 0}}, {"1.", "2.", "5.", "6.", "3."}},
    {"LevelOverrideReplacesTheLevel", {{5, 0}, {5, 0}}, {"A)", "B)"}},
    {"SkippedLevelShowsOneLessThanItsStart", {{1, 0}, {1, 2}}, {"1.", "1.0.1"}},
    {"ListStartingDeep", {{1, 2}, {1, 2}}, {"0.0.1", "0.0.2"}},
    {"LegalNumberingIsDecimal", {{4, 0}, {4, 1}, {4, 0}, {4, 1}}, {"I.", "1.1", "II.", "2.1"}},
    {"LevelThatNeverRestarts", {{7, 0}, {7, 1}, {7, 0}, {7, 1}}, {"1.", "a.", "2.", "b."}},
    {"NumberingThroughTheStyle", {{kNone, kNone, "ListPara"}, {kNone, kNone, "ListPara"}}, {"1.", "2."}},
    {"OwnLevelWithTheStylesList", {{kNone, 1, "ListPara"}}, {"(a)"}},
    {"StyleGivesTheLevel", {{4, 0}, {kNone, kNone, "Heading2"}}, {"I.", "1.1"}},
    {"NumIdZeroRemovesTheStylesNumbering", {{0, kNone, "ListPara"}, {kNone, kNone, "ListPara"}}, {"", "1."}},
    {"MissingInstanceIsIgnored", {{77, 0}, {1, 0}}, {"", "1."}},
    {"MissingAbstractListIsIgnored", {{6, 0}}, {""}},
    {"UndefinedLevelIsIgnored", {{1, 5}}, {""}},
    {"HugeLevelIsCutToTheLast", {{1, 100000}}, {""}},
};

class ListCounters : public testing::TestWithParam<CounterCase> {};

TEST_P(ListCounters, NumberTheParagraphs) {
  const CounterCase& c = GetParam();
  test::ModelBuilder b;
  addLists(b);
  for (const Item& item : c.items) {
    ParagraphProps props;
    if (item.numId != kNone) props.numbering.numId = item.numId;
    if (item.level != kNone) props.numbering.level = item.level;
    if (!item.style.empty()) props.styleId = item.style;
    b.addParagraph(props);
  }
  Document& document = b.document();
  assignListLabels(document);
  std::vector<std::string> labels;
  for (const Block& block : document.body.blocks) {
    const Paragraph& paragraph = std::get<Paragraph>(block.node);
    labels.push_back(paragraph.listLabel < 0 ? "" : document.listLabels[static_cast<std::size_t>(paragraph.listLabel)].text);
  }
  EXPECT_EQ(labels, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Counters, ListCounters, testing::ValuesIn(kCounterCases), test::caseName);

struct BulletCase {
  std::string name;
  std::string face;       // the level's ascii font
  std::string text;       // its w:lvlText
  std::string expected;
  bool facesKept;         // the label keeps the level's fonts
};

const BulletCase kBulletCases[] = {
    {"SymbolBullet", "Symbol", "\xEF\x82\xB7", "\xE2\x80\xA2", false},
    {"WingdingsSquare", "Wingdings", "\xEF\x82\xA7", "\xE2\x96\xAA", false},
    {"WingdingsEightBitCode", "Wingdings", "\xC2\xA7", "\xE2\x96\xAA", false},
    {"WingdingsArrow", "Wingdings", "\xEF\x83\x98", "\xE2\x9E\xA2", false},
    {"WingdingsCheck", "Wingdings", "\xEF\x83\xBC", "\xE2\x9C\x93", false},
    {"WingdingsDiamond", "Wingdings", "\xEF\x81\xB5", "\xE2\x97\x86", false},
    {"WingdingsUnknownIsABullet", "Wingdings", "\xEF\x80\xA5", "\xE2\x80\xA2", false},
    {"PrivateUseWithoutFaceIsSymbols", "", "\xEF\x82\xB7", "\xE2\x80\xA2", false},
    {"TextFaceKeepsItsLetter", "Courier New", "o", "o", true},
    {"UnicodeBulletStays", "Arial", "\xE2\x80\x93", "\xE2\x80\x93", true},
};

class ListBullets : public testing::TestWithParam<BulletCase> {};

TEST_P(ListBullets, DrawTheirLookAlikes) {
  const BulletCase& c = GetParam();
  test::ModelBuilder b;
  ListLevel& level = b.addLevel(1, 0, NumberFormat::bullet, c.text);
  if (!c.face.empty()) level.run.fonts.ascii.name = c.face;
  level.run.color = test::rgbColor(0xFF0000);
  b.addList(1, 1);
  ParagraphProps props;
  props.numbering.numId = 1;
  b.addParagraph(props);
  Document& document = b.document();
  assignListLabels(document);
  ASSERT_EQ(document.listLabels.size(), 1u);
  const ListLabel& label = document.listLabels[0];
  EXPECT_TRUE(label.bullet);
  EXPECT_EQ(label.text, c.expected);
  const RunProps& labelProps = document.runProps[label.runProps];
  EXPECT_EQ(labelProps.fonts.ascii.isSet(), c.facesKept);
  EXPECT_EQ(labelProps.color, test::rgbColor(0xFF0000));  // the rest of the level's formatting stays
}

INSTANTIATE_TEST_SUITE_P(Bullets, ListBullets, testing::ValuesIn(kBulletCases), test::caseName);

TEST(ListLabelsStories, EachStoryCountsOnItsOwnAndTablesInReadingOrder) {
  test::ModelBuilder b;
  addLists(b);
  ParagraphProps numbered;
  numbered.numbering.numId = 1;
  numbered.numbering.level = 0;
  b.addParagraph(numbered);
  Table& table = b.addTable({}, {{{}, {}}});
  for (Cell& cell : table.rows[0].cells) {
    std::get<Paragraph>(cell.blocks[0].node).props = b.paragraphProps(numbered);
  }
  b.addParagraph(numbered);
  Note note;
  note.story.blocks.push_back(Block{b.paragraph(numbered)});
  b.document().footnotes.push_back(note);
  Document& document = b.document();
  assignListLabels(document);
  auto labelOf = [&](const Paragraph& p) { return document.listLabels[static_cast<std::size_t>(p.listLabel)].text; };
  const auto& cells = std::get<Table>(document.body.blocks[1].node).rows[0].cells;
  EXPECT_EQ(labelOf(std::get<Paragraph>(document.body.blocks[0].node)), "1.");
  EXPECT_EQ(labelOf(std::get<Paragraph>(cells[0].blocks[0].node)), "2.");
  EXPECT_EQ(labelOf(std::get<Paragraph>(cells[1].blocks[0].node)), "3.");
  EXPECT_EQ(labelOf(std::get<Paragraph>(document.body.blocks[2].node)), "4.");
  EXPECT_EQ(labelOf(std::get<Paragraph>(document.footnotes[0].story.blocks[0].node)), "1.");
}

TEST(ListLabelsBounds, CountersStopAtTheLargestNumber) {
  test::ModelBuilder b;
  b.addLevel(1, 0, NumberFormat::decimal, "%1.", std::numeric_limits<int>::max());
  b.addLevel(1, 1, NumberFormat::decimal, "%1.%2.", std::numeric_limits<int>::min());
  b.addList(1, 1);
  ParagraphProps first, second;
  first.numbering.numId = second.numbering.numId = 1;
  first.numbering.level = 0;
  second.numbering.level = 1;
  b.addParagraph(first);
  b.addParagraph(first);
  b.addParagraph(second);
  assignListLabels(b.document());
  ASSERT_EQ(b.document().listLabels.size(), 3u);
  EXPECT_EQ(b.document().listLabels[1].text, "2147483647.");
  EXPECT_EQ(b.document().listLabels[2].text, "2147483647.-2147483648.");
}

TEST(ListLabelsBounds, HugeLevelTextIsCut) {
  test::ModelBuilder b;
  b.addLevel(1, 0, NumberFormat::decimal, std::string(100000, 'x') + "%1");
  b.addList(1, 1);
  ParagraphProps props;
  props.numbering.numId = 1;
  b.addParagraph(props);
  assignListLabels(b.document());
  ASSERT_EQ(b.document().listLabels.size(), 1u);
  EXPECT_EQ(b.document().listLabels[0].text, std::string(256, 'x'));
}

}  // namespace
}  // namespace vellumine::docx
