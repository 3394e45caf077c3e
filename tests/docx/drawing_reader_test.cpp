// Drawings in a run: DrawingML pictures (inline and anchored, wrap, position, crop), shapes and text
// boxes, groups and canvases, charts and diagrams, VML pictures and text boxes, embedded objects;
// targets through the part's relationships, never outside the package.
#include "docx/drawing_reader.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/docx_builder.h"
#include "support/test_support.h"

namespace vellumine::docx {
namespace {

using test::element;

// A DrawingML drawing: wp:inline (or wp:anchor with anchorContent first) around graphic data.
std::string drawingML(const std::string& graphicData, const std::string& anchorContent = {},
                      const std::string& extent = R"(cx="914400" cy="457200")", const std::string& docPr = {},
                      const std::string& anchorAttributes = R"(behindDoc="0")") {
  const std::string frame = element("wp:extent", extent) + element("wp:docPr", "id=\"1\" name=\"d\" " + docPr) +
                            element("a:graphic", {}, element("a:graphicData", "uri=\"u\"", graphicData));
  if (anchorContent.empty()) return element("w:drawing", {}, element("wp:inline", {}, frame));
  return element("w:drawing", {}, element("wp:anchor", anchorAttributes, anchorContent + frame));
}

constexpr const char* kExtent = R"(cx="914400" cy="457200")";

std::string picture(const std::string& embed, const std::string& extra = {}) {
  return element("pic:pic", {},
                 element("pic:nvPicPr", {}, element("pic:cNvPr", "id=\"2\" name=\"p\" descr=\"own\"")) +
                     element("pic:blipFill", {}, element("a:blip", "r:embed=\"" + embed + "\"") + extra) +
                     element("pic:spPr", {}, element("a:xfrm", {}, element("a:ext", "cx=\"100\" cy=\"200\""))));
}

std::string textBoxShape(const std::string& text) {
  return element("wps:wsp", {},
                 element("wps:spPr", {}, element("a:xfrm", {}, element("a:ext", "cx=\"300\" cy=\"400\""))) +
                     element("wps:txbx", {}, element("w:txbxContent", {}, test::wParagraph(test::wTextRun(text)))));
}

struct DrawingCase {
  std::string name;
  std::string run;                     // the run's content
  std::vector<std::string> drawings;   // describeDocument's drawing lines
  std::vector<std::string> textBoxes;  // the paragraphs of each text box, joined by " / "
  int inBody = -1;                     // how many drawings stand in the body (-1: all)
};

void PrintTo(const DrawingCase& row, std::ostream* out) { *out << row.name; }

const DrawingCase kDrawingCases[] = {
    {"InlinePicture", drawingML(picture("rImg", R"(<a:srcRect l="1000" t="2000" r="3000" b="4000"/>)"), {},
                                R"(cx="914400" cy="457200")", R"(descr="A cat" title="Cat")"),
     {R"(drawing 0 picture 914400x457200 target="word/media/cat.png" descr="A cat" title="Cat" crop=1000,2000,3000,4000 wrap=inline h=""/0/"" textBox=-1)"},
     {}},
    {"AnchoredPictureWithWrapAndPosition",
     drawingML(picture("rImg"),
               R"(<wp:positionH relativeFrom="margin"><wp:posOffset>12700</wp:posOffset></wp:positionH><wp:wrapSquare wrapText="bothSides"/>)"),
     {R"(drawing 0 picture 914400x457200 target="word/media/cat.png" descr="" title="" crop=0,0,0,0 wrap=square h=""/12700/"margin" v=""/0/"" textBox=-1)"},
     {}},
    {"AnchoredWithoutWrapFloatsAndAligns",
     drawingML(picture("rImg"), R"(<wp:positionH relativeFrom="page"><wp:align>center</wp:align></wp:positionH><wp:wrapNone/>)"),
     {R"(drawing 0 picture 914400x457200 target="word/media/cat.png" descr="" title="" crop=0,0,0,0 wrap=inFrontOfText h="center"/0/"page" v=""/0/"" textBox=-1)"},
     {}},
    {"AnchoredBothWaysInFrontOfTheText",
     drawingML(picture("rImg"),
               R"(<wp:positionH relativeFrom="margin"><wp:posOffset>12700</wp:posOffset></wp:positionH>)"
               R"(<wp:positionV relativeFrom="paragraph"><wp:posOffset>-25400</wp:posOffset></wp:positionV><wp:wrapNone/>)"),
     {R"(drawing 0 picture 914400x457200 target="word/media/cat.png" descr="" title="" crop=0,0,0,0 wrap=inFrontOfText h=""/12700/"margin" v=""/-25400/"paragraph" textBox=-1)"},
     {}},
    {"BehindTheTextAlignedOnThePage",
     drawingML(picture("rImg"),
               R"(<wp:positionH relativeFrom="page"><wp:align>right</wp:align></wp:positionH>)"
               R"(<wp:positionV relativeFrom="page"><wp:align> bottom </wp:align></wp:positionV><wp:wrapNone/>)",
               kExtent, {}, R"(behindDoc="1")"),
     {R"(drawing 0 picture 914400x457200 target="word/media/cat.png" descr="" title="" crop=0,0,0,0 wrap=behindText h="right"/0/"page" v="bottom"/0/"page" textBox=-1)"},
     {}},
    {"SimplePositionIsOnThePage",
     drawingML(picture("rImg"),
               R"(<wp:simplePos x="914400" y="1828800"/><wp:positionH relativeFrom="column"><wp:posOffset>5</wp:posOffset></wp:positionH>)"
               R"(<wp:positionV relativeFrom="line"><wp:align>top</wp:align></wp:positionV><wp:wrapNone/>)",
               kExtent, {}, R"(behindDoc="true" simplePos="1")"),
     {R"(drawing 0 picture 914400x457200 target="word/media/cat.png" descr="" title="" crop=0,0,0,0 wrap=behindText h=""/914400/"page" v=""/1828800/"page" textBox=-1)"},
     {}},
    {"MalformedVerticalOffsetIsNone",
     drawingML(picture("rImg"), R"(<wp:positionV relativeFrom="paragraph"><wp:posOffset>1.5e3</wp:posOffset></wp:positionV><wp:wrapNone/>)"),
     {R"(drawing 0 picture 914400x457200 target="word/media/cat.png" descr="" title="" crop=0,0,0,0 wrap=inFrontOfText h=""/0/"" v=""/0/"paragraph" textBox=-1)"},
     {}},
    {"LinkedOrMissingPicturesHaveNoTarget", drawingML(picture("rRemote")) + drawingML(picture("rNone")) + drawingML(picture("rOut")),
     {R"(drawing 0 picture 914400x457200 target="" descr="" title="" crop=0,0,0,0 wrap=inline h=""/0/"" textBox=-1)",
      R"(drawing 1 picture 914400x457200 target="" descr="" title="" crop=0,0,0,0 wrap=inline h=""/0/"" textBox=-1)",
      R"(drawing 2 picture 914400x457200 target="" descr="" title="" crop=0,0,0,0 wrap=inline h=""/0/"" textBox=-1)"},
     {}},
    {"TextBoxShape", drawingML(textBoxShape("boxed")),
     {R"(drawing 0 textBox 914400x457200 target="" descr="" title="" crop=0,0,0,0 wrap=inline h=""/0/"" textBox=0)"},
     {R"(text"boxed")"}},
    {"ShapeWithoutText", drawingML(element("wps:wsp", {}, element("wps:spPr"))),
     {R"(drawing 0 shape 914400x457200 target="" descr="" title="" crop=0,0,0,0 wrap=inline h=""/0/"" textBox=-1)"},
     {}},
    {"GroupGivesItsMembers",
     drawingML(element("wpg:wgp", {},
                       element("wpg:grpSpPr") + picture("rImg") +
                           element("wpg:grpSp", {}, textBoxShape("in group") + picture("rImg")))),
     {R"(drawing 0 picture 100x200 target="word/media/cat.png" descr="own" title="" crop=0,0,0,0 wrap=inline h=""/0/"" textBox=-1)",
      R"(drawing 1 textBox 300x400 target="" descr="" title="" crop=0,0,0,0 wrap=inline h=""/0/"" textBox=0)",
      R"(drawing 2 picture 100x200 target="word/media/cat.png" descr="own" title="" crop=0,0,0,0 wrap=inline h=""/0/"" textBox=-1)"},
     {R"(text"in group")"}},
    {"EmptyCanvasIsAGroup", drawingML(element("wpc:wpc", {}, element("wpc:bg"))),
     {R"(drawing 0 group 914400x457200 target="" descr="" title="" crop=0,0,0,0 wrap=inline h=""/0/"" textBox=-1)"},
     {}},
    {"Chart", drawingML(element("c:chart", "r:id=\"rChart\"")),
     {R"(drawing 0 chart 914400x457200 target="word/charts/chart1.xml" descr="" title="" crop=0,0,0,0 wrap=inline h=""/0/"" textBox=-1)"},
     {}},
    {"Diagram", drawingML(element("dgm:relIds", R"(r:dm="rData" r:lo="x" r:qs="y" r:cs="z")")),
     {R"(drawing 0 smartArt 914400x457200 target="word/diagrams/data1.xml" descr="" title="" crop=0,0,0,0 wrap=inline h=""/0/"" textBox=-1)"},
     {}},
    {"VmlPicture",
     element("w:pict", {},
             element("v:shapetype", "id=\"t75\"", element("v:imagedata", "r:id=\"rWrong\"")) +
                 element("v:shape", R"(style="width:72pt;height:0.5in" alt="old")",
                         element("v:imagedata", R"(r:id="rImg" o:title="t")"))),
     {R"(drawing 0 picture 914400x457200 target="word/media/cat.png" descr="old" title="t" crop=0,0,0,0 wrap=inline h=""/0/"" textBox=-1)"},
     {}},
    {"VmlTextBoxFloating",
     element("w:pict", {},
             element("v:rect",
                     R"(style="position:absolute;margin-left:10pt;width:100px;height:2cm;z-index:-3;mso-position-horizontal-relative:page")",
                     element("v:textbox", {}, element("w:txbxContent", {}, test::wParagraph(test::wTextRun("vml")))) +
                         element("w10:wrap", "type=\"topAndBottom\""))),
     {R"(drawing 0 textBox 952500x720000 target="" descr="" title="" crop=0,0,0,0 wrap=topAndBottom h=""/127000/"page" v=""/0/"" textBox=0)"},
     {R"(text"vml")"}},
    {"VmlBehindTheTextByItsMargins",
     element("w:pict", {},
             element("v:rect",
                     R"(style="position:absolute;margin-left:36pt;margin-top:-18pt;width:72pt;height:36pt;z-index:-251658240;)"
                     R"(mso-position-horizontal-relative:page;mso-position-vertical-relative:text")")),
     {R"(drawing 0 shape 914400x457200 target="" descr="" title="" crop=0,0,0,0 wrap=behindText h=""/457200/"page" v=""/-228600/"paragraph" textBox=-1)"},
     {}},
    {"VmlInFrontWithItsPlaceInDrawingMLWords",
     element("w:pict", {},
             element("v:shape",
                     R"(style="position:absolute;left:10pt;margin-left:5pt;top:2pt;width:1pt;height:1pt;z-index:3;)"
                     R"(mso-position-horizontal:center;mso-position-horizontal-relative:left-margin-area;)"
                     R"(mso-position-vertical:absolute;mso-position-vertical-relative:line")")),
     {R"(drawing 0 shape 12700x12700 target="" descr="" title="" crop=0,0,0,0 wrap=inFrontOfText h="center"/190500/"leftMargin" v=""/25400/"line" textBox=-1)"},
     {}},
    {"VmlGroupMembersShareItsPlace",
     element("w:pict", {},
             element("v:group", R"(style="position:absolute;margin-top:10pt;width:10pt;height:10pt;z-index:-1")",
                     element("v:oval", "style=\"width:1pt;height:2pt\""))),
     {R"(drawing 0 shape 12700x25400 target="" descr="" title="" crop=0,0,0,0 wrap=behindText h=""/0/"" v=""/127000/"" textBox=-1)"},
     {}},
    {"VmlGroupGivesItsMembers",
     element("w:pict", {},
             element("v:group", "style=\"width:10pt;height:10pt\"",
                     element("v:oval", "style=\"width:1pt;height:2pt\"") +
                         element("v:shape", "style=\"width:3pt;height:4pt\"", element("v:imagedata", "r:id=\"rImg\"")))),
     {R"(drawing 0 shape 12700x25400 target="" descr="" title="" crop=0,0,0,0 wrap=inline h=""/0/"" textBox=-1)",
      R"(drawing 1 picture 38100x50800 target="word/media/cat.png" descr="" title="" crop=0,0,0,0 wrap=inline h=""/0/"" textBox=-1)"},
     {}},
    {"MalformedVmlSizeIsAbsent", element("w:pict", {}, element("v:shape", "style=\"width:wide;height:1in\"")),
     {R"(drawing 0 shape 0x914400 target="" descr="" title="" crop=0,0,0,0 wrap=inline h=""/0/"" textBox=-1)"},
     {}},
    {"EmbeddedObjectShowsItsPreview",
     element("w:object", R"(w:dxaOrig="1440" w:dyaOrig="720")",
             element("v:shape", "style=\"width:1in;height:0.5in\"", element("v:imagedata", "r:id=\"rEmf\"")) +
                 element("o:OLEObject", R"(Type="Embed" ProgID="Equation.3" r:id="rOle")")),
     {R"(drawing 0 object 914400x457200 target="word/media/image2.emf" descr="" title="" crop=0,0,0,0 wrap=inline h=""/0/"" textBox=-1)"},
     {}},
    {"EmbeddedObjectWithoutPreviewKeepsItsSize", element("w:object", R"(w:dxaOrig="1440" w:dyaOrig="720")"),
     {R"(drawing 0 object 914400x457200 target="" descr="" title="" crop=0,0,0,0 wrap=inline h=""/0/"" textBox=-1)"},
     {}},
    {"TextBoxInATextBox",
     drawingML(element("wps:wsp", {},
                       element("wps:txbx", {},
                               element("w:txbxContent", {},
                                       test::wParagraph(test::wTextRun("outer") +
                                                        test::wRun(drawingML(textBoxShape("inner")))))))),
     {R"(drawing 0 textBox 914400x457200 target="" descr="" title="" crop=0,0,0,0 wrap=inline h=""/0/"" textBox=0)",
      R"(drawing 1 textBox 914400x457200 target="" descr="" title="" crop=0,0,0,0 wrap=inline h=""/0/"" textBox=1)"},
     {R"(text"outer" drawing(1))", R"(text"inner")"},
     1},
};

std::vector<std::string> linesStartingWith(const std::string& text, const std::string& start) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = text.find('\n', at);
    const std::string line = text.substr(at, end - at);
    if (line.rfind(start, 0) == 0) lines.push_back(line);
    at = end == std::string::npos ? text.size() : end + 1;
  }
  return lines;
}

class DrawingReader : public testing::TestWithParam<DrawingCase> {};

TEST_P(DrawingReader, GivesTheseDrawings) {
  test::DocxPackage package(test::wParagraph(test::wRun(GetParam().run)));
  const std::string main = "word/document.xml";
  package.addRelationship(main, "rImg", "image", "media/cat.png")
      .addRelationship(main, "rEmf", "image", "media/image2.emf")
      .addRelationship(main, "rRemote", "image", "https://example.com/a.png", true)
      .addRelationship(main, "rOut", "image", "../../a.png")
      .addRelationship(main, "rChart", "chart", "charts/chart1.xml")
      .addRelationship(main, "rData", "diagramData", "diagrams/data1.xml");
  Warnings warnings;
  const Document document = test::readPackage(package, warnings);
  EXPECT_EQ(linesStartingWith(test::describeDocument(document), "drawing "), GetParam().drawings);
  std::vector<std::string> boxes;
  for (const Story& box : document.textBoxes) {
    std::string joined;
    for (const std::string& line : test::describeParagraphs(box)) joined += (joined.empty() ? "" : " / ") + line;
    boxes.push_back(joined);
  }
  EXPECT_EQ(boxes, GetParam().textBoxes);
  // Every drawing stands in the paragraph where it is anchored, in order.
  std::string expectedInlines;
  const std::size_t inBody = GetParam().inBody < 0 ? GetParam().drawings.size() : static_cast<std::size_t>(GetParam().inBody);
  for (std::size_t i = 0; i < inBody; ++i) {
    expectedInlines += (expectedInlines.empty() ? "" : " ") + std::string("drawing(") + std::to_string(i) + ")";
  }
  EXPECT_EQ(test::describeParagraphs(document.body).at(0), expectedInlines);
}

INSTANTIATE_TEST_SUITE_P(Cases, DrawingReader, testing::ValuesIn(kDrawingCases), test::caseName);

}  // namespace
}  // namespace vellumine::docx
