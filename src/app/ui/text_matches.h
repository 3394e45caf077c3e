// Finding a text in the text of a page the way a reader means it: across the runs a word is split
// into (the page's text nodes of one block are read as one text), optionally only as a whole word
// and with its case.  The page's text comes from the view (find_results.cpp reads it); the
// matches point back into it by node and offset, so the view can select and show each one.
#pragma once
#include <QString>
#include <vector>

// One text node of the page, in document order, and the block (paragraph, heading, cell...) it
// belongs to; nodes of one block are consecutive.
struct PageTextNode {
  int block = 0;
  QString text;
};

struct FindRule {
  bool matchCase = false;
  bool wholeWord = false;  // the characters around the match are no letters, digits or '_'
};

struct TextMatch {
  int startNode = 0, startOffset = 0;  // where the match starts: node index, offset in its text
  int endNode = 0, endOffset = 0;      // where it ends, one past its last character
  QString context;                     // a line of the block around the match, blanks folded
  int contextStart = 0;                // the match's place in context
};

// Every match of needle in nodes, in document order, at most limit of them.  Matches do not
// overlap; an empty needle has none.  Linear in the length of the text for each needle position
// found.
std::vector<TextMatch> findTextMatches(const std::vector<PageTextNode>& nodes, const QString& needle, FindRule rule,
                                       int limit = 10000);
