// Each shape's text stands in a box of the shape's size inside the diagram's box, its paragraphs
// as lines; font size and colour as the drawing part gives them (the page's own otherwise).
#include "render/diagram_writer.h"

#include <algorithm>
#include <optional>
#include <string>

#include "docx/shape_look_reader.h"
#include "render/css_units.h"
#include "render/drawing_writer.h"
#include "render/html_escape.h"

namespace vellumine::render {

namespace {

// Extents past this (about 100 m) are hostile or broken; the box is kept at this size.
constexpr long long kMaxEmu = 9525LL * 400'000;

long long clampedEmu(long long emu) { return std::clamp<long long>(emu, 0, kMaxEmu); }

void appendProperty(std::string& out, std::string_view name, long long emu) {
  out += name;
  appendEmuPx(out, std::clamp<long long>(emu, -kMaxEmu, kMaxEmu));
  out += ';';
}

bool hasText(const docx::DiagramShape& shape) {
  return std::any_of(shape.paragraphs.begin(), shape.paragraphs.end(), [](const std::string& p) { return !p.empty(); });
}

void writeParagraphs(std::string& out, const std::vector<std::string>& paragraphs) {
  for (const std::string& paragraph : paragraphs) {
    out += "<span class=\"vm-dgp\">";
    appendHtmlText(out, paragraph);
    out += "</span>";
  }
}

void writeShapeText(PageState& state, const docx::DiagramShape& shape) {
  std::string& out = *state.out;
  out += "<span class=\"vm-dgt\" style=\"";
  appendProperty(out, "left:", shape.xEmu);
  appendProperty(out, "top:", shape.yEmu);
  appendProperty(out, "width:", clampedEmu(shape.widthEmu));
  appendProperty(out, "height:", clampedEmu(shape.heightEmu));
  if (shape.fontSize > 0) {
    out += "font-size:";
    appendHundredths(out, shape.fontSize);
    out += "pt;";
  }
  if (const auto colour = docx::resolveShapeColor(shape.textColor, state.document.theme, state.document.settings)) {
    out += "color:";
    appendColor(out, *colour);
    out += ';';
  }
  out += "\">";
  writeParagraphs(out, shape.paragraphs);
  out += "</span>";
}

void writeDrawnDiagram(PageState& state, const docx::Drawing& drawing, const docx::Diagram& diagram,
                       std::string_view placement) {
  std::string& out = *state.out;
  out += "<span class=\"vm-dgm";
  out += placement;
  out += "\" style=\"";
  appendProperty(out, "width:", clampedEmu(drawing.widthEmu));
  appendProperty(out, "height:", clampedEmu(drawing.heightEmu));
  out += "\">";
  if (const std::optional<std::string> path = pagePicturePath(state.document.mainPart, drawing.drawn)) {
    out += "<img src=\"";
    appendUrlPath(out, *path);
    out += "\" class=\"vm-sdr\" alt=\"";
    appendHtmlAttribute(out, drawing.description.empty() ? drawing.title : drawing.description);
    out += "\" style=\"left:0;top:0;";
    appendProperty(out, "width:", clampedEmu(drawing.widthEmu));
    appendProperty(out, "height:", clampedEmu(drawing.heightEmu));
    out += "\">";
  }
  for (const docx::DiagramShape& shape : diagram.shapes) {
    if (hasText(shape)) writeShapeText(state, shape);
  }
  out += "</span>";
}

}  // namespace

bool writeDiagram(PageState& state, const docx::Drawing& drawing, std::string_view placement) {
  const std::vector<docx::Diagram>& diagrams = state.document.diagrams;
  if (drawing.diagram < 0 || static_cast<std::size_t>(drawing.diagram) >= diagrams.size()) return false;
  const docx::Diagram& diagram = diagrams[static_cast<std::size_t>(drawing.diagram)];
  if (!diagram.shapes.empty()) {
    writeDrawnDiagram(state, drawing, diagram, placement);
    return true;
  }
  if (diagram.words.empty()) return false;
  std::string& out = *state.out;
  out += "<span class=\"vm-dgl";
  out += placement;
  out += "\">";
  writeParagraphs(out, diagram.words);
  out += "</span>";
  return true;
}

}  // namespace vellumine::render
