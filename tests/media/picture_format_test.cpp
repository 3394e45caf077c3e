#include "media/picture_format.h"

#include <gtest/gtest.h>

#include "support/picture_samples.h"

namespace vellumine::media {
namespace {

using namespace std::string_literals;

struct FormatCase {
  const char* name;
  std::string bytes;
  PictureFormat format;
};

// One table for the rule: the first bytes decide, never a name.
const FormatCase kFormatCases[] = {
    {"enhanced metafile", test::tinyEmf(), PictureFormat::emf},
    {"placeable metafile", test::tinyWmf(), PictureFormat::wmf},
    {"plain metafile in memory", "\x01\x00\x09\x00\x00\x03"s, PictureFormat::wmf},
    {"plain metafile on disk", "\x02\x00\x09\x00\x00\x01"s, PictureFormat::wmf},
    {"metafile header of the wrong size", "\x01\x00\x0A\x00\x00\x03"s, PictureFormat::other},
    {"metafile of an unknown version", "\x01\x00\x09\x00\x00\x02"s, PictureFormat::other},
    {"TIFF little-endian", test::tinyTiff(2, 2), PictureFormat::tiff},
    {"TIFF big-endian", "MM\x00*\x00\x00\x00\x08"s, PictureFormat::tiff},
    {"BigTIFF", "II+\x00\x08\x00\x00\x00"s, PictureFormat::tiff},
    {"EMF header without its signature", test::tinyEmf().replace(40, 4, "XEMF"), PictureFormat::other},
    {"EMF cut inside its header", test::tinyEmf().substr(0, 43), PictureFormat::other},
    {"PNG", "\x89PNG\r\n\x1a\n"s, PictureFormat::other},
    {"JPEG", "\xFF\xD8\xFF\xE0"s, PictureFormat::other},
    {"SVG", "<svg xmlns=\"http://www.w3.org/2000/svg\"/>", PictureFormat::other},
    {"empty", "", PictureFormat::other},
    {"three bytes", "II*", PictureFormat::other},
};

TEST(PictureFormat, IsToldByTheFirstBytes) {
  for (const FormatCase& c : kFormatCases) EXPECT_EQ(pictureFormatOf(c.bytes), c.format) << c.name;
}

TEST(PictureFormat, ConvertedExtensionIsSvgForMetafilesAndPngForTiff) {
  EXPECT_EQ(convertedExtension(PictureFormat::emf), "svg");
  EXPECT_EQ(convertedExtension(PictureFormat::wmf), "svg");
  EXPECT_EQ(convertedExtension(PictureFormat::tiff), "png");
  EXPECT_EQ(convertedExtension(PictureFormat::other), "");
}

}  // namespace
}  // namespace vellumine::media
