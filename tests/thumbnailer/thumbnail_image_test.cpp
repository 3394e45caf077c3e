#include "thumbnailer/thumbnail_image.h"

#include <QColor>
#include <string>

#include <gtest/gtest.h>

#include "thumbnailer/stored_thumbnail.h"
#include "thumbnailer/thumbnail_documents.h"

namespace vellumine {
namespace {

struct FitRow {
  const char* name;
  int width, height, size;
  bool enlarge;
  int expectedWidth, expectedHeight;
};

TEST(FitWithin, LargerSideBecomesTheSizeShapeKept) {
  const FitRow rows[] = {
      {"WideScaledDown", 400, 300, 128, false, 128, 96},
      {"TallScaledDown", 300, 600, 256, false, 128, 256},
      {"SquareScaledDown", 512, 512, 128, false, 128, 128},
      {"SmallerStays", 64, 48, 256, false, 64, 48},
      {"SmallerEnlargedWhenAsked", 64, 48, 256, true, 256, 192},
      {"ExactSizeStays", 128, 100, 128, false, 128, 100},
      {"ThinLineKeepsOnePixel", 2000, 1, 100, false, 100, 1},
  };
  for (const FitRow& row : rows) {
    SCOPED_TRACE(row.name);
    QImage image(row.width, row.height, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QImage fitted = fitWithin(image, row.size, row.enlarge);
    EXPECT_EQ(fitted.width(), row.expectedWidth);
    EXPECT_EQ(fitted.height(), row.expectedHeight);
  }
}

TEST(FitWithin, NullImageStaysNull) { EXPECT_TRUE(fitWithin(QImage(), 128, true).isNull()); }

struct DecodeRow {
  const char* name;
  std::string bytes;
  bool decodes;
};

TEST(DecodePicture, PngAndJpegDecodeAnythingElseDoesNot) {
  const std::string png = test::pictureBytes(30, 20, Qt::blue, "PNG");
  const DecodeRow rows[] = {
      {"Png", png, true},
      {"Jpeg", test::pictureBytes(30, 20, Qt::blue, "JPEG"), true},
      {"PngCutShort", png.substr(0, 40), false},
      {"Text", "not a picture", false},
      {"Empty", "", false},
  };
  for (const DecodeRow& row : rows) {
    SCOPED_TRACE(row.name);
    const QImage image = decodePicture(row.bytes);
    EXPECT_EQ(!image.isNull(), row.decodes);
    if (row.decodes) {
      EXPECT_EQ(image.size(), QSize(30, 20));
    }
  }
}

TEST(PngBytes, RoundTripsThroughDecode) {
  QImage image(7, 5, QImage::Format_RGB32);
  image.fill(QColor(10, 200, 30));
  const std::string png = pngBytes(image);
  EXPECT_EQ(rasterTypeOf(png), RasterType::png);
  EXPECT_EQ(decodePicture(png).pixelColor(3, 2), QColor(10, 200, 30));
  EXPECT_TRUE(pngBytes(QImage()).empty());
}

}  // namespace
}  // namespace vellumine
