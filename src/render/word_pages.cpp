#include "render/word_pages.h"

#include "render/css_units.h"
#include "render/page_state.h"

namespace vellumine::render {

namespace {

// On the continuous page the mark's section is its containing block and the label stands at the
// paper's left edge, in the margin.  Anywhere else (the viewer's page view moves the blocks into
// page boxes whose text box is positioned; a long page's chunks, layout_chunks.h, contain their
// blocks' positioned boxes) it stands to the left of the text box.  Shown as an
// inline box, so that its top is that of the line it stands in (a block would start below the
// line).  Screen only: a hint for the reader, never printed.
constexpr std::string_view kWordPageSheet =
    ".vm-wpb{display:none}\n"
    "@media screen{html.vm-wpb-on .vm-section{position:relative}"
    "html.vm-wpb-on .vm-wpb{display:inline;position:absolute;right:100%;margin-right:6px;padding:1px 3px 0;"
    "border-top:1px solid #8C8CB4;color:#7E7EA6;font:normal 7pt/1.2 sans-serif;text-indent:0;text-decoration:none;"
    "letter-spacing:normal;white-space:nowrap;pointer-events:none;user-select:none}"
    "html.vm-wpb-on .vm-section .vm-wpb{left:4px;right:auto;margin-right:0}"
    "html.vm-wpb-on .vm-section .vm-chunk .vm-wpb{left:auto;right:100%;margin-right:6px}"
    "html.vm-wpb-on .vm-wpb::before{content:\"Word p. \" attr(data-word-page)}}\n";

}  // namespace

void writeWordPageMark(PageState& state) {
  if (!state.wordPages.counting()) return;
  std::string& out = *state.out;
  out += "<span class=\"vm-wpb\" data-word-page=\"";
  appendInteger(out, state.wordPages.next());
  out += "\"></span>";
}

std::string_view wordPageSheet() { return kWordPageSheet; }

}  // namespace vellumine::render
