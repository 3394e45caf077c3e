#include "media/picture_converter.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "media/converted_picture.h"
#include "media/svg_cleaner.h"
#include "media/tiff_to_png.h"
#include "support/picture_samples.h"
#include "support/test_support.h"
#include "text/fileutil.h"

namespace vellumine::media {
namespace {

namespace fs = std::filesystem;

struct GoodCase {
  const char* name;
  std::string bytes;
  std::string_view start;     // what the converted file starts with
  std::string_view contains;  // and holds somewhere
};

// One table for the rule: each format's small picture converts to what the browser shows.
const std::vector<GoodCase> kGoodCases = {
    {"EMF", test::tinyEmf(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg ", "<rect x=\"10.0000\" y=\"10.0000\" width=\"80.0000\""},
    {"WMF", test::tinyWmf(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg ", "<rect x=\"0.826446\""},
    {"TIFF", test::tinyTiff(3, 2), std::string_view("\x89PNG\r\n\x1a\n", 8), "IHDR"},
};

TEST(PictureConverter, EachFormatsSmallPictureConverts) {
  for (const GoodCase& c : kGoodCases) {
    std::string out;
    ASSERT_TRUE(convertPicture(c.bytes, pictureFormatOf(c.bytes), stringSink(out))) << c.name;
    EXPECT_EQ(out.rfind(c.start, 0), 0u) << c.name << ": " << out.substr(0, 200);
    EXPECT_NE(out.find(c.contains), std::string::npos) << c.name << ": " << out.substr(0, 400);
  }
}

TEST(PictureConverter, TiffKeepsItsSizeAndPixels) {
  std::string png;
  ASSERT_TRUE(tiffToPng(test::tinyTiff(3, 2), stringSink(png)));
  // IHDR: width 3, height 2, 8-bit RGBA.
  EXPECT_EQ(png.substr(16, 13), std::string("\0\0\0\3\0\0\0\2\x08\x06\0\0\0", 13));
}

TEST(PictureConverter, OtherFormatsAreNotConverted) {
  std::string out;
  EXPECT_FALSE(convertPicture("\x89PNG\r\n\x1a\n", PictureFormat::other, stringSink(out)));
  EXPECT_TRUE(out.empty());
}

TEST(PictureConverter, TiffClaimingTooManyPixelsIsRefusedUnread) {
  std::string out;
  EXPECT_FALSE(tiffToPng(test::tiffClaiming(10'000, 5'001), stringSink(out)));
  EXPECT_FALSE(tiffToPng(test::tiffClaiming(0xFFFFFFFF, 0xFFFFFFFF), stringSink(out)));
  EXPECT_TRUE(out.empty());
}

std::string randomBytes(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& b : bytes) b = static_cast<char>(random());
  return bytes;
}

// The signature, then noise.
std::string signedNoise(const std::string& good, std::size_t keep, unsigned seed) {
  return good.substr(0, keep) + randomBytes(4096, seed);
}

std::string withEmfBounds(std::uint32_t value) {
  std::string emf = test::tinyEmf();
  for (std::size_t field = 8; field < 40; field += 4) emf.replace(field, 4, std::string(reinterpret_cast<const char*>(&value), 4));
  return emf;
}

// How a damaged picture may end.  The metafile libraries draw what they can read, so noise after
// a good header may become an empty or partial drawing; it must still be a clean SVG.
enum class Ending { failed, failedOrDrawn };

struct DamagedCase {
  std::string name;
  std::string bytes;
  Ending ending;
};

// Damaged, cut and hostile pictures of each format: every one ends as a failure (the picture
// keeps its box) or a clean drawing, never as a crash of the program or a stray file.
std::vector<DamagedCase> damagedCases() {
  std::vector<DamagedCase> cases = {
      {"EMF header alone", test::tinyEmf().substr(0, 108), Ending::failed},
      {"EMF cut in its first record", test::tinyEmf().substr(0, 60), Ending::failed},
      {"EMF with absurd bounds", withEmfBounds(0x7FFFFFFF), Ending::failedOrDrawn},
      {"WMF header alone", test::tinyWmf().substr(0, 40), Ending::failedOrDrawn},
      {"WMF cut inside its header", test::tinyWmf().substr(0, 30), Ending::failedOrDrawn},
      {"TIFF cut after its header", test::tinyTiff(3, 2).substr(0, 8), Ending::failed},
      {"TIFF claiming 60 megapixels", test::tiffClaiming(10'000, 6'000), Ending::failed},
      {"TIFF claiming the largest size", test::tiffClaiming(0xFFFFFFFF, 0xFFFFFFFF), Ending::failed},
      {"TIFF whose strip is missing", test::tiffClaiming(100, 100), Ending::failed},
  };
  for (unsigned seed = 1; seed <= 3; ++seed) {
    const std::string n = " " + std::to_string(seed);
    cases.push_back({"EMF signature and noise" + n, signedNoise(test::tinyEmf(), 44, seed), Ending::failedOrDrawn});
    cases.push_back({"WMF signature and noise" + n, signedNoise(test::tinyWmf(), 40, seed), Ending::failedOrDrawn});
    cases.push_back({"TIFF signature and noise" + n, signedNoise(test::tinyTiff(3, 2), 4, seed), Ending::failed});
  }
  return cases;
}

// A drawing made from a damaged metafile is as clean as any: cleaning it again changes nothing.
void expectCleanDrawing(const ConvertedPicture& converted, const std::string& name) {
  const std::string svg = ReadWholeFile(converted.path);
  const std::optional<std::string> again = cleanSvg(svg);
  ASSERT_TRUE(again) << name;
  EXPECT_EQ(*again, svg) << name;
}

TEST(PictureConverter, DamagedPicturesFailOrDrawCleanlyAndLeaveNoStrayFile) {
  for (const DamagedCase& c : damagedCases()) {
    test::TempDir folder;
    const fs::path source = folder.path() / "picture";
    WriteTextFile(source, c.bytes);
    ASSERT_NE(pictureFormatOf(c.bytes), PictureFormat::other) << c.name;
    const ConvertedPicture converted = convertPictureFile(source);
    const bool drawn = converted.state == PictureState::converted;
    if (drawn) {
      EXPECT_EQ(c.ending, Ending::failedOrDrawn) << c.name;
      expectCleanDrawing(converted, c.name);
    } else {
      EXPECT_EQ(converted.state, PictureState::failed) << c.name;
    }
    // ".", "..", the picture and, when drawn, its SVG: no temporary file stays behind.
    EXPECT_EQ(ListFolder(folder.path()).size(), drawn ? 4u : 3u) << c.name;
  }
}

}  // namespace
}  // namespace vellumine::media
