// Every document of the shared corpus gets a 128-pixel thumbnail: its stored picture fitted within
// the size (never enlarged), or its first page drawn with its larger side exactly the size.
#include <QImage>
#include <algorithm>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "package/unzip_docx.h"
#include "support/test_support.h"
#include "thumbnailer/stored_thumbnail.h"
#include "thumbnailer/thumbnail_image.h"
#include "thumbnailer/thumbnail_documents.h"
#include "thumbnailer/thumbnailer_run.h"

namespace vellumine {
namespace {

namespace fs = std::filesystem;

constexpr int kSize = 128;

class CorpusThumbnail : public testing::TestWithParam<fs::path> {};

// The larger side the thumbnail must have: the size, or a stored picture's own when it is smaller.
int expectedLargerSide(const fs::path& document) {
  test::TempDir package;
  extractPackage(document, package.path());
  const auto stored = findStoredThumbnail(package.path());
  const QImage picture = stored ? decodePicture(*stored) : QImage();
  if (picture.isNull()) return kSize;
  return std::min(kSize, std::max(picture.width(), picture.height()));
}

TEST_P(CorpusThumbnail, IsAPngWithinTheSize) {
  test::TempDir out;
  const fs::path thumbnail = out.path() / "thumbnail.png";
  const test::ThumbnailerRun r = test::runThumbnailer({"-s", std::to_string(kSize), GetParam().string(), thumbnail.string()});
  ASSERT_EQ(r.status, 0) << r.errors;
  const QImage image = test::readPicture(thumbnail);
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(std::max(image.width(), image.height()), expectedLargerSide(GetParam()));
  EXPECT_GE(std::min(image.width(), image.height()), 1);
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusThumbnail, testing::ValuesIn(test::corpusDocuments()), test::corpusTestName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(CorpusThumbnail);

}  // namespace
}  // namespace vellumine
