// The picture pass between the reading and the page: which drawings it converts, what it does
// with a failure, and the page that comes out of a package holding such pictures.
#include "app/picture_pass.h"

#include <gtest/gtest.h>

#include "app/document_page.h"
#include "support/picture_samples.h"
#include "support/test_support.h"
#include "text/fileutil.h"

namespace vellumine {
namespace {

namespace fs = std::filesystem;

// A TIFF that never converts, whatever the libraries do: it claims too many pixels.
std::string failingTiff() { return test::tiffClaiming(10'000, 6'000); }

docx::Drawing drawing(std::string target, docx::DrawingKind kind = docx::DrawingKind::picture) {
  docx::Drawing d;
  d.kind = kind;
  d.target = std::move(target);
  return d;
}

class PicturePass : public testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(package.path() / "word" / "media");
    document.mainPart = "word/document.xml";
  }
  void writePart(const std::string& name, const std::string& bytes) { WriteTextFile(package.path() / name, bytes); }
  void run() { convertDocumentPictures(document, package.path(), warnings); }

  test::TempDir package;
  docx::Document document;
  docx::Warnings warnings;
};

struct TargetCase {
  const char* name;
  docx::Drawing drawing;
  const char* target;  // after the pass
  bool notConverted;
};

TEST_F(PicturePass, ConvertsThePicturesThePageCouldShow) {
  writePart("word/media/a.emf", test::tinyEmf());
  writePart("word/media/b.wmf", test::tinyWmf());
  writePart("word/media/c.png", "\x89PNG\r\n\x1a\n");
  writePart("word/media/d.png", test::tinyTiff(2, 2));
  writePart("word/media/e.tif", failingTiff());
  writePart("outside.emf", test::tinyEmf());
  const TargetCase cases[] = {
      {"EMF", drawing("word/media/a.emf"), "word/media/a.emf.svg", false},
      {"WMF of an OLE object", drawing("word/media/b.wmf", docx::DrawingKind::object), "word/media/b.wmf.svg", false},
      {"PNG", drawing("word/media/c.png"), "word/media/c.png", false},
      {"TIFF named PNG", drawing("word/media/d.png"), "word/media/d.png.png", false},
      {"TIFF that fails", drawing("word/media/e.tif"), "word/media/e.tif", true},
      {"missing part", drawing("word/media/gone.emf"), "word/media/gone.emf", false},
      {"outside the page's folder", drawing("outside.emf"), "outside.emf", false},
      {"chart", drawing("word/media/a.emf", docx::DrawingKind::chart), "word/media/a.emf", false},
  };
  for (const TargetCase& c : cases) document.drawings.push_back(c.drawing);
  run();
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(document.drawings[i].target, cases[i].target) << cases[i].name;
    EXPECT_EQ(document.drawings[i].notConverted, cases[i].notConverted) << cases[i].name;
  }
  EXPECT_FALSE(fs::exists(package.path() / "outside.emf.svg"));
  EXPECT_EQ(warnings.lines(), std::vector<std::string>{"1 picture could not be converted (word/media/e.tif)"});
}

TEST_F(PicturePass, EachFailedPartIsCountedOnceHoweverOftenItIsShown) {
  writePart("word/media/e.tif", failingTiff());
  writePart("word/media/f.tif", failingTiff());
  for (const char* target : {"word/media/e.tif", "word/media/e.tif", "word/media/f.tif", "word/media/e.tif"}) {
    document.drawings.push_back(drawing(target));
  }
  run();
  for (const docx::Drawing& d : document.drawings) EXPECT_TRUE(d.notConverted) << d.target;
  EXPECT_EQ(warnings.lines(), std::vector<std::string>{"2 pictures could not be converted (word/media/e.tif)"});
}

TEST_F(PicturePass, PastItsTimeOnlyPicturesConvertedBeforeAreShown) {
  writePart("word/media/a.emf", test::tinyEmf());
  writePart("word/media/b.emf", test::tinyEmf());
  writePart("word/media/b.emf.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\"/>");
  document.drawings = {drawing("word/media/a.emf"), drawing("word/media/b.emf")};
  PicturePassLimits spent;
  spent.total = std::chrono::milliseconds(0);
  convertDocumentPictures(document, package.path(), warnings, spent);
  EXPECT_TRUE(document.drawings[0].notConverted);
  EXPECT_EQ(document.drawings[1].target, "word/media/b.emf.svg");
  EXPECT_FALSE(fs::exists(package.path() / "word" / "media" / "a.emf.svg"));
}

// The faithful page of a package whose one picture (word/media/image1.png) holds bytes.
class PicturePage : public testing::Test {
 protected:
  void SetUp() override {
    fs::copy(test::fixturesDir() / "packages" / "drawing-aligned", package.path(), fs::copy_options::recursive);
    fs::create_directories(package.path() / "word" / "media");
  }
  DocumentPage page(const std::string& pictureBytes) {
    WriteTextFile(package.path() / "word" / "media" / "image1.png", pictureBytes);
    return makeDocumentPage(package.path(), PageRequest{});
  }
  test::TempDir package;
};

TEST_F(PicturePage, ShowsTheConvertedPicture) {
  const DocumentPage made = page(test::tinyWmf());
  EXPECT_NE(made.page.find("<img src=\"media/image1.png.svg\""), std::string::npos) << made.page;
  EXPECT_TRUE(made.warnings.empty());
}

TEST_F(PicturePage, MadeAgainUsesTheConvertedFile) {
  ASSERT_NE(page(test::tinyEmf()).page.find("<img src=\"media/image1.png.svg\""), std::string::npos);
  const std::string converted = ReadWholeFile(package.path() / "word" / "media" / "image1.png.svg");
  // A second conversion of these bytes would fail.
  const DocumentPage again = page(test::tinyEmf().substr(0, 60));
  EXPECT_NE(again.page.find("<img src=\"media/image1.png.svg\""), std::string::npos);
  EXPECT_TRUE(again.warnings.empty());
  EXPECT_EQ(again.notShownCount, 0);
  EXPECT_EQ(ReadWholeFile(package.path() / "word" / "media" / "image1.png.svg"), converted);
}

TEST_F(PicturePage, PictureThatFailsKeepsItsBoxAndIsReported) {
  const DocumentPage made = page(failingTiff());
  EXPECT_EQ(made.page.find("<img "), std::string::npos) << made.page;
  EXPECT_NE(made.page.find(">picture not converted</span>"), std::string::npos) << made.page;
  // A picture left as a box is an item not shown, not damage.
  EXPECT_TRUE(made.warnings.empty());
  EXPECT_EQ(made.notShown, std::vector<std::string>{"1 picture could not be converted (word/media/image1.png)"});
  EXPECT_EQ(made.notShownCount, 1);
}

}  // namespace
}  // namespace vellumine
