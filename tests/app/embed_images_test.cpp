#include "app/embed_images.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/test_support.h"
#include "text/fileutil.h"

namespace vellumine {
namespace {

namespace fs = std::filesystem;

// The first bytes of each kind, enough for the type to be told (and short enough to spell out in Base64).
const std::string kPng = "\x89PNG\r\n\x1a\n";                      // iVBORw0KGgo=
const std::string kGif = "GIF89a";                                 // R0lGODlh
const std::string kJpeg = "\xFF\xD8\xFF\xE0";                      // /9j/4A==
const std::string kWebp = std::string("RIFF\x04\0\0\0WEBP", 12);  // UklGRgQAAABXRUJQ
const std::string kBmp = "BM" + std::string(12, '\0') + std::string("\x28\0\0\0", 4);  // Qk0AAAAAAAAAAAAAAAAoAAAA
const std::string kIcon = std::string("\0\0\1\0\1\0", 6);         // AAABAAEA
const std::string kSvg = "<svg xmlns=\"http://www.w3.org/2000/svg\"><script>alert(1)</script></svg>";
const std::string kEmf = std::string("\x01\0\0\0\x6C\0\0\0", 8);
const std::string kPngUri = "data:image/png;base64,iVBORw0KGgo=";

struct MediaFile {
  std::string name;
  std::string bytes;
};

struct EmbedCase {
  std::string name;
  std::vector<MediaFile> media;
  std::string page;
  std::string expected;
  std::vector<std::string_view> reasons;  // of the emptied references, in page order
  std::uint64_t maxBytes = kMaxEmbeddedImageBytes;
};

std::string img(const std::string& source) { return "<img src=\"" + source + "\" width=\"10\" height=\"5\" />"; }

const std::vector<EmbedCase> kCases = {
    {"PngBecomesADataUri", {{"image1.png", kPng}}, "<p>a</p>" + img("media/image1.png") + "<p>b</p>",
     "<p>a</p>" + img(kPngUri) + "<p>b</p>", {}},
    {"EveryShownTypeIsToldByItsBytes",
     {{"a.jpeg", kJpeg}, {"b.gif", kGif}, {"c.webp", kWebp}, {"d.bmp", kBmp}},
     img("media/a.jpeg") + img("media/b.gif") + img("media/c.webp") + img("media/d.bmp"),
     img("data:image/jpeg;base64,/9j/4A==") + img("data:image/gif;base64,R0lGODlh") +
         img("data:image/webp;base64,UklGRgQAAABXRUJQ") + img("data:image/bmp;base64,Qk0AAAAAAAAAAAAAAAAoAAAA"),
     {}},
    // An icon is an image too, but not one a published page may carry: the page writer keeps
    // only the common raster types.
    {"IconIsEmptied", {{"e.ico", kIcon}}, img("media/e.ico"), img(""), {kNotAShownImageType}},
    {"TheNameDoesNotDecideTheType", {{"image1.png", kGif}}, img("media/image1.png"),
     img("data:image/gif;base64,R0lGODlh"), {}},
    {"SvgIsNeverEmbedded", {{"image1.svg", kSvg}, {"image2.png", kSvg}}, img("media/image1.svg") + img("media/image2.png"),
     img("") + img(""), {kNotAShownImageType, kNotAShownImageType}},
    {"MetafileIsEmptied", {{"image1.emf", kEmf}}, img("media/image1.emf"), img(""), {kNotAShownImageType}},
    {"TwoLettersBmAreNoBitmap", {{"a.bmp", "BM this is text"}}, img("media/a.bmp"), img(""), {kNotAShownImageType}},
    {"MissingFileIsEmptied", {}, img("media/gone.png"), img(""), {kNoSuchMediaFile}},
    {"PackageAbsoluteTargetIsTheSameFolder", {{"image1.png", kPng}}, img("/word/media/image1.png"), img(kPngUri), {}},
    {"EscapedNameIsFound", {{"my image&1.png", kPng}}, img("media/my%20image&amp;1.png"), img(kPngUri), {}},
    {"EscapedSlashNeverLeavesTheFolder", {{"../secret.png", kPng}}, img("media/..%2Fsecret.png") + img("media/.."),
     img("") + img(""), {kNoSuchMediaFile, kNoSuchMediaFile}},
    {"OtherSourcesAreLeftAsTheyAre", {{"image1.png", kPng}},
     img("") + img("https://example.com/media/image1.png") + img("../media/image1.png"),
     img("") + img("https://example.com/media/image1.png") + img("../media/image1.png"), {}},
    {"TextThatLooksLikeASourceStays", {{"image1.png", kPng}}, "<p>src=\"media/image1.png\"</p>",
     "<p>src=\"media/image1.png\"</p>", {}},
    {"AnImageShownTwiceIsEmbeddedTwice", {{"image1.png", kPng}}, img("media/image1.png") + "x" + img("media/image1.png"),
     img(kPngUri) + "x" + img(kPngUri), {}},
    {"ImagesPastTheLimitAreEmptied", {{"image1.png", kPng}, {"image2.jpeg", kJpeg}},
     img("media/image1.png") + img("media/image1.png") + img("media/image2.jpeg"), img(kPngUri) + img("") + img(""),
     {kEmbedLimitReached, kEmbedLimitReached}, kPngUri.size() + 10},
    {"UnclosedSourceAtTheEndIsKept", {{"image1.png", kPng}}, "<p>a</p><img src=\"media/image1.png",
     "<p>a</p><img src=\"media/image1.png", {}},
};

class EmbedImages : public testing::TestWithParam<EmbedCase> {};

TEST_P(EmbedImages, RewritesMediaSources) {
  const EmbedCase& c = GetParam();
  test::TempDir dir;
  const fs::path media = dir.path() / "word" / "media";
  fs::create_directories(media);
  for (const MediaFile& file : c.media) WriteTextFile(media / file.name, file.bytes);

  const EmbeddedPage result = embedImages(c.page, media, c.maxBytes);
  EXPECT_SAME_TEXT(result.page, c.expected);
  std::vector<std::string_view> reasons;
  for (const ImageNotEmbedded& image : result.notEmbedded) reasons.push_back(image.reason);
  EXPECT_EQ(reasons, c.reasons);
}

INSTANTIATE_TEST_SUITE_P(Cases, EmbedImages, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<EmbedCase>& info) { return info.param.name; });

// A link in the media folder could point at any file of the machine; only plain files count.
TEST(EmbedImagesLinks, LinkedFileIsNotRead) {
  test::TempDir dir;
  const fs::path media = dir.path() / "media";
  fs::create_directories(media);
  WriteTextFile(dir.path() / "outside.png", kPng);
  fs::create_symlink(dir.path() / "outside.png", media / "image1.png");
  const EmbeddedPage result = embedImages(img("media/image1.png"), media);
  EXPECT_EQ(result.page, img(""));
  ASSERT_EQ(result.notEmbedded.size(), 1u);
  EXPECT_EQ(result.notEmbedded[0].reference, "media/image1.png");
}

}  // namespace
}  // namespace vellumine
