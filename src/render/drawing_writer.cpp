// Pictures, text boxes and the boxes that stand for what is not drawn.  Sizes come from the
// drawing's extent (EMU / 9525 = px); a crop shows the kept part of the picture at that size
// inside a clipping box.  A drawing that text wraps around floats to the side it is aligned to
// (or nearer to, when it is placed by an offset); one on its own lines stands as a block; one the
// text does not wrap around is placed out of the flow (render/unwrapped_drawing.h).
#include "render/drawing_writer.h"

#include <algorithm>

#include "render/block_writer.h"
#include "render/chart_table.h"
#include "render/css_units.h"
#include "render/html_escape.h"
#include "render/shape_writer.h"
#include "render/unwrapped_drawing.h"
#include "text/chartype.h"

namespace vellumine::render {

namespace {

using docx::DrawingKind;
using docx::WrapKind;

// Extents past this (about 100 m) are hostile or broken; the box is kept at this size.
constexpr long long kMaxEmu = 9525LL * 400'000;

long long clampedEmu(long long emu) { return std::clamp<long long>(emu, 0, kMaxEmu); }

// The class that places the drawing in the text around it, or nothing for one in the line.
std::string_view placement(const PageState& state, const docx::Drawing& drawing) {
  switch (drawing.wrap) {
    case WrapKind::square:
    case WrapKind::tight:
    case WrapKind::through: {
      if (drawing.horizontalAlign == "right") return " vm-fr";
      if (drawing.horizontalAlign == "left") return " vm-fl";
      if (drawing.horizontalAlign == "center") return " vm-bc";
      // Placed by an offset: to the side of the column it stands nearer to.
      const long long middle = clampedEmu(drawing.horizontalOffsetEmu) + clampedEmu(drawing.widthEmu) / 2;
      return middle * 2 > state.lineWidth * 635 ? " vm-fr" : " vm-fl";  // 635 EMU to the twip
    }
    case WrapKind::topAndBottom:
      if (drawing.horizontalAlign == "center") return " vm-bc";
      if (drawing.horizontalAlign == "right") return " vm-br";
      return " vm-bl";
    default:
      return "";
  }
}

void appendSize(std::string& out, long long widthEmu, long long heightEmu, std::string_view height = "height:") {
  if (widthEmu > 0) {
    out += "width:";
    appendEmuPx(out, clampedEmu(widthEmu));
    out += ';';
  }
  if (heightEmu > 0) {
    out += height;
    appendEmuPx(out, clampedEmu(heightEmu));
    out += ';';
  }
}

// A style attribute for the drawing's size, none for a drawing without one.
void appendSizeAttribute(std::string& out, long long widthEmu, long long heightEmu, std::string_view height = "height:") {
  if (widthEmu <= 0 && heightEmu <= 0) return;
  out += " style=\"";
  appendSize(out, widthEmu, heightEmu, height);
  out += '"';
}

bool browserShows(std::string_view path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos) return false;
  const std::string_view extension = path.substr(dot + 1);
  for (std::string_view shown : {"png", "jpg", "jpeg", "jpe", "jfif", "gif", "bmp", "webp", "svg", "ico", "avif"}) {
    if (EqualsCaseless(extension, shown)) return true;
  }
  return false;
}

// What the drawing is, in the words of its box's label and of the note about it.
std::string_view notShownNoun(DrawingKind kind) {
  switch (kind) {
    case DrawingKind::chart: return "chart";
    case DrawingKind::smartArt: return "diagram";
    case DrawingKind::shape:
    case DrawingKind::group: return "shape";
    case DrawingKind::object: return "object";
    case DrawingKind::picture: return "picture";
    default: return "drawing";
  }
}

// The labelled box of the drawing's size, counted among the items not shown.  A picture whose
// conversion failed was counted by the conversion pass (pictureNotConverted), so not again.
void writeNotShown(PageState& state, const docx::Drawing& drawing) {
  std::string& out = *state.out;
  out += "<span class=\"vm-ns";
  out += placement(state, drawing);
  out += '"';
  appendSizeAttribute(out, drawing.widthEmu, drawing.heightEmu);
  out += '>';
  if (drawing.notConverted) {
    out += "picture not converted";
  } else {
    const std::string_view noun = notShownNoun(drawing.kind);
    out += noun;
    out += " not shown";
    state.warnings.add(docx::WarningKind::itemNotShown, noun);
  }
  out += "</span>";
}

// The picture at its size; cropped, the whole picture is drawn larger and shifted inside a box of
// that size, so only the kept part shows.
void writePicture(PageState& state, const docx::Drawing& drawing, const std::string& path) {
  std::string& out = *state.out;
  const long long left = std::max(drawing.cropLeft, 0), right = std::max(drawing.cropRight, 0);
  const long long top = std::max(drawing.cropTop, 0), bottom = std::max(drawing.cropBottom, 0);
  const bool cropped = (left + right > 0 || top + bottom > 0) && left + right < 100000 && top + bottom < 100000 &&
                       drawing.widthEmu > 0 && drawing.heightEmu > 0;
  const std::string_view place = placement(state, drawing);
  if (cropped) {
    out += "<span class=\"vm-crop";
    out += place;
    out += '"';
    appendSizeAttribute(out, drawing.widthEmu, drawing.heightEmu);
    out += '>';
  }
  // The source comes first: --embed-images and the batch's media folder look for "<img src=\"".
  out += "<img src=\"";
  appendUrlPath(out, path);
  out += "\" class=\"vm-pic";
  if (!cropped) out += place;
  out += "\" alt=\"";
  appendHtmlAttribute(out, drawing.description.empty() ? drawing.title : drawing.description);
  out += '"';
  if (!drawing.title.empty()) {
    out += " title=\"";
    appendHtmlAttribute(out, drawing.title);
    out += '"';
  }
  if (cropped) {
    const long long width = clampedEmu(drawing.widthEmu) * 100000 / (100000 - left - right);
    const long long height = clampedEmu(drawing.heightEmu) * 100000 / (100000 - top - bottom);
    out += " style=\"";
    appendSize(out, width, height);
    out += "margin-left:";
    appendEmuPx(out, -(width * left / 100000));
    out += ";margin-top:";
    appendEmuPx(out, -(height * top / 100000));
    out += ";\"></span>";
    return;
  }
  appendSizeAttribute(out, drawing.widthEmu, drawing.heightEmu);
  out += '>';
}

// The box a text box or a chart's data stands in: the drawing's width, at least its height.
void openContentBox(PageState& state, const docx::Drawing& drawing) {
  std::string& out = *state.out;
  out += "<span class=\"vm-tbx";
  out += placement(state, drawing);
  out += '"';
  appendSizeAttribute(out, drawing.widthEmu, drawing.heightEmu, "min-height:");
  out += '>';
}

void writeTextBox(PageState& state, const docx::Drawing& drawing) {
  openContentBox(state, drawing);
  writeTextBoxStory(state, drawing);
  *state.out += "</span>";
}

// A chart shown as its data: the title and table in a box of the drawing's width.
void writeChartData(PageState& state, const docx::Drawing& drawing, const docx::Chart& chart) {
  openContentBox(state, drawing);
  appendChartTable(*state.out, chart);
  *state.out += "</span>";
}

}  // namespace

std::string_view drawingPlacement(const PageState& state, const docx::Drawing& drawing) {
  return placement(state, drawing);
}

void writeTextBoxStory(PageState& state, const docx::Drawing& drawing) {
  const auto index = static_cast<std::size_t>(drawing.textBox);
  const bool known = drawing.textBox >= 0 && index < state.document.textBoxes.size();
  // Each story once: a text box shown again (or inside itself) stays an empty box.
  if (known && !state.textBoxWritten[index]) {
    if (state.depth >= kMaxWriteDepth) {
      state.warnings.add(docx::WarningKind::deepNesting, "text boxes nested too deeply are left empty");
    } else {
      state.textBoxWritten[index] = true;
      const long long savedWidth = state.lineWidth;
      if (drawing.widthEmu > 0) state.lineWidth = clampedEmu(drawing.widthEmu) / 635;
      ++state.depth;
      writeBlocks(state, state.document.textBoxes[index].blocks, {});
      --state.depth;
      state.lineWidth = savedWidth;
    }
  }
}

std::optional<std::string> pagePicturePath(std::string_view mainPart, std::string_view target) {
  const std::size_t slash = mainPart.rfind('/');
  const std::string_view folder = slash == std::string_view::npos ? std::string_view() : mainPart.substr(0, slash + 1);
  if (target.empty() || !target.starts_with(folder)) return std::nullopt;
  const std::string_view path = target.substr(folder.size());
  if (path.empty() || path.front() == '/') return std::nullopt;
  // No ".." step (the page must not reach out of its folder) and no "." step either.
  std::size_t from = 0;
  while (from <= path.size()) {
    std::size_t end = path.find('/', from);
    if (end == std::string_view::npos) end = path.size();
    const std::string_view step = path.substr(from, end - from);
    if (step == ".." || step == "." || step.empty()) return std::nullopt;
    from = end + 1;
  }
  return std::string(path);
}

namespace {

void writeDrawingInLine(PageState& state, const docx::Drawing& drawing) {
  // Shapes, text boxes with a look and groups are boxes with their drawn picture behind the text.
  if (writeShape(state, drawing)) return;
  if (drawing.kind == DrawingKind::textBox || drawing.textBox >= 0) {
    writeTextBox(state, drawing);
    return;
  }
  // What a pass drew for a chart, shape or diagram stands in its place as a picture.
  if (!drawing.drawn.empty()) {
    if (const std::optional<std::string> path = pagePicturePath(state.document.mainPart, drawing.drawn)) {
      writePicture(state, drawing, *path);
      return;
    }
  }
  if (drawing.kind == DrawingKind::chart && drawing.chart >= 0 &&
      static_cast<std::size_t>(drawing.chart) < state.document.charts.size()) {
    writeChartData(state, drawing, state.document.charts[static_cast<std::size_t>(drawing.chart)]);
    return;
  }
  // A picture that failed to convert may still carry a shown name (a TIFF called image1.png).
  if (!drawing.notConverted && (drawing.kind == DrawingKind::picture || drawing.kind == DrawingKind::object ||
                                drawing.kind == DrawingKind::unknown)) {
    const std::optional<std::string> path = pagePicturePath(state.document.mainPart, drawing.target);
    if (path && browserShows(*path)) {
      writePicture(state, drawing, *path);
      return;
    }
  }
  writeNotShown(state, drawing);
}

}  // namespace

void writeDrawing(PageState& state, const docx::Drawing& drawing) {
  // The members of a group after the first write nothing (the first writes the group): no box.
  const bool writesNothing = drawing.place.member && drawing.place.memberCount == 0;
  if (!isUnwrapped(drawing) || writesNothing) {
    writeDrawingInLine(state, drawing);
    return;
  }
  openUnwrapped(state, drawing);
  writeDrawingInLine(state, drawing);
  closeUnwrapped(state);
}

}  // namespace vellumine::render
