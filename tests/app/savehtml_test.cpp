#include "app/savehtml.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "support/test_support.h"

namespace vellumine {
namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& file, std::string_view bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// doc.html as the program writes it: declared UTF-8 first in its head.
const std::string kPage =
    "<html>\r\n<head><meta charset=\"utf-8\"><style>\r\n.tab{margin-left:3em}body{padding:64 64 96 64;border:none;}"
    "#page{width:544; margin:auto;}</style></head><body><div id=\"page\">\r\n<p>Text "
    "\xC3\xA9</p><img src=\"media/image1.png\"></div></body></html>";

class SaveHtml : public testing::Test {
 protected:
  test::TempDir dir;
  fs::path word = dir.path() / "package" / "word";
  fs::path docHtml = word / "doc.html";
  fs::path out = dir.path() / "out";
  fs::path target = out / "saved.htm";

  void SetUp() override {
    writeFile(docHtml, kPage);
    fs::create_directories(out);
  }
};

TEST_F(SaveHtml, PageIsByteIdenticalAndImagesGoBesideIt) {
  writeFile(word / "media" / "image1.png", "png-bytes");
  exportHtml(docHtml, target);
  EXPECT_EQ(readFile(target), kPage);
  EXPECT_EQ(readFile(out / "media" / "image1.png"), "png-bytes");
}

TEST_F(SaveHtml, HiddenOverflowRuleIsRemovedEverywhere) {
  // In the head, where a page's style sheet belongs (the sanitiser removes one in the body).
  writeFile(docHtml, "<head><meta charset=\"utf-8\"><style>body{overflow:hidden;border:none;}p{}"
                     "body{overflow:hidden;border:none;}</style></head>");
  exportHtml(docHtml, target);
  EXPECT_EQ(readFile(target), "<head><meta charset=\"utf-8\"><style>p{}</style></head>");
}

TEST_F(SaveHtml, SavingTwiceOverwritesPageAndImages) {
  writeFile(word / "media" / "image1.png", "first");
  exportHtml(docHtml, target);
  writeFile(docHtml, "<meta charset=\"utf-8\"><p>second</p>");
  writeFile(word / "media" / "image1.png", "second");
  exportHtml(docHtml, target);
  EXPECT_EQ(readFile(target), "<meta charset=\"utf-8\"><p>second</p>");
  EXPECT_EQ(readFile(out / "media" / "image1.png"), "second");
}

TEST_F(SaveHtml, ExistingMediaFolderKeepsItsOtherFiles) {
  writeFile(out / "media" / "mine.jpg", "mine");
  writeFile(word / "media" / "image1.png", "png-bytes");
  exportHtml(docHtml, target);
  EXPECT_EQ(readFile(out / "media" / "mine.jpg"), "mine");
  EXPECT_EQ(readFile(out / "media" / "image1.png"), "png-bytes");
}

TEST_F(SaveHtml, DocumentWithoutImagesMakesNoMediaFolder) {
  exportHtml(docHtml, target);
  EXPECT_FALSE(fs::exists(out / "media"));
  fs::create_directories(word / "media");  // an empty media folder copies nothing either
  exportHtml(docHtml, target);
  EXPECT_FALSE(fs::exists(out / "media"));
}

TEST_F(SaveHtml, UnwritableTargetFailsAndCopiesNoImage) {
  writeFile(word / "media" / "image1.png", "png-bytes");
  writeFile(out / "plain-file", "");
  // Root may write anywhere, so make the target impossible rather than forbidden.
  const fs::path impossible[] = {out / "plain-file" / "saved.htm", out};
  for (const fs::path& bad : impossible) {
    EXPECT_THROW(exportHtml(docHtml, bad), std::runtime_error) << bad;
  }
  EXPECT_FALSE(fs::exists(out / "media"));
  EXPECT_FALSE(fs::exists(dir.path() / "media"));
}

TEST_F(SaveHtml, MissingPageIsAnErrorAndWritesNothing) {
  fs::remove(docHtml);
  EXPECT_THROW(exportHtml(docHtml, target), std::runtime_error);
  EXPECT_FALSE(fs::exists(target));
}

TEST_F(SaveHtml, SavingIntoThePackagesOwnFolderKeepsTheImages) {
  writeFile(word / "media" / "image1.png", "png-bytes");
  exportHtml(docHtml, word / "copy.htm");
  EXPECT_EQ(readFile(word / "media" / "image1.png"), "png-bytes");
  EXPECT_EQ(readFile(word / "copy.htm"), kPage);
}

TEST_F(SaveHtml, PageFromMemoryWithItsMediaFolder) {
  writeFile(dir.path() / "pics" / "a.gif", "gif");
  exportPage("<p>x</p>body{overflow:hidden;border:none;}", dir.path() / "pics", target);
  EXPECT_EQ(readFile(target), "<meta charset=\"utf-8\"><p>x</p>");
  EXPECT_EQ(readFile(out / "media" / "a.gif"), "gif");
}

TEST(SaveHtmlMessage, NamesTheChosenFile) {
  EXPECT_EQ(savedMessage("/home/ann/Report.htm"), "File has been saved as /home/ann/Report.htm successfully.");
}

}  // namespace
}  // namespace vellumine
