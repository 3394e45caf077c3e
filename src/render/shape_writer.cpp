// The box of a shape: its size, the insets as padding, the drawn picture placed the picture's
// margin up and left of the box (render/shape_svg.h) so that outlines are not cut, and the text
// after it (later in the box, so above it).  Text boxes keep their height as a minimum: the text
// they hold may need more on the page than in the document's layout.
#include "render/shape_writer.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <string>

#include "docx/shape_look_reader.h"
#include "render/css_units.h"
#include "render/diagram_writer.h"
#include "render/drawing_writer.h"
#include "render/html_escape.h"
#include "render/shape_svg.h"

namespace vellumine::render {

namespace {

using docx::DrawingKind;

// A shape is a flex column so that its text can stand at the top, middle or bottom; its picture
// is out of the flow, behind the text that follows it.  Diagram texts are centred in their
// shapes, as diagrams lay them out.
constexpr std::string_view kShapeSheet =
    ".vm-shp{display:inline-flex;flex-direction:column;position:relative;box-sizing:border-box;"
    "vertical-align:top;white-space:normal;text-indent:0}\n"
    ".vm-shp.vm-bc,.vm-shp.vm-bl,.vm-shp.vm-br{display:flex}\n"
    ".vm-sa-m{justify-content:center}\n.vm-sa-b{justify-content:flex-end}\n"
    ".vm-sdr{position:absolute;max-width:none}\n.vm-stx{position:relative}\n"
    ".vm-grp{display:inline-block;position:relative;vertical-align:top;text-indent:0}\n"
    ".vm-gm{position:absolute}\n"
    ".vm-dgm{display:inline-block;position:relative;vertical-align:top;text-indent:0;white-space:normal}\n"
    ".vm-dgt{position:absolute;display:flex;flex-direction:column;justify-content:center;box-sizing:border-box;"
    "padding:2px;overflow:hidden;text-align:center;line-height:1.1}\n"
    ".vm-dgp{display:block}\n"
    ".vm-dgl{display:inline-block;vertical-align:top;text-indent:0;white-space:normal;padding:4px 8px;"
    "border-left:3px solid #A0A0A0}\n"
    // On lines of their own (wrap top and bottom) the boxes are blocks, so the margins place them.
    ".vm-grp.vm-bc,.vm-grp.vm-bl,.vm-grp.vm-br,.vm-dgm.vm-bc,.vm-dgm.vm-bl,.vm-dgm.vm-br,"
    ".vm-dgl.vm-bc,.vm-dgl.vm-bl,.vm-dgl.vm-br{display:block}\n";

// Extents past this (about 100 m) are hostile or broken; the box is kept at this size.
constexpr long long kMaxEmu = 9525LL * 400'000;

long long clampedEmu(long long emu) { return std::clamp<long long>(emu, 0, kMaxEmu); }

bool drawsAsShape(const docx::Drawing& drawing) {
  return drawing.look.geometry != docx::ShapeGeometry::none &&
         (drawing.kind == DrawingKind::shape || drawing.kind == DrawingKind::textBox || drawing.textBox >= 0);
}

std::string_view anchorClass(docx::TextAnchor anchor) {
  switch (anchor) {
    case docx::TextAnchor::middle: return " vm-sa-m";
    case docx::TextAnchor::bottom: return " vm-sa-b";
    default: return "";
  }
}

void appendProperty(std::string& out, std::string_view name, long long emu) {
  out += name;
  appendEmuPx(out, emu);
  out += ';';
}

void appendPadding(std::string& out, const docx::ShapeLook& look) {
  out += "padding:";
  appendEmuPx(out, look.insetTop);
  out += ' ';
  appendEmuPx(out, look.insetRight);
  out += ' ';
  appendEmuPx(out, look.insetBottom);
  out += ' ';
  appendEmuPx(out, look.insetLeft);
  out += ';';
}

// A turned shape turns as a whole about its centre, its text with it, as Word shows it (its
// picture is drawn unturned: shape_svg.h, pictureLook).
void appendTurn(std::string& out, std::int32_t rotation) {
  constexpr long long kWholeTurn = 21600000;  // 60000ths of a degree
  const long long turn = ((static_cast<long long>(rotation) % kWholeTurn) + kWholeTurn) % kWholeTurn;
  if (turn == 0) return;
  out += "transform:rotate(";
  appendHundredths(out, hundredthsOf(turn, 60000));
  out += "deg);";
}

// The drawn picture behind the text, the margin of its outline beyond the box.
void writeDrawnPicture(PageState& state, const docx::Drawing& drawing, const std::string& path) {
  std::string& out = *state.out;
  const long long width = clampedEmu(drawing.widthEmu), height = clampedEmu(drawing.heightEmu);
  const long long margin = shapeMarginEmu(pictureLook(drawing.look), width, height);
  out += "<img src=\"";
  appendUrlPath(out, path);
  out += "\" class=\"vm-sdr\" alt=\"";
  appendHtmlAttribute(out, drawing.description.empty() ? drawing.title : drawing.description);
  out += "\" style=\"";
  appendProperty(out, "left:", -margin);
  appendProperty(out, "top:", -margin);
  appendProperty(out, "width:", width + 2 * margin);
  appendProperty(out, "height:", height + 2 * margin);
  out += "\">";
}

void writeShapeBox(PageState& state, const docx::Drawing& drawing, std::string_view placement) {
  std::string& out = *state.out;
  const bool holdsText = drawing.textBox >= 0;
  out += "<span class=\"vm-shp";
  out += placement;
  if (holdsText) out += anchorClass(drawing.look.anchor);
  out += "\" style=\"";
  if (drawing.widthEmu > 0) appendProperty(out, "width:", clampedEmu(drawing.widthEmu));
  if (drawing.heightEmu > 0) {
    appendProperty(out, holdsText ? "min-height:" : "height:", clampedEmu(drawing.heightEmu));
  }
  appendTurn(out, drawing.look.rotation);
  if (holdsText) {
    appendPadding(out, drawing.look);
    const std::optional<docx::Rgb> textColour =
        docx::resolveShapeColor(drawing.look.textColor, state.document.theme, state.document.settings);
    if (textColour) {
      out += "color:";
      appendColor(out, *textColour);
      out += ';';
    }
  }
  out += "\">";
  if (!drawing.drawn.empty()) {
    if (const std::optional<std::string> path = pagePicturePath(state.document.mainPart, drawing.drawn)) {
      writeDrawnPicture(state, drawing, *path);
    }
  }
  if (holdsText) {
    out += "<span class=\"vm-stx\">";
    writeTextBoxStory(state, drawing);
    out += "</span>";
  }
  out += "</span>";
}

// The member as it would stand alone, in the line of its group's box.
void writeMember(PageState& state, const docx::Drawing& member) {
  std::string& out = *state.out;
  out += "<span class=\"vm-gm\" style=\"";
  appendProperty(out, "left:", member.place.xEmu);
  appendProperty(out, "top:", member.place.yEmu);
  out += "\">";
  if (drawsAsShape(member)) {
    writeShapeBox(state, member, "");
  } else {
    docx::Drawing alone = member;
    alone.place = docx::GroupPlace{};
    alone.wrap = docx::WrapKind::inline_;
    writeDrawing(state, alone);
  }
  out += "</span>";
}

// Where drawing stands in the document's drawings, if it is one of them.
std::optional<std::size_t> indexOf(const PageState& state, const docx::Drawing& drawing) {
  const std::vector<docx::Drawing>& drawings = state.document.drawings;
  const std::less<const docx::Drawing*> before;
  if (drawings.empty() || before(&drawing, drawings.data()) || !before(&drawing, drawings.data() + drawings.size())) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(&drawing - drawings.data());
}

void writeGroup(PageState& state, const docx::Drawing& first) {
  std::string& out = *state.out;
  // The group is placed by its frame: the members carry the group's wrap and position.
  docx::Drawing frame;
  frame.wrap = first.wrap;
  frame.horizontalAlign = first.horizontalAlign;
  frame.horizontalOffsetEmu = first.horizontalOffsetEmu;
  frame.widthEmu = first.place.groupWidthEmu;
  frame.heightEmu = first.place.groupHeightEmu;
  out += "<span class=\"vm-grp";
  out += drawingPlacement(state, frame);
  out += "\" style=\"";
  if (frame.widthEmu > 0) appendProperty(out, "width:", clampedEmu(frame.widthEmu));
  if (frame.heightEmu > 0) appendProperty(out, "height:", clampedEmu(frame.heightEmu));
  out += "\">";
  const std::optional<std::size_t> start = indexOf(state, first);
  const std::vector<docx::Drawing>& drawings = state.document.drawings;
  const std::size_t count = start ? std::min<std::size_t>(first.place.memberCount, drawings.size() - *start) : 1;
  for (std::size_t k = 0; k < count; ++k) {
    const docx::Drawing& member = start ? drawings[*start + k] : first;
    if (!member.place.member) break;
    writeMember(state, member);
  }
  out += "</span>";
}

}  // namespace

std::string_view shapeSheet() { return kShapeSheet; }

bool writeShape(PageState& state, const docx::Drawing& drawing) {
  if (drawing.place.member) {
    state.shapesUsed = true;
    if (drawing.place.memberCount > 0) writeGroup(state, drawing);
    return true;
  }
  if (drawing.kind == DrawingKind::smartArt) {
    const bool written = writeDiagram(state, drawing, drawingPlacement(state, drawing));
    state.shapesUsed = state.shapesUsed || written;
    return written;
  }
  if (!drawsAsShape(drawing)) return false;
  state.shapesUsed = true;
  writeShapeBox(state, drawing, drawingPlacement(state, drawing));
  return true;
}

}  // namespace vellumine::render
