// Style chains: basedOn followed root first, loops and missing bases cut, deep chains bounded;
// the style a paragraph, run or table stands under (defaults, links, wrong types).
#include "docx/style_chain.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/model_builder.h"
#include "support/test_support.h"

namespace vellumine::docx {
namespace {

struct StyleDef {
  StyleDef(std::string id_, StyleType type_ = StyleType::paragraph, std::string basedOn_ = "", bool isDefault_ = false,
           std::string link_ = "")
      : id(std::move(id_)), type(type_), basedOn(std::move(basedOn_)), isDefault(isDefault_), link(std::move(link_)) {}
  std::string id;
  StyleType type;
  std::string basedOn;
  bool isDefault;
  std::string link;
};

void addStyles(test::ModelBuilder& builder, const std::vector<StyleDef>& defs) {
  for (const StyleDef& def : defs) {
    Style& style = builder.addStyle(def.type, def.id, def.basedOn);
    style.isDefault = def.isDefault;
    if (!def.link.empty()) style.link = def.link;
  }
}

std::vector<std::string> idsOf(const std::vector<const Style*>& chain) {
  std::vector<std::string> ids;
  for (const Style* style : chain) ids.push_back(style->styleId);
  return ids;
}

// s0 <- s1 <- ... <- s999: each based on the one before.
std::vector<StyleDef> deepChain(int depth) {
  std::vector<StyleDef> defs;
  for (int i = 0; i < depth; ++i) defs.push_back({"s" + std::to_string(i), StyleType::paragraph, i ? "s" + std::to_string(i - 1) : ""});
  return defs;
}

std::vector<std::string> idRange(int from, int to) {
  std::vector<std::string> ids;
  for (int i = from; i <= to; ++i) ids.push_back("s" + std::to_string(i));
  return ids;
}

constexpr StyleType kPara = StyleType::paragraph;
constexpr StyleType kChar = StyleType::character;
constexpr StyleType kTable = StyleType::table;

struct ChainCase {
  std::string name;
  std::vector<StyleDef> styles;
  std::string query;
  std::vector<std::string> expected;  // root first
};

const ChainCase kChainCases[] = {
    {"StyleAloneIsItsOwnChain", {{"A"}}, "A", {"A"}},
    {"RootComesFirst", {{"A"}, {"B", kPara, "A"}, {"C", kPara, "B"}}, "C", {"A", "B", "C"}},
    {"MissingBaseEndsTheChain", {{"B", kPara, "Gone"}}, "B", {"B"}},
    {"LoopIsCutWhereItComesBack", {{"A", kPara, "C"}, {"B", kPara, "A"}, {"C", kPara, "B"}}, "A", {"B", "C", "A"}},
    {"StyleBasedOnItself", {{"A", kPara, "A"}}, "A", {"A"}},
    {"BaseOfAnotherTypeEndsTheChain", {{"C", kChar}, {"P", kPara, "C"}}, "P", {"P"}},
    {"DeepChainKeepsTheNearestStyles", deepChain(1000), "s999", idRange(1000 - kMaxStyleChain, 999)},
    {"UnknownStyleHasNoChain", {{"A"}}, "Nope", {}},
};

class StyleChain : public testing::TestWithParam<ChainCase> {};

TEST_P(StyleChain, FollowsBasedOn) {
  const ChainCase& c = GetParam();
  test::ModelBuilder builder;
  addStyles(builder, c.styles);
  const Styles& styles = builder.document().styles;
  EXPECT_EQ(idsOf(styleChain(styles, styles.find(c.query))), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Chains, StyleChain, testing::ValuesIn(kChainCases), test::caseName);

enum class Asker { paragraph, run, table };

struct StandCase {
  std::string name;
  std::vector<StyleDef> styles;
  Asker asker;
  std::optional<std::string> named;
  std::string expected;  // empty: no style
};

const std::vector<StyleDef> kUsual = {
    {"Normal", kPara, "", true},
    {"Heading1", kPara, "Normal", false, "Heading1Char"},
    {"Heading1Char", kChar, "", false, "Heading1"},
    {"DefaultParagraphFont", kChar, "", true},
    {"Plain", kPara, "Normal"},
    {"TableNormal", kTable, "", true},
    {"Grid", kTable, "TableNormal"},
};

const StandCase kStandCases[] = {
    {"ParagraphWithoutStyleTakesTheDefault", kUsual, Asker::paragraph, std::nullopt, "Normal"},
    {"ParagraphTakesItsStyle", kUsual, Asker::paragraph, "Heading1", "Heading1"},
    {"ParagraphWithMissingStyleTakesTheDefault", kUsual, Asker::paragraph, "Gone", "Normal"},
    {"ParagraphNamingACharacterStyleTakesItsLink", kUsual, Asker::paragraph, "Heading1Char", "Heading1"},
    {"ParagraphNamingATableStyleTakesTheDefault", kUsual, Asker::paragraph, "Grid", "Normal"},
    {"NoDefaultParagraphStyleGivesNone", {{"Heading1"}}, Asker::paragraph, std::nullopt, ""},
    {"FirstDefaultOfTheTypeWins", {{"One", kPara, "", true}, {"Two", kPara, "", true}}, Asker::paragraph, std::nullopt, "One"},
    {"DefaultOfAnotherTypeIsNotTaken", {{"Emphasis", kChar, "", true}}, Asker::paragraph, std::nullopt, ""},
    {"RunWithoutStyleTakesTheDefault", kUsual, Asker::run, std::nullopt, "DefaultParagraphFont"},
    {"RunNamingAParagraphStyleTakesItsLink", kUsual, Asker::run, "Heading1", "Heading1Char"},
    {"RunNamingAnUnlinkedParagraphStyleHasNone", kUsual, Asker::run, "Plain", ""},
    {"TableTakesItsStyle", kUsual, Asker::table, "Grid", "Grid"},
    {"TableNamingAParagraphStyleTakesTheDefault", kUsual, Asker::table, "Normal", "TableNormal"},
};

class StyleStandsUnder : public testing::TestWithParam<StandCase> {};

TEST_P(StyleStandsUnder, NamedLinkedOrDefault) {
  const StandCase& c = GetParam();
  test::ModelBuilder builder;
  addStyles(builder, c.styles);
  const Styles& styles = builder.document().styles;
  const Style* style = nullptr;
  switch (c.asker) {
    case Asker::paragraph: style = paragraphStyleFor(styles, c.named); break;
    case Asker::run: style = characterStyleFor(styles, c.named); break;
    case Asker::table: style = tableStyleFor(styles, c.named); break;
  }
  EXPECT_EQ(style ? style->styleId : std::string(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Styles, StyleStandsUnder, testing::ValuesIn(kStandCases), test::caseName);

}  // namespace
}  // namespace vellumine::docx
