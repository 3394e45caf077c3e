#include "thumbnailer/thumbnail_documents.h"

#include <QBuffer>
#include <QByteArray>
#include <cstdlib>

#include "support/zip_builder.h"

namespace vellumine::test {

namespace {

constexpr char kContentTypes[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Default Extension=\"png\" ContentType=\"image/png\"/><Default Extension=\"jpeg\" ContentType=\"image/jpeg\"/>"
    "<Override PartName=\"/word/document.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/></Types>";

std::string packageRelationships(const std::optional<StoredPicture>& picture) {
  std::string rels =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
      "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
      "officeDocument\" Target=\"word/document.xml\"/>";
  if (picture && picture->related) {
    rels += "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/package/2006/relationships/"
            "metadata/thumbnail\" Target=\"" + picture->part + "\"/>";
  }
  return rels + "</Relationships>";
}

std::string documentXml(const std::vector<std::string>& paragraphs) {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
      "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>";
  for (const std::string& text : paragraphs) {
    xml += "<w:p><w:r><w:rPr><w:sz w:val=\"48\"/></w:rPr><w:t>" + text + "</w:t></w:r></w:p>";
  }
  return xml +
         "<w:sectPr><w:pgSz w:w=\"12240\" w:h=\"15840\"/><w:pgMar w:top=\"1440\" w:right=\"1440\" "
         "w:bottom=\"1440\" w:left=\"1440\" w:header=\"720\" w:footer=\"720\" w:gutter=\"0\"/></w:sectPr>"
         "</w:body></w:document>";
}

bool near(int a, int b) { return std::abs(a - b) <= 24; }

}  // namespace

std::string thumbnailDocx(const std::vector<std::string>& paragraphs, const std::optional<StoredPicture>& picture) {
  ZipBuilder zip;
  zip.add("[Content_Types].xml", kContentTypes);
  zip.add("_rels/.rels", packageRelationships(picture));
  zip.add("word/document.xml", documentXml(paragraphs));
  if (picture) zip.add(picture->part, picture->bytes, Method::Stored);
  return zip.build();
}

std::string pictureBytes(int width, int height, const QColor& colour, const char* format) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return data.toStdString();
}

QImage readPicture(const std::filesystem::path& file) {
  return QImage(QString::fromStdString(file.string()), "PNG");
}

bool mostlyColoured(const QImage& image, const QColor& colour) {
  if (image.isNull()) return false;
  long matching = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor pixel = image.pixelColor(x, y);
      if (near(pixel.red(), colour.red()) && near(pixel.green(), colour.green()) && near(pixel.blue(), colour.blue())) {
        ++matching;
      }
    }
  }
  return matching * 10 >= static_cast<long>(image.width()) * image.height() * 9;
}

int darkPixels(const QImage& image) {
  int dark = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qGray(image.pixel(x, y)) < 160) ++dark;
    }
  }
  return dark;
}

}  // namespace vellumine::test
