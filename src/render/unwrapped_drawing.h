// Drawings the text does not wrap around (behind the text, in front of it): out of the flow, so
// that they push no text aside.  Each is written inside a box placed absolutely from its anchor
// paragraph, which is the box's containing block (the paragraph gets position:relative through
// its class, and its layout stays as it was); behind the text the box lies under every line of
// its section, in front of it above them.
//
// Horizontally the paragraph's left edge stands its indent into the text column, so positions
// from the column (or margin) are the offset less the indent, and positions from the page also
// less the page's left margin.  Vertically the page position of the paragraph is not known when
// the page is written: its top is taken for where its story starts on the paper (PaperFrame::
// storyTop: the top margin in the body, the header's distance in a header, the footer's last
// line in a footer), which is exact for the drawings of a title page or letterhead (anchored in
// the first paragraph) and, for any other, nearer than taking it for the page's top edge, since
// a paragraph never stands above its story's start.  Positions from the character or the
// line keep the box where it would stand in the line, moved by the offset.  Whatever a damaged
// document says, the box stays within a page's size of its paragraph.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "docx/model.h"
#include "render/page_state.h"

namespace vellumine::render {

// What a drawing is placed in, in twips: the width of its column, how far the anchor paragraph's
// box starts into it, and the paper when known.
struct AnchorFrame {
  long long columnWidth = 9360;
  long long paragraphLeft = 0;
  PaperFrame paper;
};

// Where the box stands from the anchor paragraph's top left corner, in EMU.  On an axis that is
// inLine, the box stays where it would stand in the line and the value moves it from there.
struct UnwrappedPlace {
  long long xEmu = 0, yEmu = 0;
  bool xInLine = false, yInLine = false;
  friend bool operator==(const UnwrappedPlace&, const UnwrappedPlace&) = default;
};

// Whether the drawing stands out of the text's flow (WrapKind behindText or inFrontOfText).
bool isUnwrapped(const docx::Drawing& drawing);

// Where a box of this size (EMU) is placed for the drawing's position in frame.
UnwrappedPlace placeUnwrapped(const docx::Drawing& drawing, long long widthEmu, long long heightEmu,
                              const AnchorFrame& frame);

// Whether a paragraph holds a drawing out of the flow, so that its element must be the drawings'
// containing block: it then gets the class kUnwrappedAnchorClass.
bool anchorsUnwrapped(const docx::Document& document, const docx::Paragraph& paragraph);
inline constexpr std::string_view kUnwrappedAnchorClass = " vm-anc";

// For each section of the body, whether one of its paragraphs holds a drawing out of the flow
// placed vertically from the page or its margins: its sheet is then a whole page tall, so that
// the drawing (a title page's picture, say) lands on it.  Paragraphs of the body's top level.
std::vector<bool> sectionsPlacingFromThePage(const docx::Document& document);

// Opens the placed box of an unwrapped drawing (the first member of a group stands for the
// group's frame) and notes that the page needs unwrappedSheet; the drawing, written as it would
// stand in the line, follows, then closeUnwrapped.
void openUnwrapped(PageState& state, const docx::Drawing& drawing);
void closeUnwrapped(PageState& state);

// The style rules of the placed boxes and their anchors.
std::string_view unwrappedSheet();

}  // namespace vellumine::render
