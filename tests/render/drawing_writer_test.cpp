// Drawings on the page: pictures at their size, cropped and floated; text boxes with their story;
// what is not drawn as a labelled box with a warning; pictures' paths from the page's folder.
#include "render/drawing_writer.h"

#include <functional>

#include <gtest/gtest.h>

#include "support/document_builder.h"
#include "support/page_support.h"
#include "support/test_support.h"

namespace vellumine::render {
namespace {

using docx::DrawingKind;
using docx::InlineKind;
using docx::WrapKind;
using test::DocumentBuilder;
using test::mark;
using test::paragraph;
using test::text;

docx::Drawing picture(std::string target, std::int64_t width = 1905000, std::int64_t height = 952500) {
  docx::Drawing d;
  d.kind = DrawingKind::picture;
  d.target = std::move(target);
  d.widthEmu = width;
  d.heightEmu = height;
  return d;
}

struct DrawingCase {
  std::string name;
  std::function<docx::Drawing()> drawing;
  std::string expected;  // what the paragraph holds
  int notShownWarnings;
};

class DrawingWriterCase : public testing::TestWithParam<DrawingCase> {};

TEST_P(DrawingWriterCase, WritesTheDrawing) {
  DocumentBuilder b;
  const int index = b.drawing(GetParam().drawing());
  b.body({paragraph({mark(InlineKind::drawing, index)})});
  docx::Warnings warnings;
  const std::string page = test::renderWholePage(b.document(), &warnings);
  const std::size_t start = page.find("<p class=\"p1\">") + 14;
  EXPECT_SAME_TEXT(page.substr(start, page.find("</p>", start) - start), GetParam().expected);
  EXPECT_EQ(warnings.count(docx::WarningKind::itemNotShown), GetParam().notShownWarnings);
}

const DrawingCase kCases[] = {
    {"PictureAtItsSize", [] { return picture("word/media/image1.png"); },
     "<img src=\"media/image1.png\" class=\"vm-pic\" alt=\"\" style=\"width:200px;height:100px;\">", 0},
    {"AltTextAndTitle",
     [] {
       docx::Drawing d = picture("word/media/a b.jpeg");
       d.description = "A \"chart\" <of> sales";
       d.title = "Sales";
       return d;
     },
     "<img src=\"media/a%20b.jpeg\" class=\"vm-pic\" alt=\"A &quot;chart&quot; &lt;of&gt; sales\" title=\"Sales\" "
     "style=\"width:200px;height:100px;\">",
     0},
    {"TitleStandsInForMissingAltText",
     [] {
       docx::Drawing d = picture("word/media/x.gif");
       d.title = "Logo";
       return d;
     },
     "<img src=\"media/x.gif\" class=\"vm-pic\" alt=\"Logo\" title=\"Logo\" style=\"width:200px;height:100px;\">", 0},
    {"CroppedPictureInAClippingBox",
     [] {
       docx::Drawing d = picture("word/media/image1.png");
       d.cropLeft = 25000;
       d.cropRight = 25000;
       d.cropTop = 50000;
       return d;
     },
     "<span class=\"vm-crop\" style=\"width:200px;height:100px;\"><img src=\"media/image1.png\" class=\"vm-pic\" "
     "alt=\"\" style=\"width:400px;height:200px;margin-left:-100px;margin-top:-100px;\"></span>",
     0},
    {"CropOfTheWholePictureIsIgnored",
     [] {
       docx::Drawing d = picture("word/media/image1.png");
       d.cropLeft = 60000;
       d.cropRight = 40000;
       return d;
     },
     "<img src=\"media/image1.png\" class=\"vm-pic\" alt=\"\" style=\"width:200px;height:100px;\">", 0},
    {"WrappedPictureFloatsToItsSide",
     [] {
       docx::Drawing d = picture("word/media/image1.png");
       d.wrap = WrapKind::square;
       d.horizontalAlign = "right";
       return d;
     },
     "<img src=\"media/image1.png\" class=\"vm-pic vm-fr\" alt=\"\" style=\"width:200px;height:100px;\">", 0},
    {"WrappedPictureByOffsetFloatsToTheNearerSide",
     [] {
       docx::Drawing d = picture("word/media/image1.png");
       d.wrap = WrapKind::tight;
       d.horizontalOffsetEmu = 4000000;
       return d;
     },
     "<img src=\"media/image1.png\" class=\"vm-pic vm-fr\" alt=\"\" style=\"width:200px;height:100px;\">", 0},
    {"PictureOnItsOwnLinesCentred",
     [] {
       docx::Drawing d = picture("word/media/image1.png");
       d.wrap = WrapKind::topAndBottom;
       d.horizontalAlign = "center";
       return d;
     },
     "<img src=\"media/image1.png\" class=\"vm-pic vm-bc\" alt=\"\" style=\"width:200px;height:100px;\">", 0},
    {"PictureWithoutSizeTakesItsOwn", [] { return picture("word/media/image1.png", 0, 0); },
     "<img src=\"media/image1.png\" class=\"vm-pic\" alt=\"\">", 0},
    {"ChartIsABoxOfItsSize",
     [] {
       docx::Drawing d = picture("word/charts/chart1.xml");
       d.kind = DrawingKind::chart;
       return d;
     },
     "<span class=\"vm-ns\" style=\"width:200px;height:100px;\">chart not shown</span>", 1},
    {"DrawnChartIsItsPicture",
     [] {
       docx::Drawing d = picture("word/charts/chart1.xml");
       d.kind = DrawingKind::chart;
       d.drawn = "word/charts/chart1.xml.svg";
       return d;
     },
     "<img src=\"charts/chart1.xml.svg\" class=\"vm-pic\" alt=\"\" style=\"width:200px;height:100px;\">", 0},
    {"DrawnOutsideThePageFolderIsNotShown",
     [] {
       docx::Drawing d = picture("word/charts/chart1.xml");
       d.kind = DrawingKind::chart;
       d.drawn = "word/../chart1.svg";
       return d;
     },
     "<span class=\"vm-ns\" style=\"width:200px;height:100px;\">chart not shown</span>", 1},
    {"PictureABrowserCannotShow", [] { return picture("word/media/image1.emf"); },
     "<span class=\"vm-ns\" style=\"width:200px;height:100px;\">picture not shown</span>", 1},
    {"ConvertedPictureCroppedLikeAnyOther",
     [] {
       docx::Drawing d = picture("word/media/image1.emf.svg");
       d.cropLeft = 25000;
       d.cropRight = 25000;
       d.cropTop = 50000;
       return d;
     },
     "<span class=\"vm-crop\" style=\"width:200px;height:100px;\"><img src=\"media/image1.emf.svg\" class=\"vm-pic\" "
     "alt=\"\" style=\"width:400px;height:200px;margin-left:-100px;margin-top:-100px;\"></span>",
     0},
    {"PictureNotConvertedIsABoxWithoutANotShownWarning",
     [] {
       docx::Drawing d = picture("word/media/image1.png");  // a TIFF by its bytes
       d.notConverted = true;
       d.wrap = WrapKind::square;
       d.horizontalAlign = "left";
       return d;
     },
     "<span class=\"vm-ns vm-fl\" style=\"width:200px;height:100px;\">picture not converted</span>", 0},
    {"PictureOutsideThePagesFolder", [] { return picture("media/image1.png"); },
     "<span class=\"vm-ns\" style=\"width:200px;height:100px;\">picture not shown</span>", 1},
    {"HugeExtentIsBounded", [] { return picture("word/media/i.png", 1LL << 60, -5); },
     "<img src=\"media/i.png\" class=\"vm-pic\" alt=\"\" style=\"width:400000px;\">", 0},
};

INSTANTIATE_TEST_SUITE_P(Cases, DrawingWriterCase, testing::ValuesIn(kCases), test::caseName);

TEST(DrawingWriter, TextBoxShowsItsStoryOnce) {
  DocumentBuilder b;
  docx::Drawing box;
  box.kind = DrawingKind::textBox;
  box.widthEmu = 952500;
  box.heightEmu = 476250;
  box.textBox = b.textBox({paragraph({text("inside")})});
  const int index = b.drawing(box);
  b.body({paragraph({mark(InlineKind::drawing, index), mark(InlineKind::drawing, index)})});
  EXPECT_SAME_TEXT(test::renderBody(b.document()),
                   "<div class=\"p1\"><span class=\"vm-tbx\" style=\"width:100px;min-height:50px;\"><p class=\"p1\">"
                   "<span class=\"r1\">inside</span></p>\n</span><span class=\"vm-tbx\" "
                   "style=\"width:100px;min-height:50px;\"></span></div>\n");
}

TEST(DrawingWriter, TextBoxInsideItselfStops) {
  DocumentBuilder b;
  docx::Drawing box;
  box.kind = DrawingKind::textBox;
  box.textBox = 0;
  const int index = b.drawing(box);
  b.textBox({paragraph({text("loop"), mark(InlineKind::drawing, index)})});
  b.body({paragraph({mark(InlineKind::drawing, index)})});
  EXPECT_SAME_TEXT(test::renderBody(b.document()),
                   "<div class=\"p1\"><span class=\"vm-tbx\"><div class=\"p1\"><span class=\"r1\">loop</span>"
                   "<span class=\"vm-tbx\"></span></div>\n</span></div>\n");
}

struct PathCase {
  std::string name, mainPart, target;
  std::optional<std::string> expected;
};

const PathCase kPaths[] = {
    {"BesideTheMainPart", "word/document.xml", "word/media/image1.png", "media/image1.png"},
    {"MainPartAtTheRoot", "document.xml", "media/image1.png", "media/image1.png"},
    {"OutsideTheFolder", "word/document.xml", "media/image1.png", std::nullopt},
    {"StepUpIsRefused", "word/document.xml", "word/../secret.png", std::nullopt},
    {"EmptyStepIsRefused", "word/document.xml", "word//x.png", std::nullopt},
    {"EmptyTarget", "word/document.xml", "", std::nullopt},
    {"FolderNameIsNotAPrefix", "word/document.xml", "wordy/x.png", std::nullopt},
};

class DrawingWriterPath : public testing::TestWithParam<PathCase> {};

TEST_P(DrawingWriterPath, GivesThePathFromThePage) {
  EXPECT_EQ(pagePicturePath(GetParam().mainPart, GetParam().target), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, DrawingWriterPath, testing::ValuesIn(kPaths), test::caseName);

}  // namespace
}  // namespace vellumine::render
