// The shape pass between the reading and the page: which drawings it draws, that alike shapes
// share one picture, its bound on a document's shapes, and the whole page of the hand-made
// package with a floating text box, shapes with and without text, an arrow, a group, a VML text
// box and a diagram, against its stored page.
#include "app/shape_pass.h"

#include <gtest/gtest.h>

#include "app/document_page.h"
#include "app/docxInfo.h"
#include "app/page_writer.h"
#include "support/page_support.h"
#include "support/test_support.h"
#include "text/fileutil.h"

namespace vellumine {
namespace {

namespace fs = std::filesystem;

docx::Drawing shape(docx::ShapeGeometry geometry, docx::Paint fill) {
  docx::Drawing d;
  d.kind = docx::DrawingKind::shape;
  d.look.geometry = geometry;
  d.look.fill = fill;
  d.look.fillColor = docx::ShapeColor{true, 0x336699};
  d.widthEmu = 952500;
  d.heightEmu = 952500;
  return d;
}

class ShapePass : public testing::Test {
 protected:
  void SetUp() override { document.mainPart = "word/document.xml"; }
  void run(const ShapePassLimits& limits = {}) { drawDocumentShapes(document, package.path(), warnings, limits); }

  test::TempDir package;
  docx::Document document;
  docx::Warnings warnings;
};

TEST_F(ShapePass, DrawsShapesThatShowSomethingAndOnlyThose) {
  document.drawings.push_back(shape(docx::ShapeGeometry::ellipse, docx::Paint::solid));
  document.drawings.push_back(shape(docx::ShapeGeometry::rect, docx::Paint::none));      // nothing to draw
  document.drawings.push_back(shape(docx::ShapeGeometry::none, docx::Paint::solid));     // no geometry
  docx::Drawing picture = shape(docx::ShapeGeometry::rect, docx::Paint::solid);
  picture.kind = docx::DrawingKind::picture;
  document.drawings.push_back(picture);
  run();
  ASSERT_TRUE(document.drawings[0].drawn.starts_with("word/media/vm-")) << document.drawings[0].drawn;
  EXPECT_TRUE(document.drawings[0].drawn.ends_with(".svg"));
  const std::string svg = ReadWholeFile(package.path() / document.drawings[0].drawn);
  EXPECT_NE(svg.find("<ellipse"), std::string::npos);
  EXPECT_NE(svg.find("fill=\"#336699\""), std::string::npos);
  for (std::size_t k = 1; k < document.drawings.size(); ++k) EXPECT_EQ(document.drawings[k].drawn, "") << k;
  EXPECT_TRUE(warnings.empty());
}

TEST_F(ShapePass, AlikeShapesShareOnePicture) {
  for (int k = 0; k < 3; ++k) document.drawings.push_back(shape(docx::ShapeGeometry::triangle, docx::Paint::solid));
  document.drawings.push_back(shape(docx::ShapeGeometry::diamond, docx::Paint::solid));
  run();
  EXPECT_EQ(document.drawings[0].drawn, document.drawings[2].drawn);
  EXPECT_NE(document.drawings[0].drawn, document.drawings[3].drawn);
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(package.path() / "word" / "media")) ++files;
  EXPECT_EQ(files, 2u);
}

TEST_F(ShapePass, ShapesPastTheLimitStayUndrawnWithOneWarning) {
  for (int k = 0; k < 5; ++k) document.drawings.push_back(shape(docx::ShapeGeometry::rect, docx::Paint::solid));
  run(ShapePassLimits{3});
  EXPECT_NE(document.drawings[2].drawn, "");
  EXPECT_EQ(document.drawings[3].drawn, "");
  EXPECT_EQ(warnings.count(docx::WarningKind::notShown), 1);
}

TEST_F(ShapePass, AbsurdSizesGiveABoundedPicture) {
  docx::Drawing huge = shape(docx::ShapeGeometry::rect, docx::Paint::solid);
  huge.widthEmu = 1'000'000'000'000'000LL;
  huge.heightEmu = -1'000'000'000'000'000LL;
  document.drawings.push_back(huge);
  run();
  ASSERT_NE(document.drawings[0].drawn, "");
  EXPECT_LT(fs::file_size(package.path() / document.drawings[0].drawn), 1000u);
}

// ---- the hand-made package ----

fs::path copiedShapesPackage(const test::TempDir& folder) {
  fs::copy(test::fixturesDir() / "packages" / "shapes", folder.path(), fs::copy_options::recursive);
  return folder.path();
}

DocumentPage shapesPage(const fs::path& package) {
  PageRequest request{PageEngine::faithful, {}, readDocumentProperties(package).title, render::ChangesView::markup};
  return makeDocumentPage(package, request);
}

TEST(ShapesPackage, GivesTheStoredPageUntouchedByTheSanitiser) {
  test::TempDir folder;
  const fs::path package = copiedShapesPackage(folder);
  const DocumentPage made = shapesPage(package);
  EXPECT_TRUE(made.warnings.empty()) << made.warnings.front();
  EXPECT_EQ(made.notShownCount, 0);
  EXPECT_TRUE(test::SameStoredPage("shapes", made.page));
  EXPECT_SAME_TEXT(finishedPage(made.page), made.page);
}

TEST(ShapesPackage, EveryDrawnPictureIsInTheMediaFolder) {
  test::TempDir folder;
  const fs::path package = copiedShapesPackage(folder);
  const std::string page = shapesPage(package).page;
  std::size_t pictures = 0;
  for (std::size_t at = page.find("src=\"media/vm-"); at != std::string::npos; at = page.find("src=\"media/vm-", at + 1)) {
    const std::size_t end = page.find('"', at + 5);
    const fs::path file = package / "word" / page.substr(at + 5, end - at - 5);
    EXPECT_TRUE(fs::exists(file)) << file;
    ++pictures;
  }
  // The text box, the rectangle, the ellipse, the arrow, two group members, the VML text box, two
  // VML group members, the bent connector, the diagram's shapes, the band behind the heading, the
  // VML stamp behind its line and the turned text box.
  EXPECT_EQ(pictures, 14u);
}

TEST(ShapesPackage, TheTextStaysOnThePage) {
  test::TempDir folder;
  const std::string page = shapesPage(copiedShapesPackage(folder)).page;
  for (std::string_view words : {"A floating box with a border and a fill.", "Rectangle with text", "Member",
                                 "VML text box", ">Plan<", ">Build<", ">Ship<", ">First step<", ">Second step<"}) {
    EXPECT_NE(page.find(words), std::string::npos) << words;
  }
  // Connections and presentation points carry no words of the diagram.
  EXPECT_EQ(page.find("connector text"), std::string::npos);
  EXPECT_EQ(page.find("presentation"), std::string::npos);
}

}  // namespace
}  // namespace vellumine
