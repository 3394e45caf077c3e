#include "app/ui/text_matches.h"

#include <algorithm>
#include <tuple>

namespace {

constexpr int kContextBefore = 40;  // characters of the block shown before and after a match
constexpr int kContextAfter = 60;

bool isWordCharacter(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_') || c.isMark(); }

// A block's text, and where each of its nodes starts in it.
struct BlockText {
  QString text;
  std::vector<int> nodeStarts;  // one per node of the block
  int firstNode = 0;
};

bool wholeWordAt(const QString& text, int start, int length) {
  if (start > 0 && isWordCharacter(text[start - 1]) && isWordCharacter(text[start])) return false;
  const int end = start + length;
  return !(end < text.size() && isWordCharacter(text[end]) && isWordCharacter(text[end - 1]));
}

// The node holding position at of block, and the offset in it.  An end position at a node's end
// stays in that node.
std::pair<int, int> nodeAt(const BlockText& block, int at, bool isEnd) {
  auto next = std::upper_bound(block.nodeStarts.begin(), block.nodeStarts.end(), isEnd ? at - 1 : at);
  const int index = static_cast<int>(next - block.nodeStarts.begin()) - 1;
  return {block.firstNode + index, at - block.nodeStarts[static_cast<std::size_t>(index)]};
}

// Runs of blanks (spaces, tabs, line breaks) as one space.
QString foldBlanks(const QString& text) {
  QString folded;
  folded.reserve(text.size());
  for (QChar c : text) {
    if (!c.isSpace()) {
      folded += c;
    } else if (folded.isEmpty() || folded.back() != QLatin1Char(' ')) {
      folded += QLatin1Char(' ');
    }
  }
  return folded;
}

// The match with some of the block's text on either side, an ellipsis where the block goes on.
QString contextOf(const QString& text, int start, int length, int& matchStart) {
  const int from = std::max(0, start - kContextBefore);
  const int to = std::min(static_cast<int>(text.size()), start + length + kContextAfter);
  QString before = foldBlanks(text.mid(from, start - from));
  while (!before.isEmpty() && before.front() == QLatin1Char(' ')) before.remove(0, 1);
  QString after = foldBlanks(text.mid(start + length, to - start - length));
  while (!after.isEmpty() && after.back() == QLatin1Char(' ')) after.chop(1);
  if (from > 0) before.prepend(QChar(0x2026));
  if (to < text.size()) after.append(QChar(0x2026));
  matchStart = static_cast<int>(before.size());
  return before + foldBlanks(text.mid(start, length)) + after;
}

void findInBlock(const BlockText& block, const QString& needle, FindRule rule, int limit,
                 std::vector<TextMatch>& matches) {
  const Qt::CaseSensitivity sensitivity = rule.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
  const int length = static_cast<int>(needle.size());
  qsizetype from = 0;
  while (static_cast<int>(matches.size()) < limit) {
    const qsizetype at = block.text.indexOf(needle, from, sensitivity);
    if (at < 0) return;
    const int start = static_cast<int>(at);
    from = at + 1;
    if (rule.wholeWord && !wholeWordAt(block.text, start, length)) continue;
    TextMatch match;
    std::tie(match.startNode, match.startOffset) = nodeAt(block, start, false);
    std::tie(match.endNode, match.endOffset) = nodeAt(block, start + length, true);
    match.context = contextOf(block.text, start, length, match.contextStart);
    matches.push_back(std::move(match));
    from = at + length;  // matches do not overlap
  }
}

}  // namespace

std::vector<TextMatch> findTextMatches(const std::vector<PageTextNode>& nodes, const QString& needle, FindRule rule,
                                       int limit) {
  std::vector<TextMatch> matches;
  if (needle.isEmpty()) return matches;
  BlockText block;
  for (std::size_t k = 0; k <= nodes.size() && static_cast<int>(matches.size()) < limit; ++k) {
    const bool blockEnds = k == nodes.size() || (k > 0 && nodes[k].block != nodes[k - 1].block);
    if (blockEnds && !block.nodeStarts.empty()) {
      findInBlock(block, needle, rule, limit, matches);
      block = BlockText{};
    }
    if (k == nodes.size()) break;
    if (block.nodeStarts.empty()) block.firstNode = static_cast<int>(k);
    block.nodeStarts.push_back(static_cast<int>(block.text.size()));
    block.text += nodes[k].text;
  }
  return matches;
}
