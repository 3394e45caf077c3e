// Diagrams from their parts: the cached drawing's shapes with their boxes, looks and text; the
// data part's words when the drawing part is missing or not named; connections and presentation
// points left out; missing parts, damaged parts and absurd numbers survived; the bound on shapes.
#include "docx/diagram_reader.h"

#include <map>
#include <string>

#include <gtest/gtest.h>

namespace vellumine::docx {
namespace {

constexpr const char* kDataPart = "word/diagrams/data1.xml";

std::string dataPart(const std::string& points, bool namesDrawing = true) {
  std::string text =
      "<dgm:dataModel xmlns:dgm=\"http://schemas.openxmlformats.org/drawingml/2006/diagram\" "
      "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\"><dgm:ptLst>" +
      points + "</dgm:ptLst>";
  if (namesDrawing) {
    text += "<dgm:extLst><a:ext uri=\"x\"><dsp:dataModelExt xmlns:dsp=\"http://schemas.microsoft.com/office/drawing/2008/diagram\" "
            "relId=\"rId9\"/></a:ext></dgm:extLst>";
  }
  return text + "</dgm:dataModel>";
}

std::string point(const std::string& text, const std::string& type = {}) {
  return "<dgm:pt modelId=\"1\"" + (type.empty() ? std::string() : " type=\"" + type + "\"") +
         "><dgm:t><a:bodyPr/><a:p><a:r><a:t>" + text + "</a:t></a:r></a:p></dgm:t></dgm:pt>";
}

std::string drawingPart(const std::string& shapes) {
  return "<dsp:drawing xmlns:dsp=\"http://schemas.microsoft.com/office/drawing/2008/diagram\" "
         "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\"><dsp:spTree>" +
         shapes + "</dsp:spTree></dsp:drawing>";
}

std::string shape(const std::string& off, const std::string& ext, const std::string& geometry, const std::string& body) {
  return "<dsp:sp><dsp:spPr><a:xfrm><a:off " + off + "/><a:ext " + ext + "/></a:xfrm><a:prstGeom prst=\"" + geometry +
         "\"/><a:solidFill><a:srgbClr val=\"4472C4\"/></a:solidFill></dsp:spPr><dsp:style><a:fontRef idx=\"minor\">"
         "<a:schemeClr val=\"lt1\"/></a:fontRef></dsp:style><dsp:txBody><a:bodyPr/>" +
         body + "</dsp:txBody></dsp:sp>";
}

// A drawing part cut after its shapes, so that what follows damages it.
std::string withoutEnd(const std::string& part) { return part.substr(0, part.rfind("</dsp:spTree>")); }

constexpr const char* kRelationships =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId9\" Type=\"http://schemas.microsoft.com/office/2007/relationships/diagramDrawing\" "
    "Target=\"diagrams/drawing1.xml\"/></Relationships>";

PartSource partsOf(std::map<std::string, std::string> parts) {
  return [parts = std::move(parts)](std::string_view name) -> std::optional<std::string> {
    const auto it = parts.find(std::string(name));
    if (it == parts.end()) return std::nullopt;
    return it->second;
  };
}

// "roundRect 0,0 100x50 [Plan|] 1400 theme2" per shape, then "words: a, b".
std::string describe(const Diagram& diagram) {
  std::string text;
  for (const DiagramShape& s : diagram.shapes) {
    text += std::to_string(static_cast<int>(s.look.geometry)) + " " + std::to_string(s.xEmu) + "," +
            std::to_string(s.yEmu) + " " + std::to_string(s.widthEmu) + "x" + std::to_string(s.heightEmu) + " [";
    for (std::size_t k = 0; k < s.paragraphs.size(); ++k) text += (k ? "|" : "") + s.paragraphs[k];
    text += "] " + std::to_string(s.fontSize) + " " +
            (s.textColor.present ? std::to_string(static_cast<int>(s.textColor.theme)) + ":" + std::to_string(s.textColor.rgb)
                                 : std::string("-")) +
            "; ";
  }
  if (!diagram.words.empty()) {
    text += "words:";
    for (const std::string& word : diagram.words) text += " " + word;
  }
  return text;
}

struct DiagramCase {
  std::string name;
  std::map<std::string, std::string> parts;
  std::string expected;
  int missing = 0;   // missingPart warnings
  int damaged = 0;   // malformedXml warnings
};

void PrintTo(const DiagramCase& row, std::ostream* out) { *out << row.name; }

const DiagramCase kCases[] = {
    {"ShapesFromTheCachedDrawing",
     {{kDataPart, dataPart(point("Plan"))},
      {"word/_rels/document.xml.rels", kRelationships},
      {"word/diagrams/drawing1.xml",
       drawingPart(shape("x=\"10\" y=\"20\"", "cx=\"300\" cy=\"400\"", "roundRect",
                         "<a:p><a:r><a:rPr sz=\"1400\"/><a:t>Plan</a:t></a:r><a:r><a:t> ahead</a:t></a:r></a:p><a:p/>") +
                   shape("x=\"500\" y=\"0\"", "cx=\"100\" cy=\"100\"", "rightArrow",
                         "<a:p><a:r><a:rPr><a:solidFill><a:srgbClr val=\"FF0000\"/></a:solidFill></a:rPr><a:t>Go</a:t></a:r></a:p>"))}},
     "2 10,20 300x400 [Plan ahead|] 1400 2:0; 6 500,0 100x100 [Go] 0 0:16711680; "},
    {"WordsWhenTheDrawingPartIsMissing",
     {{kDataPart, dataPart(point("One") + point("link", "parTrans") + point("gap", "sibTrans") + point("shown", "pres") +
                           point("Two"))},
      {"word/_rels/document.xml.rels", kRelationships}},
     "words: One Two",
     1},
    {"WordsWhenNoDrawingIsNamed",
     {{kDataPart, dataPart(point("Alone"), false)}},
     "words: Alone"},
    {"NoDataPart", {}, "", 1},
    {"DamagedDrawingKeepsWhatWasRead",
     {{kDataPart, dataPart(point("Plan"))},
      {"word/_rels/document.xml.rels", kRelationships},
      {"word/diagrams/drawing1.xml",
       withoutEnd(drawingPart(shape("x=\"0\" y=\"0\"", "cx=\"1\" cy=\"1\"", "rect", "<a:p><a:r><a:t>Kept</a:t></a:r></a:p>"))) +
           "<dsp:sp><broken"}},
     // The shape cut short by the damage stays, empty: nothing of it is drawn.
     "1 0,0 1x1 [Kept] 0 2:0; 0 0,0 0x0 [] 0 -; ",
     0, 1},
    {"AbsurdBoxesBounded",
     {{kDataPart, dataPart(point("Plan"))},
      {"word/_rels/document.xml.rels", kRelationships},
      {"word/diagrams/drawing1.xml",
       drawingPart(shape("x=\"-1000000000000000\" y=\"1000000000000000\"", "cx=\"-5\" cy=\"99999999999999999\"",
                         "ellipse", "<a:p><a:r><a:t>Big</a:t></a:r></a:p>"))}},
     "3 -3810000000,3810000000 0x3810000000 [Big] 0 2:0; "},
};

class DiagramReading : public testing::TestWithParam<DiagramCase> {};

TEST_P(DiagramReading, ReadsShapesOrWords) {
  Warnings warnings;
  const Diagram diagram = readDiagram(partsOf(GetParam().parts), "word/document.xml", kDataPart, warnings);
  EXPECT_EQ(describe(diagram), GetParam().expected);
  EXPECT_EQ(warnings.count(WarningKind::missingPart), GetParam().missing);
  EXPECT_EQ(warnings.count(WarningKind::malformedXml), GetParam().damaged);
}

std::string caseName(const testing::TestParamInfo<DiagramCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Cases, DiagramReading, testing::ValuesIn(kCases), caseName);

TEST(DiagramReading, ShapesPastTheBoundAreLeftOutWithOneWarning) {
  std::string shapes;
  for (std::size_t k = 0; k < kMaxDiagramShapes + 10; ++k) {
    shapes += shape("x=\"0\" y=\"0\"", "cx=\"1\" cy=\"1\"", "rect", "<a:p/>");
  }
  Warnings warnings;
  const Diagram diagram = readDiagram(partsOf({{kDataPart, dataPart(point("x"))},
                                               {"word/_rels/document.xml.rels", kRelationships},
                                               {"word/diagrams/drawing1.xml", drawingPart(shapes)}}),
                                      "word/document.xml", kDataPart, warnings);
  EXPECT_EQ(diagram.shapes.size(), kMaxDiagramShapes);
  EXPECT_EQ(warnings.count(WarningKind::notShown), 1);
}

TEST(DiagramReading, DeeplyNestedDrawingCostsNoStack) {
  std::string nested;
  for (int k = 0; k < 20000; ++k) nested += "<dsp:grpSp>";
  nested += shape("x=\"0\" y=\"0\"", "cx=\"1\" cy=\"1\"", "rect", "<a:p><a:r><a:t>deep</a:t></a:r></a:p>");
  for (int k = 0; k < 20000; ++k) nested += "</dsp:grpSp>";
  Warnings warnings;
  const Diagram diagram = readDiagram(partsOf({{kDataPart, dataPart(point("x"))},
                                               {"word/_rels/document.xml.rels", kRelationships},
                                               {"word/diagrams/drawing1.xml", drawingPart(nested)}}),
                                      "word/document.xml", kDataPart, warnings);
  ASSERT_EQ(diagram.shapes.size(), 1u);
  EXPECT_EQ(diagram.shapes[0].paragraphs.front(), "deep");
}

}  // namespace
}  // namespace vellumine::docx
