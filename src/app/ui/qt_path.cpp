// Path conversions of the Qt layer, through QFile's own encoding of file names.
#include "app/ui/qt_path.h"

#include <QFile>

namespace fs = std::filesystem;

QString toQString(const fs::path& path) { return QFile::decodeName(QByteArray::fromStdString(path.string())); }

fs::path toPath(const QString& file) { return fs::path(QFile::encodeName(file).toStdString()); }

QUrl localFileUrl(const fs::path& file) {
  std::error_code ec;
  const fs::path absolute = fs::absolute(file, ec);
  return QUrl::fromLocalFile(toQString(ec ? file : absolute));
}
