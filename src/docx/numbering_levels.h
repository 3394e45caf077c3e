// Which numbering a paragraph has and the level definition that draws it: the paragraph's own
// w:numPr over its paragraph style chain's, the instance's w:lvlOverride over its abstract list,
// an abstract list that only links to a numbering style (w:numStyleLink) followed to the list that
// holds the levels.  Shared by the resolver (the level's paragraph properties) and the list labels.
#pragma once
#include "docx/model.h"

namespace vellumine::docx {

struct ParagraphNumbering {
  int numId = 0;                                  // 0: the paragraph is not numbered
  int level = 0;                                  // 0..8
  bool fromStyle = false;                         // the w:numId came from the paragraph style
  const NumberingInstance* instance = nullptr;
  const AbstractNumbering* abstract = nullptr;    // the list that holds the levels
  const ListLevel* definition = nullptr;          // set whenever numId is not 0
};

// The numbering the style chain gives (the nearest style that names each of numId and level).
NumberingRef styleNumbering(const Styles& styles, const Style* paragraphStyle);

// A paragraph's numbering from its own w:numPr and its style chain's (styleNumbering).  The own
// w:numId wins, 0 removing the style's; w:ilvl likewise; a style's numbering without a level takes
// the level whose w:pStyle names the style, else 0.  Not numbered (numId 0) when the instance, its
// abstract list or the level is missing.
ParagraphNumbering paragraphNumbering(const Document& document, const NumberingRef& own,
                                      const NumberingRef& fromStyle, const Style* paragraphStyle);

// The instance with this w:numId, or null.
const NumberingInstance* numberingInstance(const Numbering& numbering, int numId);

// The abstract list that holds an instance's levels, w:numStyleLink followed (a few links at most,
// loops cut); null when missing.
const AbstractNumbering* levelsOwner(const Document& document, const NumberingInstance& instance);

// A level as the instance draws it: its w:lvlOverride/w:lvl, else the abstract list's; null when
// neither is present or level is outside 0..8.
const ListLevel* listLevel(const NumberingInstance& instance, const AbstractNumbering* abstract, int level);

}  // namespace vellumine::docx
