#include "media/converted_picture.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/picture_samples.h"
#include "support/test_support.h"
#include "text/fileutil.h"

namespace vellumine::media {
namespace {

namespace fs = std::filesystem;

class ConvertedPictureTest : public testing::Test {
 protected:
  fs::path write(const std::string& name, const std::string& bytes) {
    const fs::path file = folder.path() / name;
    WriteTextFile(file, bytes);
    return file;
  }
  test::TempDir folder;
};

struct NameCase {
  const char* source;
  std::string bytes;
  const char* converted;
};

// The converted file is named after the source whatever the source is called.
TEST_F(ConvertedPictureTest, ConvertedFileIsTheSourcesNameAndTheNewExtension) {
  const NameCase cases[] = {
      {"image1.emf", test::tinyEmf(), "image1.emf.svg"},
      {"image2.wmf", test::tinyWmf(), "image2.wmf.svg"},
      {"image3.tif", test::tinyTiff(2, 2), "image3.tif.png"},
      {"image4.png", test::tinyEmf(), "image4.png.svg"},  // named a PNG, an EMF by its bytes
  };
  for (const NameCase& c : cases) {
    const ConvertedPicture converted = convertPictureFile(write(c.source, c.bytes));
    EXPECT_EQ(converted.state, PictureState::converted) << c.source;
    EXPECT_EQ(converted.path, folder.path() / c.converted) << c.source;
    EXPECT_GT(FileSizeOf(folder.path() / c.converted), 0) << c.source;
  }
  EXPECT_EQ(ListFolder(folder.path()).size(), 2u + 8u);  // "." and "..", four sources, four converted
}

TEST_F(ConvertedPictureTest, ConvertedFileFoundIsUsedAgainWithoutConverting) {
  const fs::path source = write("image1.emf", test::tinyEmf());
  ASSERT_EQ(convertPictureFile(source).state, PictureState::converted);
  const std::string first = ReadWholeFile(folder.path() / "image1.emf.svg");
  // Were it converted again, the damaged source would fail.
  WriteTextFile(source, test::tinyEmf().substr(0, 60));
  const ConvertedPicture again = convertPictureFile(source);
  EXPECT_EQ(again.state, PictureState::converted);
  EXPECT_EQ(ReadWholeFile(again.path), first);
}

TEST_F(ConvertedPictureTest, ConvertedFileIsAsReadableAsItsSource) {
  const fs::path source = write("image1.wmf", test::tinyWmf());
  fs::permissions(source, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read);
  const ConvertedPicture converted = convertPictureFile(source);
  ASSERT_EQ(converted.state, PictureState::converted);
  EXPECT_EQ(fs::status(converted.path).permissions(), fs::status(source).permissions());
}

TEST_F(ConvertedPictureTest, WhatIsNoConvertedFormatIsLeftAlone) {
  EXPECT_EQ(convertPictureFile(write("a.png", "\x89PNG\r\n\x1a\n")).state, PictureState::notConverted);
  EXPECT_EQ(convertPictureFile(folder.path() / "missing.emf").state, PictureState::notConverted);
  fs::create_directory(folder.path() / "folder.emf");
  EXPECT_EQ(convertPictureFile(folder.path() / "folder.emf").state, PictureState::notConverted);
  // A link could point anywhere outside the package.
  fs::create_symlink(write("real.emf", test::tinyEmf()), folder.path() / "link.emf");
  EXPECT_EQ(convertPictureFile(folder.path() / "link.emf").state, PictureState::notConverted);
  EXPECT_FALSE(fs::exists(folder.path() / "link.emf.svg"));
}

TEST_F(ConvertedPictureTest, PictureLargerThanTheBoundIsNotConverted) {
  PictureLimits limits;
  limits.maxInputBytes = test::tinyEmf().size() - 1;
  EXPECT_EQ(convertPictureFile(write("image1.emf", test::tinyEmf()), limits).state, PictureState::failed);
  EXPECT_FALSE(fs::exists(folder.path() / "image1.emf.svg"));
}

TEST_F(ConvertedPictureTest, ConvertedNameTakenByAFolderOrLinkFails) {
  fs::create_directory(folder.path() / "a.emf.svg");
  EXPECT_EQ(convertPictureFile(write("a.emf", test::tinyEmf())).state, PictureState::failed);
  fs::create_symlink("/etc/hostname", folder.path() / "b.emf.svg");
  EXPECT_EQ(convertPictureFile(write("b.emf", test::tinyEmf())).state, PictureState::failed);
  EXPECT_TRUE(fs::is_symlink(folder.path() / "b.emf.svg"));
}

}  // namespace
}  // namespace vellumine::media
