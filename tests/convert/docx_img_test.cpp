// Drawings into img elements: EMU to pixels, source, alignment and size, and the whole pass.
#include "convert/docx_img.h"

#include <string>

#include <gtest/gtest.h>

#include "convert/ddocx.h"
#include "support/test_support.h"
#include "text/units.h"

namespace vellumine {
namespace {

using test::caseName;

constexpr std::string_view kRelationships =
    "<Relationships><Relationship Id=\"rId4\" Target=\"media/image1.png\"/>"
    "<Relationship Id=\"rId5\" Target=\"media/image2.jpeg\"/>"
    "<Relationship Id=\"rRoot\" Target=\"/word/media/image3.png\"/>"
    "<Relationship Id=\"rOther\" Target=\"/media/image4.png\"/>"
    "<Relationship Id=\"rDollar\" Target=\"media/a$$b.png\"/>"
    "<Relationship Id=\"rWhole\" Target=\"$0\"/></Relationships>";

// A drawing as the pass sees it: "wp:", "a:" and "r:" prefixes kept.
std::string drawing(std::string_view embed, std::string_view extent, std::string_view position = "") {
  std::string d = "<drawing><wp:anchor distT=\"0\">";
  d += position;
  d += extent;
  d += "<wp:docPr id=\"1\" name=\"Picture 1\" descr=\"a picture\"/><a:graphic><pic:blipFill>";
  if (!embed.empty()) d += "<a:blip r:embed=\"" + std::string(embed) + "\" cstate=\"print\"/>";
  d += "</pic:blipFill><a:ext cx=\"1\" cy=\"1\"/></a:graphic></wp:anchor></drawing>";
  return d;
}
constexpr std::string_view kTwoByOneInch = "<wp:extent cx=\"1828800\" cy=\"914400\"/>";
constexpr std::string_view kAlignRight =
    "<wp:positionH relativeFrom=\"column\"><wp:align>right</wp:align></wp:positionH>";

struct UnitCase {
  std::string_view emu, pixels;
};

TEST(DocxImg, EmuToPixelsRoundsToTheNearestPixel) {
  constexpr UnitCase kCases[] = {
      {"1828800", "192"}, {"914400", "96"}, {"5943600", "624"}, {"0", "0"},
      {"4762", "0"},      {"4763", "1"},    {"-9525", "-1"},    {"2147483647", "225458"},
      // A decimal part is rounded with the rest, an exact half to the even pixel.
      {"9525.0", "1"},    {"4762.5", "0"},  {"14287.5", "2"},   {"4762.6", "1"},
  };
  for (const UnitCase& unit : kCases) EXPECT_EQ(emuToPixels(unit.emu), unit.pixels) << unit.emu;
}

TEST(DocxImg, EmuThatIsNoNumberStopsTheConversion) {
  try {
    emuToPixels("12px");
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'12px' is not a valid integer value");
  }
}

struct ImageCase {
  std::string name, drawing, image;
};

const ImageCase kImageCases[] = {
    {"InlinePictureGetsSourceAndSize", drawing("rId4", kTwoByOneInch),
     "<img src=\"media/image1.png\" width=\"192\" height=\"96\" />"},
    {"AlignmentFollowsTheSource", drawing("rId5", kTwoByOneInch, kAlignRight),
     "<img src=\"media/image2.jpeg\" align=right width=\"192\" height=\"96\" />"},
    {"DrawingWithoutPictureGetsEmptySource", drawing("", kTwoByOneInch),
     "<img src=\"\" width=\"192\" height=\"96\" />"},
    {"UnknownRelationshipGetsEmptySource", drawing("rId9", kTwoByOneInch),
     "<img src=\"\" width=\"192\" height=\"96\" />"},
    {"PackageRootTargetIsSeenFromThePageFolder", drawing("rRoot", ""), "<img src=\"media/image3.png\" />"},
    {"TargetOutsideThePageFolderStaysAsWritten", drawing("rOther", ""), "<img src=\"/media/image4.png\" />"},
    {"DrawingWithoutExtentGetsNoSize", drawing("rId4", ""), "<img src=\"media/image1.png\" />"},
    {"ExtentWithOnlyWidthGetsOnlyWidth", drawing("rId4", "<wp:extent cx=\"952500\"/>"),
     "<img src=\"media/image1.png\" width=\"100\" />"},
    // The alignment stands unquoted in the tag, so only a keyword may go there.
    {"AlignmentThatIsNoKeywordIsLeftOut",
     drawing("rId4", kTwoByOneInch, "<wp:positionH><wp:align>right onerror=alert(1)</wp:align></wp:positionH>"),
     "<img src=\"media/image1.png\" width=\"192\" height=\"96\" />"},
};

class DocxImages : public testing::TestWithParam<ImageCase> {};
TEST_P(DocxImages, DrawingBecomesImage) {
  Conversion c;
  c.relationships = kRelationships;
  EXPECT_SAME_TEXT(drawingToImage(c, GetParam().drawing), GetParam().image);
  c.text = "<p>" + GetParam().drawing + "</p>";
  convertDrawings(c);
  EXPECT_SAME_TEXT(c.text, "<p>" + GetParam().image + "</p>");
}
INSTANTIATE_TEST_SUITE_P(Cases, DocxImages, testing::ValuesIn(kImageCases), caseName);

std::string convertDrawingsOn(std::string text) {
  Conversion c;
  c.relationships = kRelationships;
  c.text = std::move(text);
  convertDrawings(c);
  return std::move(c.text);
}

TEST(DocxImg, TwoDrawingsInOneParagraphKeepTheirOrderAndTheTextBetween) {
  EXPECT_SAME_TEXT(convertDrawingsOn("<p>a" + drawing("rId4", "") + " b " + drawing("rId5", "") + "c</p>"),
                   "<p>a<img src=\"media/image1.png\" /> b <img src=\"media/image2.jpeg\" />c</p>");
}

TEST(DocxImg, TextWithoutDrawingsIsUnchanged) {
  EXPECT_EQ(convertDrawingsOn("<p>no pictures</p><drawingx>"), "<p>no pictures</p><drawingx>");
}

TEST(DocxImg, UnclosedDrawingIsLeftAlone) {
  const std::string text = "<p><drawing><wp:extent cx=\"1\"/><drawing>x</p>";
  EXPECT_EQ(convertDrawingsOn(text), text);
}

TEST(DocxImg, ThousandsOfUnclosedDrawingsAreLeftAlone) {
  std::string text;
  for (int k = 0; k < 50000; ++k) text += "<drawing>x";
  EXPECT_EQ(convertDrawingsOn(text), text);
}

TEST(DocxImg, SourceGoesThroughTheTemplateExpansion) {
  EXPECT_SAME_TEXT(convertDrawingsOn(drawing("rDollar", "")), "<img src=\"media/a$b.png\" />");
}

// "$0" inserts the whole drawing markup; its quotes must not end src and add attributes.
TEST(DocxImg, QuotesFromTheExpandedSourceStayInsideIt) {
  const std::string image = convertDrawingsOn(drawing("rWhole", ""));
  ASSERT_EQ(image.rfind("<img src=\"<drawing>", 0), 0u) << image;
  EXPECT_EQ(image.find('"', 10), image.size() - 4) << image;
}

TEST(DocxImgPackage, AlignedDrawingBecomesSizedImageInItsParagraph) {
  const std::string page = convertPackageFolder(test::fixturesDir() / "packages" / "drawing-aligned");
  const std::size_t image = page.find("<img src=\"media/image1.png\" align=right width=\"192\" height=\"96\" />");
  ASSERT_NE(image, std::string::npos);
  EXPECT_LT(page.find("Left"), image);
  EXPECT_GT(page.find("right."), image);
  EXPECT_EQ(page.find("drawing"), std::string::npos);
  EXPECT_EQ(page.find("wp:"), std::string::npos);
}

}  // namespace
}  // namespace vellumine
