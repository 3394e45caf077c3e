#include "thumbnailer/document_reading.h"

#include <QImage>
#include <stdexcept>
#include <string>

#include "app/docxInfo.h"
#include "app/document_page.h"
#include "app/document_sniffer.h"
#include "app/page_writer.h"
#include "package/unzip_docx.h"
#include "text/fileutil.h"
#include "thumbnailer/stored_thumbnail.h"
#include "thumbnailer/thumbnail_image.h"
#include "thumbnailer/thumbnail_page.h"

namespace vellumine {

namespace {

// The stored picture as the thumbnail, when it decodes; false sends the page to be drawn.
bool writeStoredThumbnail(const std::string& picture, const WorkFolder& work, int size) {
  const QImage image = decodePicture(picture);
  if (image.isNull()) return false;
  const std::string png = pngBytes(fitWithin(image, size, false));
  if (png.empty()) return false;
  WriteTextFile(work.thumbnail(), png);
  return true;
}

void writePageToDraw(const WorkFolder& work) {
  const PageRequest request{PageEngine::faithful, ConversionSettings{}, readDocumentProperties(work.package()).title};
  WriteTextFile(work.page(), thumbnailPage(finishedPage(makeDocumentPage(work.package(), request).page)));
}

}  // namespace

int readDocumentForThumbnail(const std::filesystem::path& input, const WorkFolder& work, int size) {
  checkDocumentFile(input);
  if (declaredUnpackedSize(input) > kMaximumUnpackedBytes) {
    throw std::runtime_error("The document unpacks to more than 300 MiB.");
  }
  extractPackage(input, work.package());
  checkPackageFolder(work.package());
  if (const auto picture = findStoredThumbnail(work.package()); picture && writeStoredThumbnail(*picture, work, size)) {
    return kThumbnailWritten;
  }
  writePageToDraw(work);
  return kPageToDraw;
}

}  // namespace vellumine
