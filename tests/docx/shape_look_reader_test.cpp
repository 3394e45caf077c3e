// Shape looks from DrawingML and VML snippets: each geometry, fills (solid, theme with luminance
// changes, gradient, none, style reference), outlines (width, colour, dash, arrow ends), turns and
// flips, text insets and anchor; VML's shapes and defaults; members of groups and canvases placed
// in their group's frame; absurd and malformed numbers bounded with a warning.
#include "docx/shape_look_reader.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "docx/drawing_reader.h"
#include "support/docx_builder.h"

namespace vellumine::docx {
namespace {

std::string hex(std::uint32_t rgb) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text(6, '0');
  for (int i = 5; i >= 0; --i, rgb >>= 4) text[static_cast<std::size_t>(i)] = kDigits[rgb & 0xF];
  return text;
}

std::string describeColor(const ShapeColor& color) {
  if (!color.present) return "-";
  std::string text = color.theme != ThemeColor::none ? "theme" + std::to_string(static_cast<int>(color.theme))
                                                       : hex(color.rgb);
  if (color.lumMod != 100000 || color.lumOff != 0) {
    text += "*" + std::to_string(color.lumMod) + "+" + std::to_string(color.lumOff);
  }
  if (color.shade != 100000) text += " shade" + std::to_string(color.shade);
  if (color.tint != 100000) text += " tint" + std::to_string(color.tint);
  return text;
}

constexpr const char* kGeometryNames[] = {"none", "rect", "roundRect", "ellipse", "line", "elbow", "rightArrow",
                                          "leftArrow", "upArrow", "downArrow", "triangle", "diamond", "other"};
constexpr const char* kPaintNames[] = {"unset", "none", "solid"};
constexpr const char* kDashNames[] = {"solid", "dash", "dot", "dashDot", "longDash"};
constexpr const char* kEndNames[] = {"none", "open", "filled"};
constexpr const char* kAnchorNames[] = {"t", "ctr", "b"};

// "rect fill=solid:FF0000 line=solid:000000/12700 solid none>none rot=0 flip=00 ins=91440,45720,91440,45720 t"
std::string describeLook(const ShapeLook& look) {
  std::string text = kGeometryNames[static_cast<int>(look.geometry)];
  text += " fill=" + std::string(kPaintNames[static_cast<int>(look.fill)]) + ":" + describeColor(look.fillColor);
  text += " line=" + std::string(kPaintNames[static_cast<int>(look.line)]) + ":" + describeColor(look.lineColor) + "/" +
          std::to_string(look.lineWidthEmu);
  text += " " + std::string(kDashNames[static_cast<int>(look.dash)]) + " " + kEndNames[static_cast<int>(look.head)] +
          ">" + kEndNames[static_cast<int>(look.tail)];
  text += " rot=" + std::to_string(look.rotation) + " flip=" + (look.flipH ? "1" : "0") + (look.flipV ? "1" : "0");
  text += " ins=" + std::to_string(look.insetLeft) + "," + std::to_string(look.insetTop) + "," +
          std::to_string(look.insetRight) + "," + std::to_string(look.insetBottom);
  text += std::string(" ") + kAnchorNames[static_cast<int>(look.anchor)];
  if (look.textColor.present) text += " text=" + describeColor(look.textColor);
  return text;
}

constexpr const char* kPlain = " ins=91440,45720,91440,45720 t";

struct LookCase {
  std::string name;
  std::string shape;     // a wps:wsp's children, or a VML shape element
  std::string expected;  // describeLook
  int malformed = 0;     // malformedNumber warnings
};

void PrintTo(const LookCase& row, std::ostream* out) { *out << row.name; }

std::string spPr(const std::string& content) { return "<wps:spPr>" + content + "</wps:spPr>"; }
std::string preset(const std::string& name) { return "<a:prstGeom prst=\"" + name + "\"><a:avLst/></a:prstGeom>"; }
std::string solid(const std::string& colour) { return "<a:solidFill>" + colour + "</a:solidFill>"; }

const LookCase kDrawingMLCases[] = {
    {"Rectangle", spPr(preset("rect")), std::string("rect fill=unset:- line=unset:-/-1 solid none>none rot=0 flip=00") + kPlain},
    {"RoundedRectangle", spPr(preset("roundRect")), std::string("roundRect fill=unset:- line=unset:-/-1 solid none>none rot=0 flip=00") + kPlain},
    {"Ellipse", spPr(preset("ellipse")), std::string("ellipse fill=unset:- line=unset:-/-1 solid none>none rot=0 flip=00") + kPlain},
    {"Line", spPr(preset("line")), std::string("line fill=unset:- line=unset:-/-1 solid none>none rot=0 flip=00") + kPlain},
    {"Connector", spPr(preset("straightConnector1")), std::string("line fill=unset:- line=unset:-/-1 solid none>none rot=0 flip=00") + kPlain},
    {"BentConnector", spPr(preset("bentConnector3")), std::string("elbow fill=unset:- line=unset:-/-1 solid none>none rot=0 flip=00") + kPlain},
    {"ArrowsEachWay", spPr(preset("upArrow")), std::string("upArrow fill=unset:- line=unset:-/-1 solid none>none rot=0 flip=00") + kPlain},
    {"LeftArrow", spPr(preset("leftArrow")), std::string("leftArrow fill=unset:- line=unset:-/-1 solid none>none rot=0 flip=00") + kPlain},
    {"Triangle", spPr(preset("triangle")), std::string("triangle fill=unset:- line=unset:-/-1 solid none>none rot=0 flip=00") + kPlain},
    {"Diamond", spPr(preset("flowChartDecision")), std::string("diamond fill=unset:- line=unset:-/-1 solid none>none rot=0 flip=00") + kPlain},
    {"RectCalloutAsRectangle", spPr(preset("wedgeRectCallout")), std::string("rect fill=unset:- line=unset:-/-1 solid none>none rot=0 flip=00") + kPlain},
    {"LineCalloutAsRectangle", spPr(preset("borderCallout2")), std::string("rect fill=unset:- line=unset:-/-1 solid none>none rot=0 flip=00") + kPlain},
    {"UnknownPresetAsBox", spPr(preset("heart")), std::string("other fill=unset:- line=unset:-/-1 solid none>none rot=0 flip=00") + kPlain},
    {"CustomGeometryAsBox", spPr("<a:custGeom/>"), std::string("other fill=unset:- line=unset:-/-1 solid none>none rot=0 flip=00") + kPlain},
    {"SolidRgbFill", spPr(preset("rect") + solid("<a:srgbClr val=\"FF8000\"/>")),
     std::string("rect fill=solid:FF8000 line=unset:-/-1 solid none>none rot=0 flip=00") + kPlain},
    {"ThemeFillWithLuminance",
     spPr(preset("rect") + solid("<a:schemeClr val=\"accent2\"><a:lumMod val=\"60000\"/><a:lumOff val=\"40000\"/></a:schemeClr>")),
     std::string("rect fill=solid:theme6*60000+40000 line=unset:-/-1 solid none>none rot=0 flip=00") + kPlain},
    {"GradientTakesItsFirstStop",
     spPr(preset("rect") + "<a:gradFill><a:gsLst><a:gs pos=\"0\"><a:srgbClr val=\"112233\"/></a:gs>"
                           "<a:gs pos=\"100000\"><a:srgbClr val=\"FFFFFF\"/></a:gs></a:gsLst></a:gradFill>"),
     std::string("rect fill=solid:112233 line=unset:-/-1 solid none>none rot=0 flip=00") + kPlain},
    {"NoFillNoLine", spPr(preset("rect") + "<a:noFill/><a:ln><a:noFill/></a:ln>"),
     std::string("rect fill=none:- line=none:-/-1 solid none>none rot=0 flip=00") + kPlain},
    {"SystemColour", spPr(preset("rect") + solid("<a:sysClr val=\"window\" lastClr=\"FFFFFF\"/>")),
     std::string("rect fill=solid:FFFFFF line=unset:-/-1 solid none>none rot=0 flip=00") + kPlain},
    {"OutlineWidthDashAndArrows",
     spPr(preset("straightConnector1") +
          "<a:ln w=\"25400\">" + solid("<a:srgbClr val=\"C00000\"/>") +
          "<a:prstDash val=\"sysDash\"/><a:headEnd type=\"oval\"/><a:tailEnd type=\"arrow\"/></a:ln>"),
     std::string("line fill=unset:- line=solid:C00000/25400 dash filled>open rot=0 flip=00") + kPlain},
    {"TurnAndFlips", spPr("<a:xfrm rot=\"5400000\" flipH=\"1\" flipV=\"0\"><a:off x=\"0\" y=\"0\"/></a:xfrm>" + preset("line")),
     std::string("line fill=unset:- line=unset:-/-1 solid none>none rot=5400000 flip=10") + kPlain},
    {"NegativeTurnWrapsRound", spPr("<a:xfrm rot=\"-5400000\"/>" + preset("rect")),
     std::string("rect fill=unset:- line=unset:-/-1 solid none>none rot=16200000 flip=00") + kPlain},
    {"StyleReferencesFillGaps",
     spPr(preset("rect")) +
         "<wps:style><a:lnRef idx=\"2\"><a:schemeClr val=\"accent1\"><a:shade val=\"50000\"/></a:schemeClr></a:lnRef>"
         "<a:fillRef idx=\"1\"><a:schemeClr val=\"accent1\"/></a:fillRef><a:effectRef idx=\"0\"/>"
         "<a:fontRef idx=\"minor\"><a:schemeClr val=\"lt1\"/></a:fontRef></wps:style>",
     std::string("rect fill=solid:theme5 line=solid:theme5 shade50000/12700 solid none>none rot=0 flip=00") + kPlain +
         " text=theme2"},
    {"OwnFillWinsOverStyle",
     spPr(preset("rect") + solid("<a:srgbClr val=\"00FF00\"/>") + "<a:ln><a:noFill/></a:ln>") +
         "<wps:style><a:lnRef idx=\"1\"><a:schemeClr val=\"accent1\"/></a:lnRef>"
         "<a:fillRef idx=\"1\"><a:schemeClr val=\"accent1\"/></a:fillRef></wps:style>",
     std::string("rect fill=solid:00FF00 line=none:theme5/6350 solid none>none rot=0 flip=00") + kPlain},
    {"BodyInsetsAndAnchor",
     spPr(preset("rect")) + "<wps:bodyPr lIns=\"0\" tIns=\"12700\" rIns=\"25400\" bIns=\"38100\" anchor=\"ctr\"/>",
     "rect fill=unset:- line=unset:-/-1 solid none>none rot=0 flip=00 ins=0,12700,25400,38100 ctr"},
    {"AbsurdNumbersBounded",
     spPr(preset("rect") + "<a:ln w=\"1000000000000000\"/>") + "<wps:bodyPr lIns=\"-5\" tIns=\"999999999999999\"/>",
     "rect fill=unset:- line=solid:-/1270000 solid none>none rot=0 flip=00 ins=0,10058400,91440,45720 t"},
    {"MalformedNumbersLeftOut",
     spPr("<a:xfrm rot=\"quarter\"/>" + preset("rect") + "<a:ln w=\"thick\"/>" + solid("<a:srgbClr val=\"GG0000\"/>")) +
         "<wps:bodyPr lIns=\"1e9x\"/>",
     std::string("rect fill=solid:000000 line=solid:-/-1 solid none>none rot=0 flip=00") + kPlain, 4},
};

class DrawingMLLook : public testing::TestWithParam<LookCase> {};

TEST_P(DrawingMLLook, ReadsAsExpected) {
  pugi::xml_document xml;
  const std::string text = "<wps:wsp>" + GetParam().shape + "</wps:wsp>";
  ASSERT_TRUE(xml.load_string(text.c_str()));
  const pugi::xml_node shape = xml.first_child();
  Warnings warnings;
  const ShapeLook look = readShapeLook(shape.child("wps:spPr"), shape.child("wps:style"), shape.child("wps:bodyPr"), warnings);
  EXPECT_EQ(describeLook(look), GetParam().expected);
  EXPECT_EQ(warnings.count(WarningKind::malformedNumber), GetParam().malformed);
}

std::string caseName(const testing::TestParamInfo<LookCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Cases, DrawingMLLook, testing::ValuesIn(kDrawingMLCases), caseName);

const LookCase kVmlCases[] = {
    {"RectWithDefaults", "<v:rect style=\"width:10pt\"/>",
     std::string("rect fill=solid:FFFFFF line=solid:000000/9525 solid none>none rot=0 flip=00") + kPlain},
    {"RoundRectColoured", "<v:roundrect fillcolor=\"#4472c4 [3204]\" strokecolor=\"red\" strokeweight=\"2pt\"/>",
     std::string("roundRect fill=solid:4472C4 line=solid:FF0000/25400 solid none>none rot=0 flip=00") + kPlain},
    {"OvalNotFilledNotStroked", "<v:oval filled=\"f\" stroked=\"false\" fillcolor=\"#F80\"/>",
     std::string("ellipse fill=none:FF8800 line=none:000000/9525 solid none>none rot=0 flip=00") + kPlain},
    {"LineWithArrowsAndDash",
     "<v:line from=\"0,0\" to=\"72pt,0\"><v:stroke dashstyle=\"dash\" startarrow=\"open\" endarrow=\"block\"/></v:line>",
     std::string("line fill=none:FFFFFF line=solid:000000/9525 dash open>filled rot=0 flip=00") + kPlain},
    {"TextBoxTypeWithInset",
     "<v:shape type=\"#_x0000_t202\"><v:textbox inset=\"0,1pt,2pt\"/></v:shape>",
     "rect fill=solid:FFFFFF line=solid:000000/9525 solid none>none rot=0 flip=00 ins=0,12700,25400,45720 t"},
    {"ShapeTypeNumber", "<v:shape o:spt=\"13\" fillcolor=\"window\"/>",
     std::string("rightArrow fill=solid:FFFFFF line=solid:000000/9525 solid none>none rot=0 flip=00") + kPlain},
    {"ElbowConnectorNeverFilled", "<v:shape o:spt=\"34\" filled=\"t\"/>",
     std::string("elbow fill=none:FFFFFF line=solid:000000/9525 solid none>none rot=0 flip=00") + kPlain},
    {"UnknownTypeAsBox", "<v:shape type=\"#_x0000_t74\"/>",
     std::string("other fill=solid:FFFFFF line=solid:000000/9525 solid none>none rot=0 flip=00") + kPlain},
    {"FillElementSwitchesOff", "<v:rect><v:fill on=\"false\"/><v:stroke on=\"f\"/></v:rect>",
     std::string("rect fill=none:FFFFFF line=none:000000/9525 solid none>none rot=0 flip=00") + kPlain},
    {"MalformedWeight", "<v:rect strokeweight=\"thick\"/>",
     std::string("rect fill=solid:FFFFFF line=solid:000000/9525 solid none>none rot=0 flip=00") + kPlain, 1},
};

class VmlLook : public testing::TestWithParam<LookCase> {};

TEST_P(VmlLook, ReadsAsExpected) {
  pugi::xml_document xml;
  ASSERT_TRUE(xml.load_string(GetParam().shape.c_str()));
  Warnings warnings;
  EXPECT_EQ(describeLook(readVmlLook(xml.first_child(), warnings)), GetParam().expected);
  EXPECT_EQ(warnings.count(WarningKind::malformedNumber), GetParam().malformed);
}

INSTANTIATE_TEST_SUITE_P(Cases, VmlLook, testing::ValuesIn(kVmlCases), caseName);

// ---- colours through the theme ----

struct ColorCase {
  std::string name;
  ShapeColor color;
  std::optional<Rgb> expected;
};

void PrintTo(const ColorCase& row, std::ostream* out) { *out << row.name; }

Theme themeWithAccent1() {
  Theme theme;
  theme.colors[static_cast<std::size_t>(ThemeColor::accent1) - 1] = 0x4472C4;
  theme.colors[static_cast<std::size_t>(ThemeColor::light1) - 1] = 0xFFFFFF;
  return theme;
}

const ColorCase kColorCases[] = {
    {"Absent", ShapeColor{}, std::nullopt},
    {"Rgb", ShapeColor{true, 0x123456}, 0x123456},
    {"ThemeSlot", ShapeColor{true, 0, ThemeColor::accent1}, 0x4472C4},
    {"MappedName", ShapeColor{true, 0, ThemeColor::background1}, 0xFFFFFF},
    {"SlotTheThemeLacksFromTheDefaultTheme", ShapeColor{true, 0x010203, ThemeColor::accent6}, 0x70AD47},
    {"DarkerByLumMod", ShapeColor{true, 0xFFFFFF, ThemeColor::none, 75000, 0}, 0xBFBFBF},
    {"LighterByLumModAndOff", ShapeColor{true, 0x000000, ThemeColor::none, 50000, 50000}, 0x808080},
    {"Shade", ShapeColor{true, 0xFFFFFF, ThemeColor::none, 100000, 0, 50000}, 0x808080},
};

class ShapeColorResolve : public testing::TestWithParam<ColorCase> {};

TEST_P(ShapeColorResolve, GivesTheDrawnColour) {
  EXPECT_EQ(resolveShapeColor(GetParam().color, themeWithAccent1(), Settings{}), GetParam().expected);
}

std::string colorName(const testing::TestParamInfo<ColorCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Cases, ShapeColorResolve, testing::ValuesIn(kColorCases), colorName);

// ---- groups and canvases: members placed in the frame ----

std::string member(const std::string& geometry, const std::string& off, const std::string& ext) {
  return "<wps:wsp><wps:spPr><a:xfrm><a:off " + off + "/><a:ext " + ext + "/></a:xfrm>" + preset(geometry) +
         "</wps:spPr></wps:wsp>";
}

std::string anchoredGroup(const std::string& content, const std::string& extent = "cx=\"2000\" cy=\"1000\"") {
  return "<w:drawing><wp:inline><wp:extent " + extent +
         "/><wp:docPr id=\"1\" name=\"g\"/><a:graphic><a:graphicData uri=\"u\">" + content +
         "</a:graphicData></a:graphic></wp:inline></w:drawing>";
}

struct GroupCase {
  std::string name;
  std::string drawing;
  std::vector<std::string> members;  // "kind x,y wxh count"
  std::int64_t groupWidth = 2000;
};

void PrintTo(const GroupCase& row, std::ostream* out) { *out << row.name; }

const GroupCase kGroupCases[] = {
    {"GroupScalesItsChildSpaceOntoTheFrame",
     anchoredGroup("<wpg:wgp><wpg:grpSpPr><a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext cx=\"2000\" cy=\"1000\"/>"
                   "<a:chOff x=\"100\" y=\"100\"/><a:chExt cx=\"1000\" cy=\"500\"/></a:xfrm></wpg:grpSpPr>" +
                   member("rect", "x=\"100\" y=\"100\"", "cx=\"500\" cy=\"250\"") +
                   member("ellipse", "x=\"600\" y=\"350\"", "cx=\"500\" cy=\"250\"") + "</wpg:wgp>"),
     {"shape 0,0 1000x500 2", "shape 1000,500 1000x500 0"}},
    {"NestedGroupCarriedOut",
     anchoredGroup("<wpg:wgp><wpg:grpSpPr><a:xfrm><a:chOff x=\"0\" y=\"0\"/><a:chExt cx=\"2000\" cy=\"1000\"/></a:xfrm></wpg:grpSpPr>"
                   "<wpg:grpSp><wpg:grpSpPr><a:xfrm><a:off x=\"1000\" y=\"0\"/><a:ext cx=\"1000\" cy=\"1000\"/>"
                   "<a:chOff x=\"0\" y=\"0\"/><a:chExt cx=\"100\" cy=\"100\"/></a:xfrm></wpg:grpSpPr>" +
                   member("rect", "x=\"50\" y=\"50\"", "cx=\"50\" cy=\"50\"") + "</wpg:grpSp></wpg:wgp>"),
     {"shape 1500,500 500x500 1"}},
    {"CanvasMembersByTheirOffsets",
     anchoredGroup("<wpc:wpc>" + member("line", "x=\"10\" y=\"20\"", "cx=\"300\" cy=\"0\"") +
                   member("rect", "x=\"400\" y=\"0\"", "cx=\"100\" cy=\"100\"") + "</wpc:wpc>"),
     {"shape 10,20 300x0 2", "shape 400,0 100x100 0"}},
    {"AbsurdChildSpaceBounded",
     anchoredGroup("<wpg:wgp><wpg:grpSpPr><a:xfrm><a:chOff x=\"0\" y=\"0\"/><a:chExt cx=\"1\" cy=\"1\"/></a:xfrm></wpg:grpSpPr>" +
                   member("rect", "x=\"-1000000000000000\" y=\"1000000000000000\"", "cx=\"1000000000000000\" cy=\"5\"") +
                   "</wpg:wgp>"),
     {"shape -9000000000000,9000000000000 9000000000000x5000 1"}},
    // VML: 100 pt by 50 pt (1270000 x 635000 EMU) showing coordinates 0..2000 by 0..1000.
    {"VmlGroupScalesItsCoordinates",
     "<w:pict><v:group style=\"width:100pt;height:50pt\" coordorigin=\"0,0\" coordsize=\"2000,1000\">"
     "<v:rect style=\"position:absolute;left:0;top:0;width:1000;height:500\"/>"
     "<v:oval style=\"position:absolute;left:1000;top:500;width:1000;height:500\"/>"
     "<v:line from=\"2000,0\" to=\"0,1000\"/></v:group></w:pict>",
     {"shape 0,0 635000x317500 3", "shape 635000,317500 635000x317500 0", "shape 0,0 1270000x635000 0"},
     1270000},
    {"NestedVmlGroupWithOrigin",
     "<w:pict><v:group style=\"width:100pt;height:100pt\" coordsize=\"100,100\">"
     "<v:group style=\"left:50;top:0;width:50;height:50\" coordorigin=\"10,10\" coordsize=\"10,10\">"
     "<v:rect style=\"left:15;top:15;width:5;height:5\"/></v:group></v:group></w:pict>",
     {"shape 952500,317500 317500x317500 1"},
     1270000},
};

class GroupPlacing : public testing::TestWithParam<GroupCase> {};

TEST_P(GroupPlacing, PlacesEachMemberInTheFrame) {
  pugi::xml_document xml;
  ASSERT_TRUE(xml.load_string(GetParam().drawing.c_str()));
  Warnings warnings;
  std::vector<std::string> members;
  for (const DrawingFound& found : readDrawings(xml.first_child(), Relationships{}, warnings)) {
    const Drawing& d = found.drawing;
    EXPECT_TRUE(d.place.member);
    EXPECT_EQ(d.place.groupWidthEmu, GetParam().groupWidth);
    members.push_back(std::string(d.kind == DrawingKind::shape ? "shape" : "other") + " " +
                      std::to_string(d.place.xEmu) + "," + std::to_string(d.place.yEmu) + " " +
                      std::to_string(d.widthEmu) + "x" + std::to_string(d.heightEmu) + " " +
                      std::to_string(d.place.memberCount));
  }
  EXPECT_EQ(members, GetParam().members);
}

std::string groupName(const testing::TestParamInfo<GroupCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Cases, GroupPlacing, testing::ValuesIn(kGroupCases), groupName);

TEST(GroupPlacing, DeepNestingCostsNoStackAndStaysBounded) {
  std::string nested;
  for (int i = 0; i < 5000; ++i) nested += "<wpg:grpSp><wpg:grpSpPr><a:xfrm><a:chExt cx=\"1\" cy=\"1\"/></a:xfrm></wpg:grpSpPr>";
  nested += member("rect", "x=\"1\" y=\"1\"", "cx=\"1\" cy=\"1\"");
  for (int i = 0; i < 5000; ++i) nested += "</wpg:grpSp>";
  pugi::xml_document xml;
  ASSERT_TRUE(xml.load_string(anchoredGroup("<wpg:wgp>" + nested + "</wpg:wgp>").c_str()));
  Warnings warnings;
  const std::vector<DrawingFound> found = readDrawings(xml.first_child(), Relationships{}, warnings);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].drawing.place.memberCount, 1);
}

TEST(ShapeLookInDrawings, ShapesAndVmlShapesCarryTheirLook) {
  pugi::xml_document xml;
  const std::string text = "<w:pict><v:oval style=\"width:72pt;height:36pt\" fillcolor=\"#00FF00\"/></w:pict>";
  ASSERT_TRUE(xml.load_string(text.c_str()));
  Warnings warnings;
  const std::vector<DrawingFound> found = readDrawings(xml.first_child(), Relationships{}, warnings);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].drawing.look.geometry, ShapeGeometry::ellipse);
  EXPECT_EQ(found[0].drawing.look.fillColor.rgb, 0x00FF00u);
  EXPECT_EQ(found[0].drawing.widthEmu, 914400);
}

TEST(ShapeLookInDrawings, VmlLineSpansItsEndsAndFlipsBackwards) {
  pugi::xml_document xml;
  ASSERT_TRUE(xml.load_string("<w:pict><v:line from=\"72pt,36pt\" to=\"0,0\"/></w:pict>"));
  Warnings warnings;
  const std::vector<DrawingFound> found = readDrawings(xml.first_child(), Relationships{}, warnings);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].drawing.widthEmu, 914400);
  EXPECT_EQ(found[0].drawing.heightEmu, 457200);
  EXPECT_TRUE(found[0].drawing.look.flipH);
  EXPECT_TRUE(found[0].drawing.look.flipV);
}

}  // namespace
}  // namespace vellumine::docx
