// Arbitrary bytes through the faithful page: read into the model, lists numbered, page written.
// The input: a 7-byte header gives a flag byte and the lengths of
// the document, style and numbering parts; the rest is a story part, read as the footnotes,
// endnotes and comments and as the header and footer the sections name (r:id "rIdH", "rIdF"),
// and as a chart part.  The relationships are fixed (a picture, a link, a picture of the header,
// a diagram whose data and drawing parts are the story part too); shapes and diagrams are drawn
// as the shape pass draws them.  With flag 1 the
// document part is also cut as a large part is, in slices of 64 bytes, and the cut is checked.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

#include "docx/chart_reader.h"
#include "docx/diagram_reader.h"
#include "docx/list_labels.h"
#include "docx/part_slices.h"
#include "docx/reader.h"
#include "docx/xml_part.h"
#include "render/chart_svg.h"
#include "render/chart_table.h"
#include "render/page_render.h"
#include "render/shape_svg.h"

namespace {

constexpr std::size_t kHeaderBytes = 7;

constexpr const char* kRelationships =
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rIdS" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>)"
    R"(<Relationship Id="rIdN" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/numbering" Target="numbering.xml"/>)"
    R"(<Relationship Id="rIdH" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/header" Target="header1.xml"/>)"
    R"(<Relationship Id="rIdF" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/footer" Target="/word/footer1.xml"/>)"
    R"(<Relationship Id="rIdImage" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/image" Target="media/image1.png"/>)"
    R"(<Relationship Id="rIdDm" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/diagramData" Target="diagrams/data1.xml"/>)"
    R"(<Relationship Id="rIdDd" Type="http://schemas.microsoft.com/office/2007/relationships/diagramDrawing" Target="diagrams/drawing1.xml"/>)"
    R"(<Relationship Id="rIdLink" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/hyperlink" Target="https://example.org/" TargetMode="External"/>)"
    "</Relationships>";

std::string takePart(const std::uint8_t* header, std::size_t at, const char*& rest, std::size_t& left) {
  const std::size_t wanted = static_cast<std::size_t>(header[at]) | static_cast<std::size_t>(header[at + 1]) << 8;
  const std::size_t length = std::min(wanted, left);
  std::string part(rest, length);
  rest += length;
  left -= length;
  return part;
}

void checkSlices(const std::string& document) {
  const auto slices = vellumine::docx::slicePart(document, 64);
  if (!slices) return;
  std::size_t previous = slices->head.size();
  for (const auto& range : slices->ranges) {
    if (range.begin != previous || range.end < range.begin || range.end > document.size()) std::abort();
    previous = range.end;
  }
}

// What the shape pass does, without writing files: each shape drawn as SVG, each diagram read
// (its data and drawing part are the story part) and drawn, for the page to write.
void drawShapes(vellumine::docx::Document& document, const vellumine::docx::PartSource& source,
                vellumine::docx::Warnings& warnings) {
  for (vellumine::docx::Drawing& drawing : document.drawings) {
    if (drawing.kind == vellumine::docx::DrawingKind::smartArt && !drawing.target.empty()) {
      document.diagrams.push_back(vellumine::docx::readDiagram(source, document.mainPart, drawing.target, warnings));
      drawing.diagram = static_cast<std::int32_t>(document.diagrams.size() - 1);
      const std::string svg = vellumine::render::diagramSvg(document.diagrams.back(), drawing.widthEmu,
                                                            drawing.heightEmu, document.theme, document.settings);
      if (svg.find("</svg>") == std::string::npos) std::abort();
      continue;
    }
    const auto paint = vellumine::render::resolveShapePaint(drawing.look, document.theme, document.settings);
    const std::string svg = vellumine::render::shapeSvg(drawing.look, paint, drawing.widthEmu, drawing.heightEmu);
    if (svg.find("</svg>") == std::string::npos) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < kHeaderBytes) return 0;
  const char* rest = reinterpret_cast<const char*>(data + kHeaderBytes);
  std::size_t left = size - kHeaderBytes;
  std::map<std::string, std::string, std::less<>> parts;
  parts["word/document.xml"] = takePart(data, 1, rest, left);
  parts["word/styles.xml"] = takePart(data, 3, rest, left);
  parts["word/numbering.xml"] = takePart(data, 5, rest, left);
  const std::string story(rest, left);
  for (const char* name : {"word/footnotes.xml", "word/endnotes.xml", "word/comments.xml", "word/header1.xml",
                           "word/footer1.xml"}) {
    parts[name] = story;
  }
  parts["word/diagrams/data1.xml"] = story;
  parts["word/diagrams/drawing1.xml"] = story;
  parts["word/_rels/document.xml.rels"] = kRelationships;
  parts["word/_rels/header1.xml.rels"] = kRelationships;
  if ((data[0] & 1) != 0) checkSlices(parts["word/document.xml"]);
  const vellumine::docx::PartSource source = [&parts](std::string_view name) -> std::optional<std::string> {
    auto it = parts.find(name);
    if (it == parts.end()) return std::nullopt;
    return it->second;
  };
  vellumine::docx::Warnings warnings;
  // A main part is always there: reading never throws.
  vellumine::docx::Document document = vellumine::docx::readDocument(source, warnings);
  vellumine::docx::assignListLabels(document);
  drawShapes(document, source, warnings);
  vellumine::render::PageOptions options;
  if ((data[0] & 6) == 2) options.changes = vellumine::render::ChangesView::final;
  if ((data[0] & 6) == 4) options.changes = vellumine::render::ChangesView::original;
  const std::string page = vellumine::render::renderPage(document, options, warnings);
  if (page.empty()) std::abort();
  // The story bytes are a chart part too: read, then drawn or written as its data.
  const vellumine::docx::XmlPart chartPart("word/charts/chart1.xml", story, warnings);
  if (const auto chart = vellumine::docx::readChart(chartPart.root(), document.theme, document.settings, warnings)) {
    std::string table;
    if (!vellumine::render::drawChartSvg(*chart, 480, 288)) vellumine::render::appendChartTable(table, *chart);
  }
  return 0;
}
