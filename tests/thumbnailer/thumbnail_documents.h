// Documents and pictures for the thumbnailer's tests: .docx packages written with ZipBuilder, with
// or without a stored thumbnail, and pictures of one colour in the formats a package may store.
#pragma once
#include <QColor>
#include <QImage>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vellumine::test {

// A stored thumbnail: the part's name, its bytes, and whether the package relationships name it
// (otherwise only its conventional name can find it).
struct StoredPicture {
  std::string part;
  std::string bytes;
  bool related = true;
};

// The bytes of a .docx with one paragraph per text on a US Letter page, and the stored picture
// when given.
std::string thumbnailDocx(const std::vector<std::string>& paragraphs, const std::optional<StoredPicture>& picture = {});

// A width by height picture of one colour, encoded as format ("PNG", "JPEG").
std::string pictureBytes(int width, int height, const QColor& colour, const char* format);

// The picture in a PNG file; a null image when there is none.
QImage readPicture(const std::filesystem::path& file);

// Whether most of image's pixels are near colour (each channel within 24): the picture shown is
// the one stored.
bool mostlyColoured(const QImage& image, const QColor& colour);

// The pixels of image that are darker than light grey: text drawn on a white page.
int darkPixels(const QImage& image);

}  // namespace vellumine::test
