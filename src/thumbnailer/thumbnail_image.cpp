#include "thumbnailer/thumbnail_image.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <algorithm>
#include <cmath>

namespace vellumine {

QImage decodePicture(const std::string& bytes) {
  QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  reader.setAllocationLimit(kDecodeLimitMegabytes);
  reader.setAutoTransform(true);  // a JPEG's orientation, as a camera wrote it
  QImage image = reader.read();
  return image;
}

QImage fitWithin(const QImage& image, int size, bool enlarge) {
  if (image.isNull() || size <= 0) return {};
  const int larger = std::max(image.width(), image.height());
  if (larger <= size && !enlarge) return image;
  const double scale = static_cast<double>(size) / larger;
  const int width = std::clamp(static_cast<int>(std::lround(image.width() * scale)), 1, size);
  const int height = std::clamp(static_cast<int>(std::lround(image.height() * scale)), 1, size);
  return image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

std::string pngBytes(const QImage& image) {
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  if (image.isNull() || !image.save(&buffer, "PNG")) return {};
  return data.toStdString();
}

}  // namespace vellumine
