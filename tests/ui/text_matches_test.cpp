// Finding text in a page's text nodes: across the runs of a block and not across blocks, with
// and without case, whole words only, the nodes and offsets each match points back to, and the
// line of context a list of matches shows.
#include <QTest>

#include "app/ui/text_matches.h"

Q_DECLARE_METATYPE(FindRule)

namespace {

// Nodes written as "block:text" pairs.
std::vector<PageTextNode> nodes(std::initializer_list<std::pair<int, const char*>> list) {
  std::vector<PageTextNode> result;
  for (const auto& [block, text] : list) result.push_back({block, QString::fromUtf8(text)});
  return result;
}

// Each match as "startNode:startOffset-endNode:endOffset".
QStringList places(const std::vector<TextMatch>& matches) {
  QStringList list;
  for (const TextMatch& m : matches)
    list << QStringLiteral("%1:%2-%3:%4").arg(m.startNode).arg(m.startOffset).arg(m.endNode).arg(m.endOffset);
  return list;
}

}  // namespace

class TextMatchesTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void matchesPointIntoTheNodes_data();
  void matchesPointIntoTheNodes();
  void contextIsALineAroundTheMatch();
  void limitStopsTheSearch();
};

void TextMatchesTest::matchesPointIntoTheNodes_data() {
  QTest::addColumn<std::vector<PageTextNode>>("page");
  QTest::addColumn<QString>("needle");
  QTest::addColumn<FindRule>("rule");
  QTest::addColumn<QStringList>("expected");
  const auto jam = nodes({{0, "Marmalade on toast. "}, {0, "Orange marmalade"}, {1, "keeps; MARMALADE."}});
  QTest::newRow("any case") << jam << "marmalade" << FindRule{} << QStringList{"0:0-0:9", "1:7-1:16", "2:7-2:16"};
  QTest::newRow("match case") << jam << "marmalade" << FindRule{true, false} << QStringList{"1:7-1:16"};
  QTest::newRow("empty needle") << jam << "" << FindRule{} << QStringList{};
  const auto split = nodes({{0, "qui"}, {0, "nce"}, {0, " jelly"}, {1, "qui"}, {2, "nce"}});
  QTest::newRow("across the runs of a block") << split << "quince" << FindRule{} << QStringList{"0:0-1:3"};
  QTest::newRow("ending at a node's end") << split << "qui" << FindRule{} << QStringList{"0:0-0:3", "3:0-3:3"};
  const auto words = nodes({{0, "cat catalogue scat cat_x cat. (cat) caté"}});
  QTest::newRow("whole words") << words << "cat" << FindRule{false, true} << QStringList{"0:0-0:3", "0:25-0:28", "0:31-0:34"};
  QTest::newRow("parts of words too") << words << "cat" << FindRule{} << QStringList{"0:0-0:3", "0:4-0:7", "0:15-0:18",
                                                                                      "0:19-0:22", "0:25-0:28",
                                                                                      "0:31-0:34", "0:36-0:39"};
  QTest::newRow("a blank at the needle's start is its own boundary")
      << words << " cat" << FindRule{false, true} << QStringList{"0:24-0:28"};
  QTest::newRow("overlapping needles count once") << nodes({{0, "aaaa"}}) << "aa" << FindRule{} << QStringList{"0:0-0:2", "0:2-0:4"};
  QTest::newRow("outside ASCII without case")
      << nodes({{0, "Straße STRASSE Ärger ärger"}}) << "ärger" << FindRule{} << QStringList{"0:15-0:20", "0:21-0:26"};
}

void TextMatchesTest::matchesPointIntoTheNodes() {
  QFETCH(std::vector<PageTextNode>, page);
  QFETCH(QString, needle);
  QFETCH(FindRule, rule);
  QFETCH(QStringList, expected);
  QCOMPARE(places(findTextMatches(page, needle, rule)), expected);
}

void TextMatchesTest::contextIsALineAroundTheMatch() {
  const QString longText = QStringLiteral("Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiusmod tempor "
                                          "incididunt ut labore\n\tet dolore magna aliqua. Ut enim ad minim veniam, quis "
                                          "nostrud exercitation ullamco laboris.");
  const std::vector<TextMatch> matches = findTextMatches({{0, longText}, {1, QStringLiteral("  short  one ")}},
                                                         QStringLiteral("labore et"), FindRule{});
  QCOMPARE(matches.size(), std::size_t{0});  // a line break in the page is no blank to the search

  const auto found = findTextMatches({{0, longText}, {1, QStringLiteral("  short \n one ")}}, QStringLiteral("dolore"),
                                     FindRule{true, true});
  QCOMPARE(found.size(), std::size_t{1});
  QCOMPARE(found[0].context, QStringLiteral("\u2026eiusmod tempor incididunt ut labore et dolore magna aliqua. Ut enim ad "
                                            "minim veniam, quis nostrud exercit\u2026"));
  QCOMPARE(found[0].context.mid(found[0].contextStart, 6), QStringLiteral("dolore"));

  const auto shortOne = findTextMatches({{1, QStringLiteral("  short \n one ")}}, QStringLiteral("one"), FindRule{});
  QCOMPARE(shortOne[0].context, QStringLiteral("short one"));
  QCOMPARE(shortOne[0].contextStart, 6);
}

void TextMatchesTest::limitStopsTheSearch() {
  std::vector<PageTextNode> page;
  for (int k = 0; k < 1000; ++k) page.push_back({k, QStringLiteral("a a a")});
  QCOMPARE(findTextMatches(page, QStringLiteral("a"), FindRule{}, 2500).size(), std::size_t{2500});
  QCOMPARE(findTextMatches(page, QStringLiteral("a"), FindRule{}).size(), std::size_t{3000});
}

QTEST_APPLESS_MAIN(TextMatchesTest)

#include "text_matches_test.moc"
