// The store of drawn pictures: where a drawing's SVG lands, that equal drawings share one file,
// and that a main part in an odd folder gets no file.
#include "app/drawn_picture.h"

#include <gtest/gtest.h>

#include "support/test_support.h"
#include "text/fileutil.h"

namespace vellumine {
namespace {

namespace fs = std::filesystem;

TEST(DrawnPicture, LandsInTheMediaFolderBesideTheMainPart) {
  test::TempDir package;
  const std::optional<std::string> name = storeDrawnPicture(package.path(), "word/document.xml", "<svg/>");
  ASSERT_TRUE(name.has_value());
  EXPECT_TRUE(name->starts_with("word/media/vm-")) << *name;
  EXPECT_TRUE(name->ends_with(".svg")) << *name;
  EXPECT_EQ(ReadWholeFile(package.path() / *name), "<svg/>");
}

TEST(DrawnPicture, EqualDrawingsShareOneFileAndOthersDoNot) {
  test::TempDir package;
  const auto first = storeDrawnPicture(package.path(), "word/document.xml", "<svg>a</svg>");
  const auto again = storeDrawnPicture(package.path(), "word/document.xml", "<svg>a</svg>");
  const auto other = storeDrawnPicture(package.path(), "word/document.xml", "<svg>b</svg>");
  ASSERT_TRUE(first && again && other);
  EXPECT_EQ(*first, *again);
  EXPECT_NE(*first, *other);
  EXPECT_EQ(ListFolder(package.path() / "word" / "media").size(), 4u);  // ".", ".." and two files
}

TEST(DrawnPicture, FollowsTheMainPartsFolderAndRefusesStepsOutOfIt) {
  test::TempDir package;
  const auto atTop = storeDrawnPicture(package.path(), "document.xml", "<svg/>");
  ASSERT_TRUE(atTop.has_value());
  EXPECT_TRUE(atTop->starts_with("media/vm-")) << *atTop;
  for (const char* mainPart : {"../word/document.xml", "word/./document.xml", "/word/document.xml",
                               "word//document.xml"}) {
    EXPECT_FALSE(storeDrawnPicture(package.path(), mainPart, "<svg/>").has_value()) << mainPart;
  }
}

}  // namespace
}  // namespace vellumine
