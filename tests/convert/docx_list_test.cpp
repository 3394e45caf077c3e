// List items and lists: which numbered paragraphs become items, the list kind from the numbering
// part, nesting by item level, and whole packages through the driver.
#include "convert/docx_list.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "convert/ddocx.h"
#include "support/test_support.h"
#include "text/units.h"

namespace vellumine {
namespace {

using test::caseName;
using test::PassCase;
using test::runPass;

// A numbered paragraph as the list passes see it (prefixes gone, start tag normalised).
std::string numbered(std::string_view text, int numId = 1, int level = 0) {
  return "<p><pPr><numPr><ilvl val=\"" + std::to_string(level) + "\"/><numId val=\"" + std::to_string(numId) +
         "\"/></numPr></pPr><r>" + std::string(text) + "</r></p>";
}
std::string item(std::string_view text, int numId = 1, int level = 0) {
  return "<li>" + numbered(text, numId, level) + "</li>";
}

// numId 1: decimal, 2: bullet, 3: lowerLetter, 4: upperRoman, 5: points at a missing definition.
constexpr std::string_view kNumbering =
    "<numbering><abstractNum abstractNumId=\"0\"><lvl ilvl=\"0\"><numFmt val=\"decimal\"/></lvl>"
    "<lvl ilvl=\"1\"><numFmt val=\"bullet\"/></lvl></abstractNum>"
    "<abstractNum abstractNumId=\"1\"><lvl ilvl=\"0\"><numFmt val=\"bullet\"/></lvl></abstractNum>"
    "<abstractNum abstractNumId=\"2\"><lvl ilvl=\"0\"><numFmt val=\"lowerLetter\"/></lvl></abstractNum>"
    "<abstractNum abstractNumId=\"3\"><lvl ilvl=\"0\"><numFmt val=\"upperRoman\"/></lvl></abstractNum>"
    "<num numId=\"1\"><abstractNumId val=\"0\"/></num><num numId=\"2\"><abstractNumId val=\"1\"/></num>"
    "<num numId=\"3\"><abstractNumId val=\"2\"/></num><num numId=\"4\"><abstractNumId val=\"3\"/></num>"
    "<num numId=\"5\"><abstractNumId val=\"9\"/></num></numbering>";

std::string buildListsOn(std::string text, std::string_view numbering = kNumbering) {
  Conversion c;
  c.text = std::move(text);
  c.numbering = numbering;
  c.hasListItems = true;
  buildLists(c);
  return std::move(c.text);
}

// ---- markListItems -----------------------------------------------------------------------------

const PassCase kItemCases[] = {
    {"NumberedParagraphWithTextBecomesItem", "<p>a</p>" + numbered("One") + "<p>b</p>",
     "<p>a</p>" + item("One") + "<p>b</p>"},
    {"ConsecutiveItemsEachGetTheirOwnItem", numbered("One") + numbered("Two"), item("One") + item("Two")},
    {"NumberedParagraphWithoutTextStaysOutside", numbered("One") + numbered("<br/>") + numbered("Three"),
     item("One") + numbered("<br/>") + item("Three")},
    {"StrayAngleBracketCountsAsText", numbered("<>"), item("<>")},
    {"PropertiesWithoutParagraphEndAreLeftAlone", "<p><numPr><r>x</r>", "<p><numPr><r>x</r>"},
    {"PropertiesOutsideAnyParagraphOfTheirOwnAreLeftAlone", numbered("One") + "<numPr/>x<numPr></p>",
     item("One") + "<numPr/>x<numPr></p>"},
};

class DocxListItems : public testing::TestWithParam<PassCase> {};
TEST_P(DocxListItems, WrapsNumberedParagraphsWithText) {
  EXPECT_SAME_TEXT(runPass(markListItems, GetParam().input), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Cases, DocxListItems, testing::ValuesIn(kItemCases), caseName);

TEST(DocxList, DocumentWithoutNumberingPassesBothPassesUnchanged) {
  Conversion c;
  c.text = "<p><r>plain</r></p><li>not ours</li>";
  c.numbering = kNumbering;
  c.hasListItems = true;
  markListItems(c);
  EXPECT_FALSE(c.hasListItems);
  buildLists(c);
  EXPECT_EQ(c.text, "<p><r>plain</r></p><li>not ours</li>");
}

// ---- buildLists: kinds and groups --------------------------------------------------------------

const PassCase kGroupCases[] = {
    {"ThreeDecimalItemsMakeOneOrderedList", "<p>x</p>" + item("A") + item("B") + item("C") + "<p>y</p>",
     "<p>x</p><ol>" + item("A") + item("B") + item("C") + "</ol><p>y</p>"},
    {"BulletsMakeUnorderedList", item("A", 2) + item("B", 2), "<ul>" + item("A", 2) + item("B", 2) + "</ul>"},
    {"LettersMakeUnorderedList", item("A", 3), "<ul>" + item("A", 3) + "</ul>"},
    {"RomanNumeralsMakeUnorderedList", item("A", 4), "<ul>" + item("A", 4) + "</ul>"},
    {"MissingDefinitionMakesUnorderedList", item("A", 5) + item("B", 7),
     "<ul>" + item("A", 5) + item("B", 7) + "</ul>"},
    {"WhiteSpaceBetweenItemsStaysInTheGroup", item("A") + "\r\n" + item("B") + "\r\n<p>z</p>",
     "<ol>" + item("A") + "\r\n" + item("B") + "\r\n</ol><p>z</p>"},
    {"ParagraphBetweenItemsSplitsTheList", item("A") + "<p>z</p>" + item("B", 2),
     "<ol>" + item("A") + "</ol><p>z</p><ul>" + item("B", 2) + "</ul>"},
    // Each group is wrapped once at its own place, even where the same text occurs twice.
    {"IdenticalListsAreEachWrappedOnce", item("A") + "<p>z</p>" + item("A"),
     "<ol>" + item("A") + "</ol><p>z</p><ol>" + item("A") + "</ol>"},
    {"ItemEndWithoutStartIsLeftAlone", "</li><p>z</p>", "</li><p>z</p>"},
    {"ItemStartWithoutEndIsLeftAlone", "<li><p>z</p><li>", "<li><p>z</p><li>"},
};

class DocxListGroups : public testing::TestWithParam<PassCase> {};
TEST_P(DocxListGroups, WrapsEachRunOfItems) {
  EXPECT_SAME_TEXT(buildListsOn(GetParam().input), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Cases, DocxListGroups, testing::ValuesIn(kGroupCases), caseName);

TEST(DocxList, KindLookupTakesTheFirstNumWhoseIdBeginsWithTheReference) {
  const std::string numbering =
      "<abstractNum abstractNumId=\"0\"><numFmt val=\"decimal\"/></abstractNum>"
      "<abstractNum abstractNumId=\"1\"><numFmt val=\"bullet\"/></abstractNum>"
      "<num numId=\"10\"><abstractNumId val=\"0\"/></num><num numId=\"1\"><abstractNumId val=\"1\"/></num>";
  EXPECT_SAME_TEXT(buildListsOn(item("A", 1), numbering), "<ol>" + item("A", 1) + "</ol>");
}

TEST(DocxList, NothingHappensWithoutListItems) {
  Conversion c;
  c.text = item("A");
  c.numbering = kNumbering;
  c.hasListItems = false;
  buildLists(c);
  EXPECT_EQ(c.text, item("A"));
}

// ---- buildLists: nesting by level --------------------------------------------------------------

struct LevelCase {
  std::string name;
  std::vector<int> levels;
  std::string tags;  // the list and item tags of the result, in order
};

// The list structure of a text: its ol/ul/li start and end tags, blank-separated.
std::string listTags(std::string_view html) {
  std::string tags;
  for (std::size_t at = html.find('<'); at != std::string_view::npos; at = html.find('<', at + 1)) {
    for (std::string_view tag : {"<ul>", "</ul>", "<ol>", "</ol>", "<li>", "</li>"}) {
      if (html.substr(at, tag.size()) == tag) {
        if (!tags.empty()) tags += ' ';
        tags += tag.substr(1, tag.size() - 2);
      }
    }
  }
  return tags;
}

const LevelCase kLevelCases[] = {
    {"FlatListHasNoNestedList", {0, 0, 0}, "ul li /li li /li li /li /ul"},
    {"RiseAndFallNestTheMiddleItems", {0, 1, 1, 0}, "ul li /li ul li /li li /li /ul li /li /ul"},
    {"NestedListOpenAtTheEndClosesBeforeTheBlockEnd", {0, 1}, "ul li /li ul li /li /ul /ul"},
    {"RiseBySeveralLevelsOpensOneList", {0, 2, 0}, "ul li /li ul li /li /ul li /li /ul"},
    // A fall closes exactly the lists opened above the new level, so the block stays balanced.
    {"FallBySeveralLevelsClosesEveryListAboveIt", {0, 1, 2, 0},
     "ul li /li ul li /li ul li /li /ul /ul li /li /ul"},
    {"FallBelowTheFirstItemClosesNothing", {1, 0}, "ul li /li li /li /ul"},
    {"FallToAnIntermediateLevelClosesOnlyTheInnerList", {0, 1, 2, 1, 0},
     "ul li /li ul li /li ul li /li /ul li /li /ul li /li /ul"},
};

class DocxListLevels : public testing::TestWithParam<LevelCase> {};
TEST_P(DocxListLevels, NestsByItemLevel) {
  std::string items;
  for (int level : GetParam().levels) items += item("x", 2, level);
  EXPECT_EQ(listTags(buildListsOn(items)), GetParam().tags);
}
INSTANTIATE_TEST_SUITE_P(Cases, DocxListLevels, testing::ValuesIn(kLevelCases), caseName);

// Found by fuzzing: a level whose closing quote is missing runs into the next element; the
// conversion ends with the conversion error naming that text, and nothing worse happens.
TEST(DocxList, LevelRunningIntoTheNextElementEndsTheConversionWithItsText) {
  const std::string damaged =
      "<li><p><pPr><numPr><ilvl val=\"1><numId val=\"4\"/></numPr></pPr><r>x</r></p></li>";
  try {
    buildListsOn(item("A") + damaged);
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'1><numId val=\"4' is not a valid integer value");
  }
}

TEST(DocxList, NestedListOpensInFrontOfItsFirstItemAndClosesInFrontOfTheNextShallowItem) {
  const std::string a = item("A", 1, 0), b = item("B", 1, 1), c = item("C", 1, 1), d = item("D", 1, 0);
  EXPECT_SAME_TEXT(buildListsOn(a + b + c + d), "<ol>" + a + "<ol>" + b + c + "</ol>" + d + "</ol>");
}

TEST(DocxList, RiseInAnEarlierListLeavesALaterFallingListUntouched) {
  const std::string first = item("A", 2, 0) + item("B", 2, 1);
  const std::string second = item("C", 1, 1) + item("D", 1, 0);
  EXPECT_SAME_TEXT(buildListsOn(first + "<p>z</p>" + second),
                   "<ul>" + item("A", 2, 0) + "<ul>" + item("B", 2, 1) + "</ul></ul><p>z</p><ol>" + second + "</ol>");
}

TEST(DocxList, ItemWithoutLevelIsAtLevelZero) {
  const std::string noLevel = "<li><p><pPr><numPr><numId val=\"2\"/></numPr></pPr><r>x</r></p></li>";
  EXPECT_EQ(listTags(buildListsOn(item("A", 2, 1) + noLevel + item("B", 2, 1))),
            "ul li /li li /li ul li /li /ul /ul");
}

// ---- long and hostile inputs -------------------------------------------------------------------

std::string repeated(std::string_view piece, int times) {
  std::string text;
  text.reserve(piece.size() * static_cast<std::size_t>(times));
  for (int k = 0; k < times; ++k) text += piece;
  return text;
}

// A regex for the groups runs out of backtracking stack on a list this long and finds no list.
TEST(DocxList, VeryLongListIsOneList) {
  const std::string lists = buildListsOn(repeated("<li><p>x</p></li>\r\n", 250000));
  EXPECT_EQ(lists.rfind("<ul><li>", 0), 0u);
  EXPECT_EQ(lists.find("</ul>"), lists.size() - 5);
}

// Each row used to cost one scan of the rest of the text per candidate; the result stays sane.
TEST(DocxList, HostileTextsLeaveTheTextAlone) {
  const std::string kHostile[] = {
      repeated("<numPr></p>", 50000),
      "<p>" + repeated("<numPr>", 50000),
      repeated("<li>", 50000) + "</li>x<li>" + repeated("<li>", 50000),
  };
  for (const std::string& text : kHostile) {
    Conversion c;
    c.text = text;
    c.numbering = kNumbering;
    markListItems(c);
    buildLists(c);
    EXPECT_GE(c.text.size(), text.size());
    EXPECT_LE(c.text.size(), text.size() + 10);
  }
}

TEST(DocxList, EveryLevelRiseOpensAListAndAllCloseAtTheEnd) {
  std::string items;
  for (int level = 0; level < 2000; ++level) items += item("x", 1, level);
  const std::string lists = buildListsOn(items);
  const std::string tags = listTags(lists);
  EXPECT_EQ(tags.substr(0, 20), "ol li /li ol li /li ");
  EXPECT_EQ(tags.substr(tags.size() - 7), "/ol /ol");
  std::size_t opened = 0, closed = 0;
  for (std::size_t at = lists.find("<ol>"); at != std::string::npos; at = lists.find("<ol>", at + 1)) ++opened;
  for (std::size_t at = lists.find("</ol>"); at != std::string::npos; at = lists.find("</ol>", at + 1)) ++closed;
  EXPECT_EQ(opened, 2000u);
  EXPECT_EQ(closed, 2000u);
}

// ---- whole packages ----------------------------------------------------------------------------

std::string convertFixture(std::string_view name) {
  return convertPackageFolder(test::fixturesDir() / "packages" / name);
}

TEST(DocxListPackage, DecimalListBecomesOneOrderedList) {
  const std::string page = convertFixture("list-decimal");
  EXPECT_EQ(listTags(page), "ol li /li li /li li /li /ol");
  const std::size_t list = page.find("<ol>");
  ASSERT_NE(list, std::string::npos);
  EXPECT_LT(page.find("Before"), list);
  EXPECT_LT(list, page.find("One"));
  EXPECT_LT(page.find("Three"), page.find("</ol>"));
  EXPECT_GT(page.find("After"), page.find("</ol>"));
}

TEST(DocxListPackage, BulletedListBecomesUnorderedList) {
  EXPECT_EQ(listTags(convertFixture("list-bulleted")), "ul li /li li /li /ul");
}

TEST(DocxListPackage, LevelsZeroOneOneZeroNestTheMiddleItems) {
  const std::string page = convertFixture("list-nested");
  EXPECT_EQ(listTags(page), "ul li /li ul li /li li /li /ul li /li /ul");
  EXPECT_LT(page.find("Fruit"), page.find("Apples"));
  EXPECT_LT(page.find("Pears"), page.find("Vegetables"));
}

TEST(DocxListPackage, NumberedParagraphWithoutTextStaysBetweenTwoLists) {
  const std::string page = convertFixture("list-empty-item");
  EXPECT_EQ(listTags(page), "ol li /li /ol ol li /li /ol");
  EXPECT_LT(page.find("First"), page.find("</ol>"));
  EXPECT_GT(page.find("Third"), page.rfind("<ol>"));
}

}  // namespace
}  // namespace vellumine
