// The cached drawing of a diagram is read shape by shape in document order, walking its tree
// without recursion; each shape's text is its paragraphs' runs joined.  Shapes' boxes are taken
// as written (the drawing part lays them out in the diagram's frame), kept within bounds.
#include "docx/diagram_reader.h"

#include <algorithm>
#include <optional>
#include <string>

#include "docx/element_walk.h"
#include "docx/relationships.h"
#include "docx/shape_look_reader.h"
#include "docx/xml_names.h"
#include "docx/xml_part.h"
#include "docx/xml_values.h"

namespace vellumine::docx {

namespace {

// Boxes past this (about 100 m) are broken or hostile.
constexpr std::int64_t kMaxBoxEmu = 9525LL * 400'000;
// A shape's text past this many bytes is cut: diagrams hold labels, not pages.
constexpr std::size_t kMaxShapeText = 10000;


std::optional<std::string> drawingPartOf(const pugi::xml_node& dataModel, const PartSource& parts,
                                         std::string_view documentPart, Warnings& warnings) {
  std::string_view relId;
  forEachElementBelow(dataModel.child("dgm:extLst"), [&relId](const pugi::xml_node& node) {
    if (is(node, "dsp:dataModelExt")) relId = node.attribute("relId").value();
    return relId.empty();
  });
  if (relId.empty()) return std::nullopt;
  const Relationships relationships = readRelationships(parts, documentPart, warnings);
  const Relationship* relationship = relationships.find(relId);
  if (relationship == nullptr || relationship->external || relationship->target.empty()) return std::nullopt;
  return relationship->target;
}

// The text of a:p: its a:t (in runs and fields) joined, a:br as a line break.
std::string paragraphText(const pugi::xml_node& paragraph) {
  std::string text;
  forEachElementBelow(paragraph, [&text](const pugi::xml_node& node) {
    if (text.size() >= kMaxShapeText) return false;
    if (is(node, "a:t")) text += node.text().get();
    if (is(node, "a:br")) text += '\n';
    return !is(node, "a:t");
  });
  if (text.size() > kMaxShapeText) text.resize(kMaxShapeText);
  return text;
}

std::int64_t boundedEmu(std::optional<std::int64_t> emu, std::int64_t low) {
  return std::clamp<std::int64_t>(emu.value_or(0), low, kMaxBoxEmu);
}

DiagramShape readShape(const pugi::xml_node& sp, Warnings& warnings) {
  DiagramShape shape;
  const pugi::xml_node spPr = sp.child("dsp:spPr");
  const pugi::xml_node txBody = sp.child("dsp:txBody");
  shape.look = readShapeLook(spPr, sp.child("dsp:style"), txBody.child("a:bodyPr"), warnings);
  const pugi::xml_node xfrm = spPr.child("a:xfrm");
  shape.xEmu = boundedEmu(readEmu(xfrm.child("a:off").attribute("x"), warnings), -kMaxBoxEmu);
  shape.yEmu = boundedEmu(readEmu(xfrm.child("a:off").attribute("y"), warnings), -kMaxBoxEmu);
  shape.widthEmu = boundedEmu(readEmu(xfrm.child("a:ext").attribute("cx"), warnings), 0);
  shape.heightEmu = boundedEmu(readEmu(xfrm.child("a:ext").attribute("cy"), warnings), 0);
  shape.textColor = shape.look.textColor;
  for (const pugi::xml_node& paragraph : txBody.children("a:p")) {
    if (shape.paragraphs.size() >= 100) break;
    shape.paragraphs.push_back(paragraphText(paragraph));
    const pugi::xml_node runProperties = paragraph.child("a:r").child("a:rPr");
    if (shape.fontSize == 0) {
      shape.fontSize = std::clamp(readInt(runProperties.attribute("sz"), warnings).value_or(0), 0, 400000);
    }
    if (const ShapeColor colour = readColorChoice(runProperties.child("a:solidFill"), warnings); colour.present) {
      shape.textColor = colour;
    }
  }
  return shape;
}

void readShapes(const pugi::xml_node& drawing, Diagram& diagram, Warnings& warnings) {
  bool full = false;
  forEachElementBelow(drawing, [&](const pugi::xml_node& node) {
    if (full) return false;
    if (!is(node, "dsp:sp")) return true;
    if (diagram.shapes.size() < kMaxDiagramShapes) {
      diagram.shapes.push_back(readShape(node, warnings));
    } else {
      warnings.add(WarningKind::notShown, "diagram shapes past the first 2000");
      full = true;
    }
    return false;
  });
}

// Points that carry the diagram's own words (not connections, not presentation points).
bool holdsWords(const pugi::xml_node& point) {
  const std::string_view type = point.attribute("type").value();
  return type != "parTrans" && type != "sibTrans" && type != "pres";
}

void readWords(const pugi::xml_node& dataModel, Diagram& diagram, Warnings& warnings) {
  for (const pugi::xml_node& point : dataModel.child("dgm:ptLst").children("dgm:pt")) {
    if (!holdsWords(point)) continue;
    for (const pugi::xml_node& paragraph : point.child("dgm:t").children("a:p")) {
      std::string text = paragraphText(paragraph);
      if (text.empty()) continue;
      if (diagram.words.size() >= kMaxDiagramWords) {
        warnings.add(WarningKind::notShown, "diagram texts past the first 10000");
        return;
      }
      diagram.words.push_back(std::move(text));
    }
  }
}

}  // namespace

Diagram readDiagram(const PartSource& parts, std::string_view documentPart, std::string_view dataPart,
                    Warnings& warnings) {
  Diagram diagram;
  std::optional<std::string> dataBytes = parts(dataPart);
  if (!dataBytes) {
    warnings.add(WarningKind::missingPart, dataPart);
    return diagram;
  }
  const XmlPart data(dataPart, std::move(*dataBytes), warnings);
  if (const std::optional<std::string> drawingPart = drawingPartOf(data.root(), parts, documentPart, warnings)) {
    if (std::optional<std::string> drawingBytes = parts(*drawingPart)) {
      const XmlPart drawing(*drawingPart, std::move(*drawingBytes), warnings);
      readShapes(drawing.root().child("dsp:spTree"), diagram, warnings);
    } else {
      warnings.add(WarningKind::missingPart, *drawingPart);
    }
  }
  if (diagram.shapes.empty()) readWords(data.root(), diagram, warnings);
  return diagram;
}

}  // namespace vellumine::docx
