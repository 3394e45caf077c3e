// The placed box is an inline-flex span made absolute: inline-level, it keeps the place it would
// have in the line on an axis it is not placed on (left or top auto); a flex container, its
// drawing stands at its top left corner with no line's strut above it.  Behind the text it is at
// z-index -1 in the section, which isolates it (otherwise the box would go under the section's
// white sheet), and lets the pointer through to the text it lies under.
#include "render/unwrapped_drawing.h"

#include <algorithm>
#include <variant>

#include "render/css_units.h"

namespace vellumine::render {

namespace {

using docx::WrapKind;

constexpr long long kEmuPerTwip = 635;
// The largest paper Word sets (22 inches), in twips: the bound of a placed box's distance from
// its paragraph, whatever the section says.
constexpr long long kLargestPaper = 31680;
// Offsets are cut to this before any arithmetic (about 1 km: past any page, far from overflow).
constexpr long long kMaxOffsetEmu = 36'000'000'000LL;
// Sizes past this (about 100 m) are hostile or broken, as the drawing writers bound them.
constexpr long long kMaxSizeEmu = 9525LL * 400'000;

constexpr std::string_view kSheet =
    ".vm-section{isolation:isolate}\n"
    ".vm-anc{position:relative}\n"
    ".vm-behind,.vm-front{position:absolute;display:inline-flex;align-items:flex-start;text-indent:0}\n"
    ".vm-behind{z-index:-1;pointer-events:none}\n"
    ".vm-front{z-index:1}\n";

// A stretch of one axis, in EMU from the column's left edge or the paragraph's top.
struct Span {
  long long start = 0, length = 0;
};

// The box's start in span: aligned in it, or the offset from its start.
long long placeIn(const Span& span, std::string_view align, long long offset, long long size) {
  if (align == "left" || align == "top" || align == "inside") return span.start;
  if (align == "right" || align == "bottom" || align == "outside") return span.start + span.length - size;
  if (align == "center") return span.start + (span.length - size) / 2;
  return span.start + offset;
}

// What a horizontal position is measured from, from the column's left edge.  The inside and
// outside margins are those of a right-hand page.
Span horizontalSpan(std::string_view from, const AnchorFrame& frame) {
  const long long column = frame.columnWidth * kEmuPerTwip;
  const PaperFrame& paper = frame.paper;
  if (!paper.known) return Span{0, column};
  const long long left = paper.marginLeft * kEmuPerTwip, right = paper.marginRight * kEmuPerTwip;
  if (from == "page") return Span{-left, paper.width * kEmuPerTwip};
  if (from == "leftMargin" || from == "insideMargin") return Span{-left, left};
  if (from == "rightMargin" || from == "outsideMargin") return Span{column, right};
  return Span{0, column};  // column, margin
}

// What a vertical position is measured from, from the paragraph's top, taken for the place where
// its story starts on the paper (unwrapped_drawing.h).
Span verticalSpan(std::string_view from, const AnchorFrame& frame) {
  const PaperFrame& paper = frame.paper;
  if (from == "paragraph" || !paper.known) return Span{0, 0};
  const long long at = paper.storyTop * kEmuPerTwip, height = paper.height * kEmuPerTwip;
  const long long top = paper.marginTop * kEmuPerTwip, bottom = paper.marginBottom * kEmuPerTwip;
  const long long text = std::max(height - top - bottom, 0LL);
  if (from == "page") return Span{-at, height};
  if (from == "topMargin" || from == "insideMargin") return Span{-at, top};
  if (from == "bottomMargin" || from == "outsideMargin") return Span{height - bottom - at, bottom};
  return Span{top - at, text};  // margin
}

// The farthest a box is placed from its paragraph on an axis: the paper's extent (at least the
// given one), never past the largest paper.
long long boundEmu(long long paperTwips, long long atLeastTwips) {
  return std::clamp(std::max(paperTwips, atLeastTwips), 0LL, kLargestPaper) * kEmuPerTwip;
}

long long cut(long long value, long long bound) { return std::clamp(value, -bound, bound); }

// The paper's sizes and margins bounded, so that a damaged section cannot overflow the sums.
AnchorFrame bounded(const AnchorFrame& frame) {
  AnchorFrame out = frame;
  const auto twips = [](long long value) { return std::clamp(value, 0LL, kLargestPaper * 4); };
  out.columnWidth = twips(frame.columnWidth);
  out.paragraphLeft = std::clamp(frame.paragraphLeft, -kLargestPaper * 4, kLargestPaper * 4);
  out.paper.width = twips(frame.paper.width);
  out.paper.height = twips(frame.paper.height);
  out.paper.marginLeft = twips(frame.paper.marginLeft);
  out.paper.marginTop = twips(frame.paper.marginTop);
  out.paper.marginRight = twips(frame.paper.marginRight);
  out.paper.marginBottom = twips(frame.paper.marginBottom);
  out.paper.storyTop = std::clamp(frame.paper.storyTop, -kLargestPaper * 4, kLargestPaper * 4);
  return out;
}

}  // namespace

bool isUnwrapped(const docx::Drawing& drawing) {
  return drawing.wrap == WrapKind::behindText || drawing.wrap == WrapKind::inFrontOfText;
}

UnwrappedPlace placeUnwrapped(const docx::Drawing& drawing, long long widthEmu, long long heightEmu,
                              const AnchorFrame& given) {
  const AnchorFrame frame = bounded(given);
  const long long width = std::clamp(widthEmu, 0LL, kMaxSizeEmu), height = std::clamp(heightEmu, 0LL, kMaxSizeEmu);
  const long long offsetX = cut(drawing.horizontalOffsetEmu, kMaxOffsetEmu);
  const long long offsetY = cut(drawing.verticalOffsetEmu, kMaxOffsetEmu);
  const long long boundX = boundEmu(frame.paper.known ? frame.paper.width : 0, frame.columnWidth);
  const long long boundY = boundEmu(frame.paper.known ? frame.paper.height : 0, 15840);
  UnwrappedPlace place;
  if (drawing.horizontalFrom == "character") {
    place.xInLine = true;
    place.xEmu = drawing.horizontalAlign.empty() ? cut(offsetX, boundX) : 0;
  } else {
    const Span span = horizontalSpan(drawing.horizontalFrom, frame);
    const long long x = placeIn(span, drawing.horizontalAlign, offsetX, width) - frame.paragraphLeft * kEmuPerTwip;
    place.xEmu = cut(x, boundX);
  }
  if (drawing.verticalFrom == "line") {
    place.yInLine = true;
    place.yEmu = drawing.verticalAlign.empty() ? cut(offsetY, boundY) : 0;
  } else {
    const Span span = verticalSpan(drawing.verticalFrom.empty() ? "paragraph" : drawing.verticalFrom, frame);
    place.yEmu = cut(placeIn(span, drawing.verticalAlign, offsetY, height), boundY);
  }
  return place;
}

bool anchorsUnwrapped(const docx::Document& document, const docx::Paragraph& paragraph) {
  for (const docx::Inline& item : paragraph.inlines) {
    if (item.kind != docx::InlineKind::drawing || item.number < 0) continue;
    const auto index = static_cast<std::size_t>(item.number);
    if (index < document.drawings.size() && isUnwrapped(document.drawings[index])) return true;
  }
  return false;
}

std::vector<bool> sectionsPlacingFromThePage(const docx::Document& document) {
  std::vector<bool> placing(std::max<std::size_t>(document.sections.size(), 1), false);
  const std::vector<docx::Block>& blocks = document.body.blocks;
  std::size_t section = 0;
  for (std::size_t k = 0; k < blocks.size(); ++k) {
    const auto* paragraph = std::get_if<docx::Paragraph>(&blocks[k].node);
    if (paragraph == nullptr) continue;
    for (const docx::Inline& item : paragraph->inlines) {
      if (item.kind != docx::InlineKind::drawing || item.number < 0) continue;
      const auto index = static_cast<std::size_t>(item.number);
      if (index >= document.drawings.size() || !isUnwrapped(document.drawings[index])) continue;
      const std::string& from = document.drawings[index].verticalFrom;
      if (!from.empty() && from != "paragraph" && from != "line") placing[section] = true;
    }
    // As the page writer steps: once per section-ending paragraph, never after the last block.
    if (paragraph->sectionEnd >= 0 && k + 1 < blocks.size() && section + 1 < placing.size()) ++section;
  }
  return placing;
}

void openUnwrapped(PageState& state, const docx::Drawing& drawing) {
  state.unwrappedUsed = true;
  const bool group = drawing.place.member;
  const long long width = group ? drawing.place.groupWidthEmu : drawing.widthEmu;
  const long long height = group ? drawing.place.groupHeightEmu : drawing.heightEmu;
  const UnwrappedPlace place =
      placeUnwrapped(drawing, width, height, AnchorFrame{state.lineWidth, state.paragraphLeft, state.paper});
  std::string& out = *state.out;
  out += drawing.wrap == WrapKind::behindText ? "<span class=\"vm-behind\"" : "<span class=\"vm-front\"";
  out += " style=\"";
  out += place.xInLine ? "margin-left:" : "left:";
  appendEmuPx(out, place.xEmu);
  out += place.yInLine ? ";margin-top:" : ";top:";
  appendEmuPx(out, place.yEmu);
  out += ";\">";
}

void closeUnwrapped(PageState& state) { *state.out += "</span>"; }

std::string_view unwrappedSheet() { return kSheet; }

}  // namespace vellumine::render
